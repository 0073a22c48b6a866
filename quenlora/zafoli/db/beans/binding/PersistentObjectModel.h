// The column metadata of a row class: its members in column order (0-based) and the model's name.
// Implementations say their own thread contract.
#pragma once

#include <string>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/PersistentObjectMemberModel.h"

namespace quenlora::zafoli::db::beans::binding {

class PersistentObjectModel {
 public:
  PersistentObjectModel() = default;
  PersistentObjectModel(const PersistentObjectModel&) = delete;
  PersistentObjectModel& operator=(const PersistentObjectModel&) = delete;
  virtual ~PersistentObjectModel() = default;

  virtual int getMemberCount() const = 0;
  virtual plat::lang::Ref<PersistentObjectMemberModel> getMemberModel(int index) const = 0;
  virtual std::string getModelName() const = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding
