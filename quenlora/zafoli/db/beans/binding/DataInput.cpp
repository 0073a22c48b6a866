#include "quenlora/zafoli/db/beans/binding/DataInput.h"

#include <optional>

#include "platform/lang/System.h"
#include "platform/math/Decimal.h"
#include "quenlora/zafoli/db/beans/binding/databus/InvalidType.h"
#include "quenlora/zafoli/db/beans/util/LocalizedValueGenerator.h"

namespace quenlora::zafoli::db::beans::binding {

namespace {

using plat::lang::Value;

bool isFiniteNumber(const Value& value) {
  switch (value.kind()) {
    case Value::Kind::Float:
    case Value::Kind::Double: {
      double d = value.doubleValue();
      return d - d == 0.0;
    }
    default:
      return value.isNumber();
  }
}

// The exact value of a finite number: integers as they are, decimals exactly, floating values by their shortest
// text, so that 0.1 is 0.1 and not the binary fraction nearest to it.
plat::math::Decimal exactValue(const Value& number) {
  switch (number.kind()) {
    case Value::Kind::Decimal:
      return number.getDecimal();
    case Value::Kind::Float:
    case Value::Kind::Double:
      return plat::math::Decimal::parse(number.toString());
    default:
      return plat::math::Decimal::valueOf(number.longValue());
  }
}

std::string shownText(const Value& value) {
  Value shown = util::LocalizedValueGenerator::formatValue(value, true);
  return shown.isNull() ? std::string() : shown.toString();
}

// Whether v differs from c, both not null. Numbers compare by value, since two different numbers may format to
// the same text (the formatter shows a limited number of decimals); other values differ when they are unequal
// and also show differently.
bool isIntegral(Value::Kind kind) {
  return kind == Value::Kind::Byte || kind == Value::Kind::Short || kind == Value::Kind::Int ||
         kind == Value::Kind::Long;
}

// The exact comparison without building decimals, for the pairs where it is plain: integers, two decimals, and
// two finite floating values of one width (each has its own shortest text, so their exact values order as they do).
std::optional<bool> plainlyDiffers(const Value& v, const Value& c) {
  const Value::Kind a = v.kind();
  const Value::Kind b = c.kind();
  if (isIntegral(a) && isIntegral(b)) return v.longValue() != c.longValue();
  if (a == Value::Kind::Decimal && b == Value::Kind::Decimal) return v.getDecimal().compareTo(c.getDecimal()) != 0;
  if (a == b && (a == Value::Kind::Double || a == Value::Kind::Float)) return v.doubleValue() != c.doubleValue();
  return std::nullopt;
}

bool differs(const Value& v, const Value& c) {
  if (v.isNumber() && c.isNumber()) {
    if (isFiniteNumber(v) && isFiniteNumber(c)) {
      if (std::optional<bool> plain = plainlyDiffers(v, c)) return *plain;
      return exactValue(v).compareTo(exactValue(c)) != 0;
    }
    return v.toString() != c.toString();
  }
  return !v.equals(c) && shownText(v) != shownText(c);
}

bool isEmptyText(const Value& value) {
  return value.is(Value::Kind::String) && value.getString().empty();
}

}  // namespace

void DataInput::setValue(const databus::ImmediateAccess& other) {
  Value v = other.getValueAsObject();  // before the lock: other may be this item
  {
    std::lock_guard<ItemLatch> lock(mutex_);
    const Value& c = m_Value;
    bool change;
    if (!v.isNull() && !c.isNull()) {
      change = differs(v, c);
    } else if (v.isNull()) {
      change = !c.isNull() && !isEmptyText(c);
    } else {
      change = true;  // a value over null
    }
    if (!change) return;
    m_Value = std::move(v);
    m_StatusFlag = MODIFIED;
  }
  notifyDataChanged();
}

Value DataInput::getValueAsObject() const {
  std::lock_guard<ItemLatch> lock(mutex_);
  return m_Value;
}

void DataInput::copyValueTo(Value& out) const {
  std::lock_guard<ItemLatch> lock(mutex_);
  out = m_Value;
}

std::optional<std::string> DataInput::getValueAsString() const {
  Value value = getValueAsObject();
  if (value.isNull()) return std::nullopt;
  return value.toString();
}

void DataInput::notifyDataChanged() {
  try {
    m_DIChangedListeners.fire(databus::DataItemChangedEvent(databus::DataItemChangedEvent::DATA_VALUE_CHANGE, this));
  } catch (const databus::InvalidType&) {
    plat::lang::System::out().println("invalidtype");
  }
}

std::string DataInput::getName() const {
  std::lock_guard<ItemLatch> lock(mutex_);
  return m_Name;
}

void DataInput::setName(const std::string& name) {
  std::lock_guard<ItemLatch> lock(mutex_);
  m_Name = name;
}

int DataInput::getStatusFlag() const {
  std::lock_guard<ItemLatch> lock(mutex_);
  return m_StatusFlag;
}

void DataInput::setStatusFlag(int status) {
  std::lock_guard<ItemLatch> lock(mutex_);
  m_StatusFlag = status;
}

}  // namespace quenlora::zafoli::db::beans::binding
