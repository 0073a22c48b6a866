// The headless login request: scripted answers in order and recorded, and without a script one line on standard
// error and Cancel.
#include <gtest/gtest.h>

#include "platform/gui/HeadlessDialogService.h"
#include "platform/lang/System.h"

namespace plat::gui {
namespace {

TEST(HeadlessLogin, ScriptedAnswersInOrderThenCancelWithALine) {
  HeadlessDialogService service;
  service.scriptLogin({LoginChoice::Ok, "bob", "pw"});
  service.scriptLogin({LoginChoice::Closed, "", ""});
  LoginRequest request;
  request.title = "Untitled";
  request.url = "jdbc:x";
  LoginAnswer first = service.showLogin(request);
  EXPECT_EQ(first.choice, LoginChoice::Ok);
  EXPECT_EQ(first.user, "bob");
  EXPECT_EQ(first.password, "pw");
  EXPECT_EQ(service.showLogin(request).choice, LoginChoice::Closed);
  plat::lang::ConsoleCapture err(plat::lang::ConsoleCapture::Target::kErr);
  EXPECT_EQ(service.showLogin(request).choice, LoginChoice::Cancel);
  EXPECT_EQ(err.text(), "Untitled: jdbc:x: login cancelled, no user to ask\n");
  auto shown = service.shownLogins();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].width, 360);
  EXPECT_EQ(shown[0].height, 152);
  EXPECT_EQ(shown[0].background, 0xC0C0C0u);
  EXPECT_EQ(shown[0].echo, '*');
  EXPECT_EQ(shown[0].okBox.x, 68);
}

}  // namespace
}  // namespace plat::gui
