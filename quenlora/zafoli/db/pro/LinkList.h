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
    const Link* raw;  // identity only: compared, never dereferenced
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
    links_ = std::move(next);
  }
  void remove(const Link* link) {
    if (!links_ || std::none_of(links_->begin(), links_->end(), [link](const Entry& e) { return e.raw == link; })) {
      return;
    }
    auto next = std::make_shared<Links>(*links_);
    std::erase_if(*next, [link](const Entry& e) { return e.raw == link || e.link.expired(); });
    links_ = std::move(next);
  }
  void clear() { links_.reset(); }

  // Calls f(link) for each link still alive, in order; a bool answer of false stops the walk, and forEach answers
  // false then.
  template <class F>
  bool forEach(F&& f) {
    const std::shared_ptr<const Links> links = links_;
    if (!links) return true;
    bool gone = false;
    for (const Entry& e : *links) {
      const std::shared_ptr<Link> link = e.link.lock();
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
    if (gone && links == links_) prune();
    return true;
  }

 private:
  void prune() {
    auto next = std::make_shared<Links>(*links_);
    std::erase_if(*next, [](const Entry& e) { return e.link.expired(); });
    if (next->empty()) {
      links_.reset();
    } else {
      links_ = std::move(next);
    }
  }

  std::shared_ptr<const Links> links_;  // null while empty; never changed in place
};

}  // namespace quenlora::zafoli::db::pro
