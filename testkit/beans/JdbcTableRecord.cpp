#include "testkit/beans/JdbcTableRecord.h"

#include <map>
#include <mutex>
#include <set>

#include "platform/runvale/ClassRegistry.h"

namespace testkit::beans {

using plat::lang::Ref;
using quenlora::zafoli::db::beans::jdbc::DataModel;

namespace {

std::mutex namesMutex;
// The class names rows were made for; guarded by namesMutex, never shrinks, lives for the process.
const std::string& keptName(const std::string& className) {
  static auto* names = new std::set<std::string>();
  std::lock_guard lock(namesMutex);
  return *names->insert(className).first;
}

std::mutex modelsMutex;
std::map<std::string, Ref<DataModel>>& models() {
  static auto* table = new std::map<std::string, Ref<DataModel>>();  // guarded by modelsMutex; lives for the process
  return *table;
}

}  // namespace

JdbcTableRecord::JdbcTableRecord(const std::string& className) : className_(&keptName(className)) {}

void JdbcTableRecord::registerClass(plat::runvale::ClassRegistry& registry, const std::string& className,
                                    const std::string& table, const std::string& managerClassName,
                                    const std::string& connectionName,
                                    const std::optional<std::vector<std::string>>& columns) {
  plat::runvale::ClassInfo info;
  info.name = className;
  info.factory = [className] { return Ref<plat::lang::Object>(plat::lang::makeRef<JdbcTableRecord>(className)); };
  info.superclass = RecordDefinition::kClassName;
  registry.registerClass(std::move(info));
  JdbcTableRecord settings(className);
  settings.setTableName(table);
  settings.setColumns(columns);
  settings.setConnectionManagerClassName(managerClassName);
  settings.setConnectionName(connectionName);
  forgetModel(className);
}

void JdbcTableRecord::registerManager(plat::runvale::ClassRegistry& registry, const std::string& managerClassName,
                                      Ref<quenlora::zafoli::db::beans::jdbc::ConnectionManager> manager) {
  plat::runvale::ClassInfo info;
  info.name = managerClassName;
  info.factory = [manager] { return Ref<plat::lang::Object>(manager); };
  info.superclass = quenlora::zafoli::db::beans::jdbc::ConnectionManager::kClassName;
  registry.registerClass(std::move(info));
}

void JdbcTableRecord::forgetModel(const std::string& className) {
  std::lock_guard lock(modelsMutex);
  models().erase(className);
}

Ref<quenlora::zafoli::db::beans::binding::PersistentObjectModel> JdbcTableRecord::getDataModel() {
  if (model_) return model_;
  {
    std::lock_guard lock(modelsMutex);
    auto found = models().find(*className_);
    if (found != models().end()) return model_ = found->second;
  }
  auto made = generateDataModel();
  std::lock_guard lock(modelsMutex);
  auto& kept = models()[*className_];
  if (!kept) kept = made;
  return model_ = kept;
}

Ref<plat::sql::PreparedStatement> JdbcTableRecord::getInsertStatement() {
  auto statement = getStatement(nullptr, INSERT_SQL);
  if (statement) setParameterValues(*statement);
  return statement;
}

Ref<plat::sql::PreparedStatement> JdbcTableRecord::getUpdateStatement() {
  auto statement = getStatement(nullptr, UPDATE_SQL);
  if (statement) {
    setParameterValues(*statement);
    setParameters(*statement, 0, getColModif());
  }
  return statement;
}

Ref<plat::sql::PreparedStatement> JdbcTableRecord::getDeleteStatement() {
  auto statement = getStatement(nullptr, DELETE_SQL);
  if (statement) setParameters(*statement, 0, 0);
  return statement;
}

Ref<quenlora::zafoli::db::beans::jdbc::BaseRecordDefinition> JdbcTableRecord::newRow() {
  auto row = plat::lang::makeRef<JdbcTableRecord>(SameClass{}, className_);
  row->model_ = model_;
  return row;
}

}  // namespace testkit::beans
