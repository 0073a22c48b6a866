#include "quenlora/zafoli/db/beans/jdbc/DefaultConnectFailedListener.h"

#include "platform/lang/System.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcConnection.h"

namespace quenlora::zafoli::db::beans::jdbc {

void DefaultConnectFailedListener::connectFailed(const ConnectFailedEvent& event) {
  if (event.getType() != ConnectFailedEvent::GENERALERROR) {
    plat::lang::System::out().println(event.getReason());
    return;
  }
  if (m_Dialog == nullptr) m_Dialog = plat::lang::makeRef<ConnectFailedDialog>();
  m_Connection = event.getSource();
  m_Dialog->setURL(m_Connection->getURL());
  m_Dialog->setReason(event.getReason());
  m_Dialog->setUserName(m_Connection->getUserName());
  m_Dialog->setPassword(m_Connection->getPassword());
  m_Dialog->show();
  if (!m_Dialog->getShouldRetry()) return;
  m_Connection->setUserName(m_Dialog->getUserName());
  m_Connection->setPassword(m_Dialog->getPassword());
  m_Connection->connect();
}

}  // namespace quenlora::zafoli::db::beans::jdbc
