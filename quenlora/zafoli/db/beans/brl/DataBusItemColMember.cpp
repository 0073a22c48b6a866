#include "quenlora/zafoli/db/beans/brl/DataBusItemColMember.h"

#include "quenlora/zafoli/db/beans/binding/QueryNavigator.h"

namespace quenlora::zafoli::db::beans::brl {

std::optional<std::string> DataBusItemColMember::getAliasName() const {
  if (!bindName_) return std::nullopt;
  const std::size_t at = bindName_->find('@');
  if (at == std::string::npos) return std::nullopt;
  return bindName_->substr(0, at);
}

std::optional<std::string> DataBusItemColMember::getColumnName() const {
  if (!bindName_) return std::nullopt;
  const std::size_t at = bindName_->find('@');
  if (at == std::string::npos) return std::nullopt;
  return bindName_->substr(at + 1);
}

plat::lang::Ref<binding::QueryNavigator> DataBusItemColMember::getQueryNavObj() const {
  if (sourceType_ != kNavigatorSource) return nullptr;
  const std::optional<std::string> alias = getAliasName();
  if (!alias) return nullptr;
  return binding::QueryNavigator::getQueryNavigatorObject(*alias);
}

}  // namespace quenlora::zafoli::db::beans::brl
