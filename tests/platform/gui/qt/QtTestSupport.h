// The one QApplication of the test process (offscreen platform), a bounded event pump, a worker thread that is
// never waited for without bound, and a robot that answers the next message box.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace plat::gui::qt::qttest {

inline constexpr int kWaitMs = 10000;

inline QApplication& app() {
  static int argc = 1;
  static char name[] = "plat_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* instance = [] {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return new QApplication(argc, argv);  // lives until the process ends
  }();
  return *instance;
}

// Runs the GUI event loop until done() holds or timeoutMs passed; answers done().
inline bool pumpUntil(const std::function<bool()>& done, int timeoutMs = kWaitMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

// A thread running one function. The destructor joins it when it has finished and otherwise lets it go, so that a
// failing test cannot hang on a worker stuck in a wait.
class Worker {
 public:
  explicit Worker(std::function<void()> body) : state_(std::make_shared<State>()) {
    thread_ = std::thread([state = state_, body = std::move(body)] {
      body();
      state->finished = true;
    });
  }
  ~Worker() {
    if (finished()) {
      thread_.join();
    } else {
      thread_.detach();
    }
  }
  Worker(const Worker&) = delete;
  Worker& operator=(const Worker&) = delete;

  bool finished() const { return state_->finished.load(); }
  // Pumps GUI events until the worker has finished (bounded).
  bool pumpUntilFinished() {
    return pumpUntil([this] { return finished(); });
  }

 private:
  struct State {
    std::atomic<bool> finished{false};
  };
  std::shared_ptr<State> state_;
  std::thread thread_;
};

// What the robot saw of the box it answered.
struct SeenBox {
  bool seen = false;
  std::string title;
  std::string text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  Qt::TextFormat format = Qt::AutoText;
  QMessageBox::StandardButtons buttons;
  QWidget* parent = nullptr;
  bool onGuiThread = false;
};

// Polls on the GUI thread for the active modal message box and clicks `button` on it, or closes it when button is
// NoButton. Gives up after timeoutMs, closing whatever modal widget is open then, so that a test never hangs in a
// modal loop.
class BoxRobot {
 public:
  explicit BoxRobot(QMessageBox::StandardButton button, int timeoutMs = kWaitMs) : seen_(std::make_shared<Shared>()) {
    auto* timer = new QTimer(&app());
    auto seen = seen_;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, seen, button, end] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box != nullptr && box->isVisible()) {
        {
          std::lock_guard<std::mutex> lock(seen->mutex);
          seen->box.seen = true;
          seen->box.title = box->windowTitle().toStdString();
          seen->box.text = box->text().toStdString();
          seen->box.icon = box->icon();
          seen->box.format = box->textFormat();
          seen->box.buttons = box->standardButtons();
          seen->box.parent = box->parentWidget();
          seen->box.onGuiThread = box->thread() == QThread::currentThread() && box->thread() == app().thread();
        }
        if (button == QMessageBox::NoButton || box->button(button) == nullptr) {
          box->close();
        } else {
          box->button(button)->click();
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

  SeenBox seen() const {
    std::lock_guard<std::mutex> lock(seen_->mutex);
    return seen_->box;
  }

 private:
  struct Shared {
    std::mutex mutex;
    SeenBox box;
  };
  std::shared_ptr<Shared> seen_;
};

}  // namespace plat::gui::qt::qttest
