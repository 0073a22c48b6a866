// Row classes for the row tests: one over a table model made by hand (no database), so that generated texts and
// value conversions can be checked alone.
#pragma once

#include <string>
#include <vector>

#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/beans/jdbc/RecordDefinition.h"

namespace quenlora::zafoli::db::beans::jdbc {

struct ColumnSpec {
  std::string name;
  int type = plat::sql::Types::VARCHAR;
  bool key = false;
  int size = ColumnMetaData::kUnknownSize;
};

inline plat::lang::Ref<DataModel> makeModel(const std::string& table, const std::vector<ColumnSpec>& columns,
                                            bool unique) {
  auto model = plat::lang::makeRef<DataModel>(table, "test");
  for (const auto& spec : columns) {
    auto column = plat::lang::makeRef<ColumnMetaData>(spec.name, spec.type);
    column->setIsPrimaryKey(spec.key);
    column->setDisplaySize(spec.size);
    model->addColumnMetaData(column);
  }
  model->setUnique(unique);
  return model;
}

// A row class named className over a fixed model; rows of it are made with newRow().
class FixedRow : public RecordDefinition {
 public:
  FixedRow(std::string className, plat::lang::Ref<DataModel> model)
      : className_(std::move(className)), model_(std::move(model)) {}
  plat::lang::Ref<binding::PersistentObjectModel> getDataModel() override { return model_; }
  plat::lang::Ref<BaseRecordDefinition> newRow() override { return plat::lang::makeRef<FixedRow>(className_, model_); }
  std::string getClassName() const override { return className_; }
  // Sets both values of a column, as a read row holds them.
  void load(const std::vector<plat::lang::Value>& values) {
    initDataStorage();
    for (std::size_t i = 0; i < values.size(); ++i) setValueAsObject(static_cast<int>(i), values[i]);
    bringUpToDate();
  }

 private:
  std::string className_;
  plat::lang::Ref<DataModel> model_;
};

}  // namespace quenlora::zafoli::db::beans::jdbc
