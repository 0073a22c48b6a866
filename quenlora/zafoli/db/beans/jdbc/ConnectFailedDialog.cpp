#include "quenlora/zafoli/db/beans/jdbc/ConnectFailedDialog.h"

#include "platform/gui/DialogService.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcResourceLoader.h"

namespace quenlora::zafoli::db::beans::jdbc {

ConnectFailedDialog::ConnectFailedDialog() : m_URL(JdbcResourceLoader::text("ConnectFailed URLvalue")) {}

plat::gui::LoginRequest ConnectFailedDialog::makeRequest() const {
  plat::gui::LoginRequest request;
  request.title = JdbcResourceLoader::text("ConnectFailed Untitled");
  request.urlLabel = JdbcResourceLoader::text("ConnectFailed URL");
  request.url = m_URL;
  request.userLabel = JdbcResourceLoader::text("ConnectFailed UserName");
  request.passwordLabel = JdbcResourceLoader::text("ConnectFailed Password");
  request.okText = JdbcResourceLoader::text("ConnectFailed OK");
  request.cancelText = JdbcResourceLoader::text("ConnectFailed Cancel");
  request.user = m_UserName;
  request.password = m_Password;
  return request;
}

void ConnectFailedDialog::show() {
  plat::gui::LoginAnswer answer = plat::gui::DialogService::current()->showLogin(makeRequest());
  if (answer.choice == plat::gui::LoginChoice::Ok) {
    clickedOK(answer.user, answer.password);
  } else {
    clickedCancel();
  }
}

void ConnectFailedDialog::clickedOK(const std::string& userName, const std::string& password) {
  m_UserName = userName;
  m_Password = password;
  m_ShouldRetry = true;
}

void ConnectFailedDialog::clickedCancel() {
  m_ShouldRetry = false;
}

}  // namespace quenlora::zafoli::db::beans::jdbc
