// The text a Qt view shows for a cell value: empty for null, else the value's runtime text. Stateless.
#pragma once

#include <QString>

#include "platform/lang/Value.h"

namespace plat::gui::qt {

inline QString toQString(const plat::lang::Value& value) {
  if (value.isNull()) return {};
  if (value.is(plat::lang::Value::Kind::String)) return QString::fromStdString(value.getString());
  return QString::fromStdString(value.toString());
}

}  // namespace plat::gui::qt
