// The news that a connection bean could not log in: the bean (the source), the kind of failure and the driver's
// reason. Immutable; made and delivered on the thread that connected.
#pragma once

#include <cstdint>
#include <string>

#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::beans::jdbc {

class JdbcConnection;

class ConnectFailedEvent : public plat::lang::Object {
 public:
  static constexpr std::int32_t DRIVERCLASSNOTKNOWN = 1;
  static constexpr std::int32_t DRIVERCLASSNOTFOUND = 2;
  static constexpr std::int32_t GENERALERROR = 3;

  // source: the failing bean, a back reference that must outlive the delivery.
  ConnectFailedEvent(JdbcConnection* source, std::int32_t type, std::string reason)
      : m_Source(source), m_Type(type), m_Reason(std::move(reason)) {}

  JdbcConnection* getSource() const { return m_Source; }
  std::int32_t getType() const { return m_Type; }
  const std::string& getReason() const { return m_Reason; }

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.jdbc.ConnectFailedEvent"; }

 private:
  JdbcConnection* m_Source;
  std::int32_t m_Type;
  std::string m_Reason;
};

}  // namespace quenlora::zafoli::db::beans::jdbc
