// What a data source tells the mediators that publish it: which row is concerned and what kind of change makes the
// bound display refresh. An immutable value once made; safe to read from any thread. The source is a plain back
// reference that the event does not own.
#pragma once

#include <string>

#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::beans::binding {

class TriggerUIEvent : public plat::lang::Object {
 public:
  static constexpr int RECORDSETCHANGED = 1;
  static constexpr int RECORDNAVIGATION = 2;
  static constexpr int RECORDDELETED = 3;
  static constexpr int RECORDINSERTED = 4;
  static constexpr int RECORDSAVEDALL = 5;
  static constexpr int RECORDCHANGED = 6;
  static constexpr int FORCEREFRESH = 7;

  explicit TriggerUIEvent(plat::lang::Object* source) : source_(source) {}
  TriggerUIEvent(plat::lang::Object* source, int row, int type) : m_Row(row), m_Type(type), source_(source) {}

  plat::lang::Object* getSource() const { return source_; }

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.TriggerUIEvent"; }
  std::string toString() const override;

  int m_Row = 0;                  // the row concerned
  int m_Type = RECORDSETCHANGED;  // one of the constants above

 private:
  plat::lang::Object* source_;  // back reference to the data source or its designated source object
};

}  // namespace quenlora::zafoli::db::beans::binding
