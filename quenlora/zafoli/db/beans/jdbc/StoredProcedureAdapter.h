// An SQL adapter for one stored procedure: it keeps the procedure's name and generates the call text from the name
// and the parameters. Same thread contract as SQLAdapter.
#pragma once

#include <string>

#include "quenlora/zafoli/db/beans/jdbc/SQLAdapter.h"

namespace quenlora::zafoli::db::beans::jdbc {

class StoredProcedureAdapter : public SQLAdapter {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.beans.jdbc.StoredProcedureAdapter";
  static constexpr const char* PROP_PROCEDURE_NAME = "procedureName";
  static constexpr const char* SCHEMA_SEPARATOR = ".";

  using SQLAdapter::SQLAdapter;

  std::string getProcedureName() const;
  void setProcedureName(const std::string& procedureName);
  void setProcedureName(std::nullptr_t);

  // «{call p()}» without parameters; «{call p( ?, ? )}» with one marker per parameter that is neither a return
  // value nor a result column; «{?= call p( ... )}» when a return value is among them.
  static std::string generateSQLText(const std::string& procedureName, const Parameters& parameters);
  // The name as an alias: a leading letter kept, else "_"; letters and digits kept, anything else "_".
  static std::string generateAliasName(const std::string& procedureName);

  static plat::lang::Ref<StoredProcedureAdapter> restore(const std::vector<std::uint8_t>& bytes);

  std::string getClassName() const override { return kClassName; }

 protected:
  void writeSettings(plat::serial::ObjectOutput& out) const override;
  void readSettings(plat::serial::ObjectInput& in) override;

 private:
  std::string procedureName_;  // guarded by monitor_
};

}  // namespace quenlora::zafoli::db::beans::jdbc
