#pragma once
// A constant value in saved bean settings: its kind and the text it writes itself. Only kinds whose text gives the
// same value back can be saved, and a text that does not read back as itself is refused, so a damaged archive is
// never restored with a changed value.

#include <cstdint>
#include <string>

#include "platform/lang/Value.h"

namespace plat::serial {
class ObjectInput;
class ObjectOutput;
}  // namespace plat::serial

namespace quenlora::zafoli::db::beans::util {

// `what` names the value in the failures ("default value", "constant").
void writeSavedValue(plat::serial::ObjectOutput& out, const plat::lang::Value& value, const std::string& what);
plat::lang::Value readSavedValue(plat::serial::ObjectInput& in, const std::string& what, std::uint32_t maxTextBytes);

}  // namespace quenlora::zafoli::db::beans::util
