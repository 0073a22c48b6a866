// An input bound by name (alias@column) to a navigator column or to a data item on the data bus; the adapter fills
// its cached value before each run. One thread at a time.
#pragma once

#include <optional>
#include <string>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/brl/CompColMember.h"

namespace quenlora::zafoli::db::beans::binding {
class QueryNavigator;
}

namespace quenlora::zafoli::db::beans::brl {

class DataBoundColMember : public CompColInputMember {
 public:
  // Source type 0 reads a navigator column; 1, 2 and 3 read a data item and are handled alike.
  static constexpr int kNavigatorSource = 0;

  virtual std::optional<std::string> getAliasName() const = 0;
  virtual std::optional<std::string> getBindName() const = 0;
  virtual void setBindName(std::optional<std::string> bindName) = 0;
  virtual std::optional<std::string> getColumnName() const = 0;
  virtual plat::lang::Ref<binding::QueryNavigator> getQueryNavObj() const = 0;
  virtual int getSourceType() const = 0;
  virtual void setSourceType(int sourceType) = 0;
  virtual void setValue(plat::lang::Value value) = 0;
};

}  // namespace quenlora::zafoli::db::beans::brl
