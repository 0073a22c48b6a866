// One parameter or result column of an SQL adapter: the member model's name, 1-based index, kind (the JDBC
// procedure-column codes: 0 unknown, 1 in, 2 in/out, 3 result column, 4 out, 5 return value) and JDBC type, plus a
// scale and a default value, both bound properties. Setting needs external locking, as for the member model.
#pragma once

#include <string>

#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/binding/DefaultPersistentObjectMemberModel.h"

namespace quenlora::zafoli::db::beans::jdbc {

class ParameterMetaData : public binding::DefaultPersistentObjectMemberModel {
 public:
  static constexpr const char* PROP_SCALE = "scale";
  static constexpr const char* PROP_DEFAULT_VALUE = "defaultValue";

  ParameterMetaData(const std::string& name, int index, int kind, int dataType);
  ParameterMetaData(const std::string& name, int index, int kind, int dataType, int scale);
  ParameterMetaData(const std::string& name, int index, int kind, int dataType, int scale,
                    const plat::lang::Value& defaultValue);
  ParameterMetaData(const std::string& name, int index, int kind, int dataType, const plat::lang::Value& defaultValue);
  // The default value is copied as a new value of its class: a byte array is not shared with other.
  ParameterMetaData(const ParameterMetaData& other);

  int getScale() const { return scale_; }
  void setScale(int scale);
  const plat::lang::Value& getDefaultValue() const { return defaultValue_; }
  void setDefaultValue(const plat::lang::Value& defaultValue);

  // SQLAdapterException code 3 unless the kind is in, in/out, out or return value.
  void checkType() const;
  // Whether this comes before other when parameters are sorted for editing: the return value first (it must have
  // index 1), then in, in/out and out parameters by index, then result columns by index. SQLAdapterException for
  // two return values (1), a shared index (2), an unknown kind (3) or a return value off index 1 (10).
  bool lessThan(const ParameterMetaData& other) const;

  std::string toString() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.jdbc.ParameterMetaData"; }

 private:
  int scale_ = 0;
  plat::lang::Value defaultValue_;
};

}  // namespace quenlora::zafoli::db::beans::jdbc
