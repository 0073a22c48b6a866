#include "quenlora/zafoli/db/pro/ProjBinder.h"

#include <algorithm>

#include "quenlora/zafoli/db/pro/Record.h"
#include "quenlora/zafoli/db/pro/RelationView.h"

namespace quenlora::zafoli::db::pro {

namespace {

// Clears a flag on every exit, a throwing callback included.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

bool ProjBinder::isReadable() const {
  return view_.getRecord()->isReadable();
}

bool ProjBinder::isWritable() const {
  return columnWritable_ && view_.getRecord()->isWritable();
}

bool ProjBinder::addLink(const std::shared_ptr<ProjLink>& link) {
  if (std::find(links_.begin(), links_.end(), link) != links_.end()) return false;
  links_.push_back(link);
  return true;
}

void ProjBinder::removeLink(const ProjLink* link) {
  std::erase_if(links_, [link](const auto& l) { return l.get() == link; });
}

void ProjBinder::notifyDataChange() {
  if (!enabled_ || inSetData_) return;
  const auto links = links_;
  for (const auto& link : links) link->notifyDataChange(*this);
}

bool ProjBinder::setDataPass() {
  if (!enabled_) return true;
  FlagScope scope(inSetData_);
  const auto links = links_;
  for (const auto& link : links) {
    if (!link->notifySetData(*this)) return false;
  }
  return true;
}

}  // namespace quenlora::zafoli::db::pro
