// Real message boxes on the offscreen platform, answered by a robot that clicks their buttons: kinds and answers,
// plain text, the parent window, a request from a worker thread handed to the GUI thread, and installing the Qt
// services as the process's current ones.
#include "platform/gui/qt/QtDialogService.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <atomic>
#include <memory>

#include "platform/gui/EventQueue.h"
#include "platform/gui/qt/QtServices.h"
#include "tests/platform/gui/qt/QtTestSupport.h"

namespace plat::gui::qt {
namespace {

using qttest::app;
using qttest::BoxRobot;
using qttest::SeenBox;
using qttest::Worker;

class QtDialogServiceTest : public ::testing::Test {
 protected:
  QApplication& application = app();  // before the service, which needs it
  QtDialogService service;
};

TEST_F(QtDialogServiceTest, EachKindShowsItsBoxAndAnswersWithTheButtonClicked) {
  struct Case {
    MessageKind kind;
    QMessageBox::StandardButton click;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    DialogAnswer answer;
  } cases[] = {
      {MessageKind::Information, QMessageBox::Ok, QMessageBox::Information, QMessageBox::Ok, DialogAnswer::Ok},
      {MessageKind::Warning, QMessageBox::Ok, QMessageBox::Warning, QMessageBox::Ok, DialogAnswer::Ok},
      {MessageKind::Error, QMessageBox::Ok, QMessageBox::Critical, QMessageBox::Ok, DialogAnswer::Ok},
      {MessageKind::Question, QMessageBox::Yes, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
       DialogAnswer::Yes},
      {MessageKind::Question, QMessageBox::No, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
       DialogAnswer::No},
      // Closing a question is no Yes.
      {MessageKind::Question, QMessageBox::NoButton, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
       DialogAnswer::No},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    BoxRobot robot(c.click);
    DialogAnswer answer = service.show(MessageRequest{c.kind, "Title", "Some text"});
    SeenBox seen = robot.seen();
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(answer, c.answer);
    EXPECT_EQ(seen.title, "Title");
    EXPECT_EQ(seen.text, "Some text");
    EXPECT_EQ(seen.icon, c.icon);
    EXPECT_EQ(seen.buttons, c.buttons);
  }
}

TEST_F(QtDialogServiceTest, MarkupInTheTextIsShownAsItStands) {
  BoxRobot robot(QMessageBox::Ok);
  service.showMessage(MessageKind::Error, "SQL", "select * from t where a < 1 and <b>b</b> > 2");
  SeenBox seen = robot.seen();
  ASSERT_TRUE(seen.seen);
  EXPECT_EQ(seen.format, Qt::PlainText);
  EXPECT_EQ(seen.text, "select * from t where a < 1 and <b>b</b> > 2");
}

TEST_F(QtDialogServiceTest, BoxesBelongToTheParentWindowWhileItLives) {
  auto window = std::make_unique<QWidget>();
  QtDialogService owned(window.get());
  {
    BoxRobot robot(QMessageBox::Ok);
    owned.showMessage(MessageKind::Information, "", "with parent");
    ASSERT_TRUE(robot.seen().seen);
    EXPECT_EQ(robot.seen().parent, window.get());
  }
  window.reset();
  BoxRobot robot(QMessageBox::Ok);
  owned.showMessage(MessageKind::Information, "", "parent gone");
  ASSERT_TRUE(robot.seen().seen);
  EXPECT_EQ(robot.seen().parent, nullptr);
}

TEST_F(QtDialogServiceTest, ARequestFromAWorkerIsShownOnTheGuiThreadAndWaitedFor) {
  std::atomic<bool> returned{false};
  std::atomic<int> answer{-1};
  BoxRobot robot(QMessageBox::Yes);
  Worker worker([&] {
    answer = static_cast<int>(service.show(MessageRequest{MessageKind::Question, "Save", "Save changes?"}));
    returned = true;
  });
  // The worker cannot come back before the box is answered, and the box comes up only while the GUI loop runs.
  EXPECT_FALSE(returned.load());
  ASSERT_TRUE(worker.pumpUntilFinished());
  SeenBox seen = robot.seen();
  ASSERT_TRUE(seen.seen);
  EXPECT_TRUE(seen.onGuiThread);
  EXPECT_EQ(seen.text, "Save changes?");
  EXPECT_EQ(answer.load(), static_cast<int>(DialogAnswer::Yes));
}

TEST_F(QtDialogServiceTest, ServicesAreInstalledForTheLifeOfTheGuardAndTakenBackAfter) {
  {
    QtServices services;
    EXPECT_EQ(DialogService::current(), services.dialogs());
    EXPECT_EQ(EventQueue::current(), services.queue());
    EXPECT_TRUE(DialogService::current()->isGraphical());

    // Library code asking the current services from a worker gets a real box on the GUI thread.
    std::atomic<bool> yes{false};
    BoxRobot robot(QMessageBox::Yes);
    Worker worker([&] { yes = DialogService::current()->askYesNo("Exit", "Do you really want to exit?"); });
    ASSERT_TRUE(worker.pumpUntilFinished());
    EXPECT_TRUE(robot.seen().onGuiThread);
    EXPECT_TRUE(yes.load());
  }
  EXPECT_FALSE(DialogService::current()->isGraphical());
  EXPECT_EQ(std::dynamic_pointer_cast<QtEventQueue>(EventQueue::current()), nullptr);
}

}  // namespace
}  // namespace plat::gui::qt
