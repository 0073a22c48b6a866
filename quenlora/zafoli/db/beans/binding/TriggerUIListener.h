// The party that shows a data source (in practice its provider mediator): told to refresh on every trigger event and
// told the source's full binding name. Called on the thread that changed the source.
#pragma once

#include <string>

#include "quenlora/zafoli/db/beans/binding/TriggerUIEvent.h"

namespace quenlora::zafoli::db::beans::binding {

class TriggerUIListener {
 public:
  TriggerUIListener() = default;
  TriggerUIListener(const TriggerUIListener&) = delete;
  TriggerUIListener& operator=(const TriggerUIListener&) = delete;
  virtual ~TriggerUIListener() = default;

  virtual void commitUI(const TriggerUIEvent& event) = 0;
  // The data source's full binding name (alias@columns%rows).
  virtual void setDataBinding(const std::string& fullName) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding
