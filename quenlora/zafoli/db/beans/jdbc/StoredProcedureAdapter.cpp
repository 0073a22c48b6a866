#include "quenlora/zafoli/db/beans/jdbc/StoredProcedureAdapter.h"

#include <utility>

#include "platform/serial/ObjectInput.h"
#include "platform/serial/ObjectOutput.h"
#include "platform/serial/ObjectStreamException.h"
#include "platform/sql/DatabaseMetaData.h"
#include "platform/text/Character.h"
#include "platform/text/Utf16.h"

namespace quenlora::zafoli::db::beans::jdbc {

using plat::sql::DatabaseMetaData;
using plat::text::Character;
using plat::thread::Synchronized;

std::string StoredProcedureAdapter::getProcedureName() const {
  Synchronized sync(monitor_);
  return procedureName_;
}

void StoredProcedureAdapter::setProcedureName(const std::string& procedureName) {
  std::string old;
  {
    Synchronized sync(monitor_);
    old = std::exchange(procedureName_, procedureName);
  }
  firePropertyChange(PROP_PROCEDURE_NAME, plat::lang::Value(old), plat::lang::Value(procedureName));
}

void StoredProcedureAdapter::setProcedureName(std::nullptr_t) {
  refuseNull("setProcedureName");
}

std::string StoredProcedureAdapter::generateSQLText(const std::string& procedureName, const Parameters& parameters) {
  if (parameters.empty()) return "{call " + procedureName + "()}";
  bool returns = false;
  int markers = 0;
  for (const auto& parameter : parameters) {
    const int kind = parameter->getType();
    if (kind == DatabaseMetaData::procedureColumnReturn) {
      returns = true;
    } else if (kind != DatabaseMetaData::procedureColumnResult) {
      ++markers;
    }
  }
  std::string text = std::string("{") + (returns ? "?= call " : "call ") + procedureName;
  if (markers == 0) return text + "()}";
  text += "( ";
  for (int i = 0; i < markers; ++i) text += i + 1 < markers ? "?, " : "? )";
  return text + "}";
}

std::string StoredProcedureAdapter::generateAliasName(const std::string& procedureName) {
  const std::u16string units = plat::text::utf16::fromUtf8(procedureName);
  std::u16string alias;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const bool keep = i == 0 ? Character::isLetter(units[i]) : Character::isLetterOrDigit(units[i]);
    alias += keep ? units[i] : u'_';
  }
  return plat::text::utf16::toUtf8(alias);
}

plat::lang::Ref<StoredProcedureAdapter> StoredProcedureAdapter::restore(const std::vector<std::uint8_t>& bytes) {
  plat::serial::ObjectInput in(bytes);
  auto adapter = plat::lang::makeRef<StoredProcedureAdapter>();
  adapter->readSettings(in);
  if (!in.atEnd()) throw plat::serial::StreamCorruptedException("unread data after the saved settings");
  return adapter;
}

void StoredProcedureAdapter::writeSettings(plat::serial::ObjectOutput& out) const {
  SQLAdapter::writeSettings(out);
  Synchronized sync(monitor_);
  out.writeUTF(procedureName_);
}

void StoredProcedureAdapter::readSettings(plat::serial::ObjectInput& in) {
  SQLAdapter::readSettings(in);
  Synchronized sync(monitor_);
  procedureName_ = in.readUTF();
}

}  // namespace quenlora::zafoli::db::beans::jdbc
