// The connect-failure listener a bean makes by default: for a login failure it shows the connect-failure window
// with the bean's URL and, on OK, sets the entered user name and password on the bean and connects it again (which
// may fail and ask again). Cancel or the close box change nothing. Called on the connecting thread.
#pragma once

#include <memory>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/jdbc/ConnectFailedDialog.h"
#include "quenlora/zafoli/db/beans/jdbc/ConnectFailedListener.h"

namespace quenlora::zafoli::db::beans::jdbc {

class DefaultConnectFailedListener : public plat::lang::Object, public ConnectFailedListener {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.beans.jdbc.DefaultConnectFailedListener";

  void connectFailed(const ConnectFailedEvent& event) override;

  std::string getClassName() const override { return kClassName; }

 private:
  plat::lang::Ref<ConnectFailedDialog> m_Dialog;  // made on first use
  JdbcConnection* m_Connection = nullptr;         // the event's bean: a back reference for the call's length
};

}  // namespace quenlora::zafoli::db::beans::jdbc
