#include "platform/sql/SQLException.h"

#include <set>

namespace plat::sql {

void SQLException::setNextException(const SQLException& next) {
  setNextException(std::static_pointer_cast<SQLException>(next.clone()));
}

void SQLException::setNextException(std::shared_ptr<SQLException> next) {
  if (!next) return;
  SQLException* last = this;
  // Appending an exception that is already in the chain would close a loop; the seen set stops the walk.
  std::set<const SQLException*> seen{this};
  while (last->next_) {
    if (!seen.insert(last->next_.get()).second) return;
    last = last->next_.get();
  }
  if (seen.count(next.get())) return;
  last->next_ = std::move(next);
}

SQLException::~SQLException() {
  std::shared_ptr<SQLException> link = std::move(next_);
  // Only a link this exception alone holds is taken apart here; a shared rest of the chain stays whole.
  while (link && link.use_count() == 1) link = std::move(link->next_);
}

void notSupported() {
  throw SQLException("not supported");
}

}  // namespace plat::sql
