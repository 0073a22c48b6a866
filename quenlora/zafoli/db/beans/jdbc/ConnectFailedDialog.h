// The small modal window that shows a bean's URL and asks for a new user name and password, through the process's
// dialog service (a real window in a Qt program, scripted answers in tests). OK takes both texts and asks for a
// retry; Cancel and the close box do not. Used by one thread at a time.
#pragma once

#include <string>

#include "platform/gui/LoginRequest.h"
#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::beans::jdbc {

class ConnectFailedDialog : public plat::lang::Object {
 public:
  ConnectFailedDialog();

  const std::string& getUserName() const { return m_UserName; }
  void setUserName(std::string userName) { m_UserName = std::move(userName); }
  const std::string& getPassword() const { return m_Password; }
  void setPassword(std::string password) { m_Password = std::move(password); }
  const std::string& getURL() const { return m_URL; }
  void setURL(std::string url) { m_URL = std::move(url); }
  // Kept for the caller; the window does not show it.
  const std::string& getReason() const { return m_Reason; }
  void setReason(std::string reason) { m_Reason = std::move(reason); }
  bool getShouldRetry() const { return m_ShouldRetry; }

  // The window's request: texts of the JDBC bundle, the URL, the current user name and password.
  plat::gui::LoginRequest makeRequest() const;
  // Shows the window modally and waits; afterwards getShouldRetry() tells whether OK was chosen.
  void show();
  // What the buttons do: OK takes both texts and asks for a retry, Cancel clears the retry.
  void clickedOK(const std::string& userName, const std::string& password);
  void clickedCancel();

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.jdbc.ConnectFailedDialog"; }

 private:
  std::string m_UserName;
  std::string m_Password;
  std::string m_URL;
  std::string m_Reason;
  bool m_ShouldRetry = false;
};

}  // namespace quenlora::zafoli::db::beans::jdbc
