// A JDBC row class for any table, for tests, benchmarks and examples: each registered class name stands for one
// table reached through one registry and bean; its table model comes from generateDataModel (made once per class
// name) and its three write statements are built by the row-class recipe. Thread contract of RecordDefinition.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "quenlora/zafoli/db/beans/jdbc/ConnectionManager.h"
#include "quenlora/zafoli/db/beans/jdbc/RecordDefinition.h"

namespace plat::runvale {
class ClassRegistry;
}

namespace testkit::beans {

class JdbcTableRecord : public quenlora::zafoli::db::beans::jdbc::RecordDefinition {
  struct SameClass {};  // makes a new row of a row's class without looking its name up again

 public:
  using RecordDefinition = quenlora::zafoli::db::beans::jdbc::RecordDefinition;

  explicit JdbcTableRecord(const std::string& className);
  JdbcTableRecord(SameClass, const std::string* className) : className_(className) {}

  // Registers className as the row class of table (RecordDefinition as its superclass) and stores its settings:
  // the registry class managerClassName, the bean connectionName, and the column list (none: every column).
  static void registerClass(plat::runvale::ClassRegistry& registry, const std::string& className,
                            const std::string& table, const std::string& managerClassName,
                            const std::string& connectionName,
                            const std::optional<std::vector<std::string>>& columns = std::nullopt);
  // Registers managerClassName so that the registry made by that name is manager itself.
  static void registerManager(plat::runvale::ClassRegistry& registry, const std::string& managerClassName,
                              plat::lang::Ref<quenlora::zafoli::db::beans::jdbc::ConnectionManager> manager);
  // Forgets the class's table model, so the next row reads it again.
  static void forgetModel(const std::string& className);

  plat::lang::Ref<quenlora::zafoli::db::beans::binding::PersistentObjectModel> getDataModel() override;
  plat::lang::Ref<plat::sql::PreparedStatement> getInsertStatement() override;
  plat::lang::Ref<plat::sql::PreparedStatement> getUpdateStatement() override;
  plat::lang::Ref<plat::sql::PreparedStatement> getDeleteStatement() override;
  plat::lang::Ref<quenlora::zafoli::db::beans::jdbc::BaseRecordDefinition> newRow() override;

  std::string getClassName() const override { return *className_; }

 private:
  const std::string* className_;  // one text per class name, kept for the process, so that a row holds no copy
  plat::lang::Ref<quenlora::zafoli::db::beans::jdbc::DataModel> model_;  // this row's copy of the class's model
};

}  // namespace testkit::beans
