// The login window on the offscreen platform: its geometry, colour and widgets as the request lays them out, and
// what OK, Cancel and the close box answer, also when asked from a worker thread.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <mutex>

#include "platform/gui/qt/QtDialogService.h"
#include "tests/platform/gui/qt/QtTestSupport.h"

namespace plat::gui::qt {
namespace {

using qttest::app;
using qttest::Worker;

struct SeenLogin {
  bool seen = false;
  QSize size;
  QColor background;
  std::map<std::string, QRect> geometry;
  std::map<std::string, std::string> texts;
  QLineEdit::EchoMode passwordEcho = QLineEdit::Normal;
};

// Polls for the active modal login window, records it, types into its fields and presses `action` ("ok",
// "cancel", or "close"); bounded like the box robot.
class LoginRobot {
 public:
  LoginRobot(std::string action, std::string user, std::string password)
      : seen_(std::make_shared<std::pair<std::mutex, SeenLogin>>()) {
    auto* timer = new QTimer(&app());
    auto seen = seen_;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(qttest::kWaitMs);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog != nullptr && dialog->isVisible()) {
        {
          std::lock_guard lock(seen->first);
          SeenLogin& s = seen->second;
          s.seen = true;
          s.size = dialog->size();
          s.background = dialog->palette().color(QPalette::Window);
          for (QWidget* w : dialog->findChildren<QWidget*>()) {
            std::string name = w->objectName().toStdString();
            if (name.empty()) continue;
            s.geometry[name] = w->geometry();
            if (auto* l = qobject_cast<QLabel*>(w)) s.texts[name] = l->text().toStdString();
            if (auto* e = qobject_cast<QLineEdit*>(w)) s.texts[name] = e->text().toStdString();
            if (auto* b = qobject_cast<QPushButton*>(w)) s.texts[name] = b->text().toStdString();
          }
          s.passwordEcho = dialog->findChild<QLineEdit*>("password")->echoMode();
        }
        dialog->findChild<QLineEdit*>("user")->setText(QString::fromStdString(user));
        dialog->findChild<QLineEdit*>("password")->setText(QString::fromStdString(password));
        if (action == "close") {
          dialog->close();
        } else {
          dialog->findChild<QPushButton*>(QString::fromStdString(action))->click();
        }
        timer->deleteLater();
        timer->stop();
      } else if (std::chrono::steady_clock::now() > end) {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        timer->deleteLater();
        timer->stop();
      }
    });
    timer->start(10);
  }
  SeenLogin seen() const {
    std::lock_guard lock(seen_->first);
    return seen_->second;
  }

 private:
  std::shared_ptr<std::pair<std::mutex, SeenLogin>> seen_;
};

LoginRequest request() {
  LoginRequest r;
  r.title = "Untitled";
  r.urlLabel = "URL:";
  r.url = "jdbc:sqlite:x";
  r.userLabel = "User Name:";
  r.passwordLabel = "Password:";
  r.okText = "OK";
  r.cancelText = "Cancel";
  r.user = "ann";
  r.password = "old";
  return r;
}

TEST(QtLoginDialog, LaidOutAsRequestedAndAnsweredByTheButtonPressed) {
  QApplication& application = app();
  (void)application;
  QtDialogService service;
  struct Case {
    const char* action;
    LoginChoice choice;
    const char* user;
  } cases[] = {{"ok", LoginChoice::Ok, "bob"}, {"cancel", LoginChoice::Cancel, ""}, {"close", LoginChoice::Closed, ""}};
  for (const auto& k : cases) {
    LoginRobot robot(k.action, "bob", "new");
    LoginAnswer answer = service.showLogin(request());
    SeenLogin seen = robot.seen();
    ASSERT_TRUE(seen.seen) << k.action;
    EXPECT_EQ(answer.choice, k.choice) << k.action;
    EXPECT_EQ(answer.user, k.user);
    EXPECT_EQ(seen.size, QSize(360, 152));
    EXPECT_EQ(seen.background.rgb() & 0xFFFFFF, 0xC0C0C0u);
    EXPECT_EQ(seen.geometry["urlLabel"], QRect(16, 5, 40, 15));
    EXPECT_EQ(seen.geometry["url"], QRect(55, 5, 270, 15));
    EXPECT_EQ(seen.geometry["user"], QRect(164, 37, 166, 23));
    EXPECT_EQ(seen.geometry["password"], QRect(164, 65, 166, 23));
    EXPECT_EQ(seen.geometry["ok"], QRect(68, 108, 85, 25));
    EXPECT_EQ(seen.geometry["cancel"], QRect(164, 108, 85, 25));
    EXPECT_EQ(seen.texts["url"], "jdbc:sqlite:x");
    EXPECT_EQ(seen.texts["user"], "ann");
    EXPECT_EQ(seen.texts["cancel"], "Cancel");
    EXPECT_EQ(seen.passwordEcho, QLineEdit::Password);
  }
}

TEST(QtLoginDialog, AWorkerThreadWaitsForTheAnswerFromTheGuiThread) {
  app();
  QtDialogService service;
  LoginRobot robot("ok", "carl", "pw");
  LoginAnswer answer;
  Worker worker([&] { answer = service.showLogin(request()); });
  ASSERT_TRUE(worker.pumpUntilFinished());
  EXPECT_EQ(answer.choice, LoginChoice::Ok);
  EXPECT_EQ(answer.user, "carl");
  EXPECT_EQ(answer.password, "pw");
}

}  // namespace
}  // namespace plat::gui::qt
