// The links of one binder or view, in the order bound, shared copy-on-write: a walk takes a snapshot (no copy of
// the list), and a link added or removed during a callback makes a new list, so the walk goes on over the old one.
// Used on the view's thread.
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

namespace quenlora::zafoli::db::pro {

template <class Link>
class LinkList {
 public:
  using Links = std::vector<std::shared_ptr<Link>>;

  // The links as they are now; what a walk iterates over.
  std::shared_ptr<const Links> snapshot() const { return links_; }
  bool empty() const { return !links_ || links_->empty(); }
  bool contains(const std::shared_ptr<Link>& link) const {
    return links_ && std::find(links_->begin(), links_->end(), link) != links_->end();
  }
  void add(const std::shared_ptr<Link>& link) {
    auto next = links_ ? std::make_shared<Links>(*links_) : std::make_shared<Links>();
    next->push_back(link);
    links_ = std::move(next);
  }
  void remove(const Link* link) {
    if (!links_ || std::none_of(links_->begin(), links_->end(), [link](const auto& l) { return l.get() == link; })) {
      return;
    }
    auto next = std::make_shared<Links>(*links_);
    std::erase_if(*next, [link](const auto& l) { return l.get() == link; });
    links_ = std::move(next);
  }
  void clear() { links_.reset(); }

 private:
  std::shared_ptr<const Links> links_;  // null while empty; never changed in place
};

}  // namespace quenlora::zafoli::db::pro
