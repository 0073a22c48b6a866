// The links of one binder or view, in the order bound, shared copy-on-write: a walk goes over the list as it was
// when the walk began (no copy), and a link added or removed during a callback makes a new list.
// Links are held weakly: the application keeps each link alive as long as it wants it told, and a link may hold its
// view's handle (a navigation bar calling next()) without keeping the multi-view open for ever. A link that is gone
// is skipped and later dropped from the list. Used on the view's thread.
#pragma once

#include <algorithm>
#include <iterator>
#include <memory>
#include <type_traits>
#include <vector>

namespace quenlora::zafoli::db::pro {

template <class Link>
class LinkList {
 public:
  struct Entry {
    std::weak_ptr<Link> link;
    Link* raw;  // the link itself, called only while link has not expired
  };
  using Links = std::vector<Entry>;

  bool empty() const { return !links_ || links_->empty(); }
  bool contains(const std::shared_ptr<Link>& link) const {
    return links_ && std::any_of(links_->begin(), links_->end(),
                                 [&link](const Entry& e) { return e.raw == link.get() && !e.link.expired(); });
  }
  void add(const std::shared_ptr<Link>& link) {
    auto next = std::make_shared<Links>();
    if (links_) {
      std::copy_if(links_->begin(), links_->end(), std::back_inserter(*next),
                   [](const Entry& e) { return !e.link.expired(); });
    }
    next->push_back(Entry{link, link.get()});
    replace(std::move(next));
  }
  void remove(const Link* link) {
    if (!links_ || std::none_of(links_->begin(), links_->end(), [link](const Entry& e) { return e.raw == link; })) {
      return;
    }
    auto next = std::make_shared<Links>(*links_);
    std::erase_if(*next, [link](const Entry& e) { return e.raw == link || e.link.expired(); });
    replace(std::move(next));
  }
  void clear() { replace(nullptr); }

  // Calls f(link) for each link still alive, in order; a bool answer of false stops the walk, and forEach answers
  // false then.
  template <class F>
  bool forEach(F&& f) {
    if (!links_) return true;
    bool gone = false;
    {
      // The list walked stays alive while any walk is on it: a list replaced meanwhile is only retired.
      const Links& links = *links_;
      const Walk walk(*this);
      for (const Entry& e : links) {
        // Told through the pointer, without taking a reference (two atomic operations per link and notice, on
        // every move): the list is used on one thread, so a link found alive here is alive when its call starts,
        // and once called it is not touched again, whatever the call lets go of.
        Link* link = e.link.expired() ? nullptr : e.raw;
        if (!link) {
          gone = true;
          continue;
        }
        if constexpr (std::is_same_v<decltype(f(*link)), bool>) {
          if (!f(*link)) return false;
        } else {
          f(*link);
        }
      }
    }
    if (gone && walking_ == 0 && links_) prune();
    return true;
  }

 private:
  // Counts a walk under way for as long as it lives.
  class Walk {
   public:
    explicit Walk(LinkList& list) : list_(list) { ++list_.walking_; }
    ~Walk() {
      if (--list_.walking_ == 0) list_.retired_.clear();
    }
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

   private:
    LinkList& list_;
  };

  void replace(std::shared_ptr<const Links> next) {
    if (walking_ > 0 && links_) retired_.push_back(std::move(links_));
    links_ = next && !next->empty() ? std::move(next) : nullptr;
  }
  void prune() {
    auto next = std::make_shared<Links>(*links_);
    std::erase_if(*next, [](const Entry& e) { return e.link.expired(); });
    replace(std::move(next));
  }

  std::shared_ptr<const Links> links_;  // null while empty; never changed in place
  // Walks under way (callbacks may start walks of their own), and the lists replaced during them: a walk reads its
  // list without holding it, so a replaced list is let go only once no walk is left.
  int walking_ = 0;
  std::vector<std::shared_ptr<const Links>> retired_;
};

}  // namespace quenlora::zafoli::db::pro
