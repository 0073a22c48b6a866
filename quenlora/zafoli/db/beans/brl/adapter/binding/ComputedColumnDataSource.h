// The one-row source through which a rule adapter publishes its output on the data bus under alias@outputName.
// Giving it an alias publishes (first with the empty text as value); a later alias or name withdraws the old name
// and publishes the current value under the new one; withdraw takes it off. Make it with makeRef. Thread contract as
// SingleRowBDSSupport; the names are guarded by the object's own lock.
#pragma once

#include <mutex>
#include <string>

#include "quenlora/zafoli/db/beans/binding/SingleRowBDSSupport.h"

namespace quenlora::zafoli::db::beans::brl::adapter::binding {

class ComputedColumnDataSource : public beans::binding::SingleRowBDSSupport {
 public:
  std::string getAliasName() const;
  // Publishes under alias@computedColBindName outside design time.
  void setAliasName(const std::string& alias);
  std::string getComputedColBindName() const;
  // Stores the output name; once published, republishes under the new name.
  void setComputedColBindName(const std::string& name);
  // Replaces value 0; the caller triggers the UI.
  void setComputedValue(const plat::lang::Value& value) { setValues(0, value); }
  // Takes the published name off the bus; nothing when not published.
  void withdraw();

  std::string getClassName() const override {
    return "quenlora.zafoli.db.beans.brl.adapter.binding.ComputedColumnDataSource";
  }

 private:
  void publish(const std::string& oldAlias, const std::string& oldName);

  mutable std::mutex namesMutex_;
  std::string computedColBindName_;  // guarded by namesMutex_
  std::string aliasName_;            // guarded by namesMutex_
  bool published_ = false;           // guarded by namesMutex_
};

}  // namespace quenlora::zafoli::db::beans::brl::adapter::binding
