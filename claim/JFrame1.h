// The claim program's window: the status table, the system and results fields, the Reset and Test buttons and
// the File and Help menus over a ClaimProgram. Every member runs on the GUI thread; the worker's status reaches it
// through StatusListener, which queues each update to the GUI thread and never blocks the worker. Reset and Exit
// stop the worker on a thread of their own, so the window never freezes while a claim is finished.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "claim/ClaimProgram.h"
#include "claim/Dialogs.h"
#include "claim/IPTester.h"
#include "claim/StatusListener.h"

class JAboutDialog;
class QAction;
class QLineEdit;
class QPushButton;
class QTableView;
class StringTableModel;

class JFrame1 : public QMainWindow, public StatusListener {
 public:
  static constexpr int kWidth = 360;
  static constexpr int kHeight = 110;
  static constexpr int kAboutOffsetX = 120;
  static constexpr int kAboutOffsetY = 25;
  static constexpr int kRowHeight = 18;
  static constexpr int kTableHeight = 40;
  static constexpr int kTestPollMs = 100;  // how often the window looks whether a connectivity test has ended
  static constexpr int kPointSize = 12;
  static constexpr int kMinPointSize = 7;  // the font is stepped down no further on a narrow screen
  static constexpr int kFieldChrome = 16;  // a field's bevel, margins and cursor around its text
  static constexpr int kCellChrome = 12;   // a cell's grid line and margins around its text
  static constexpr int kMinHeaderHeight = 12;
  static constexpr int kGrip = 40;  // pixels of a window that must be on a screen for it to count as there

  // The longest texts each place shows (names of claims and paths aside, which the tooltip shows whole): the
  // fields and the window are sized so that each of them fits.
  static const std::vector<std::string>& systemTexts();
  static const std::vector<std::string>& resultsTexts();
  static const std::vector<std::string>& stepTexts();

  // `dialogs` (borrowed) answers the questions and shows the boxes; null means real message boxes.
  explicit JFrame1(Dialogs* dialogs = nullptr);
  ~JFrame1() override;
  JFrame1(const JFrame1&) = delete;
  JFrame1& operator=(const JFrame1&) = delete;

  // Window opened: title with version, table, position, the threads, the buttons. Runs once, queued after the
  // first show.
  void open();
  // Starts a Reset off the GUI thread; the buttons stay disabled until it is done. Ignored while one runs.
  void reset();
  // Starts a connectivity test; the Test button stays disabled and the system field says so while it runs.
  void test();
  void exitApplication();
  // Exit without the question (a service stop, a log-out): after a Reset under way, the claim in hand is
  // finished, the position saved and the log closed as Exit does.
  void exitWithoutQuestion();
  // SIGTERM and SIGINT exit without the question, SIGHUP resets.
  void onSignal(int sig);
  void showAbout();
  // The About box placed as showAbout() places it, without showing it.
  std::unique_ptr<JAboutDialog> makeAbout();

  // Where a frame of `size` saved at `at` goes: there when enough of it is on one of `screens`, else centred on
  // `primary`.
  static QPoint placeOnScreen(QPoint at, QSize size, const QList<QRect>& screens, QRect primary);

  // Tests put in their own ping command.
  void setTestCommand(IPTester::CommandFor command) { testCommand_ = std::move(command); }

  void statusCell(int column, const std::string& text) override;
  void statusField(Field field, const std::string& text) override;

  ClaimProgram& program() { return *program_; }
  StringTableModel* tableModel() const { return model_; }
  QTableView* table() const { return table_; }
  QPushButton* resetButton() const { return resetButton_; }
  QPushButton* testButton() const { return testButton_; }
  QLineEdit* systemField() const { return system_; }
  QLineEdit* resultsField() const { return results_; }
  QAction* exitAction() const { return exit_; }
  QAction* aboutAction() const { return about_; }
  QWidget* panel() const { return panel_; }
  bool isOpened() const { return opened_; }
  // A Reset or Exit is stopping the threads.
  bool isBusy() const { return busy_; }

  // The icon of Help > About..., drawn here so the program needs no image file beside it.
  static QPixmap aboutIcon();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Moves the frame's top-left corner to `at`, or onto the primary screen when `at` is off every screen.
  void placeFrameAt(QPoint at);
  // Places and sizes everything from the fonts' metrics.
  void layOut();
  void setButtons(bool enabled);
  void setSystem(const QString& text);
  // Runs `work` on the stopper thread, then `done` back on the GUI thread.
  void runOffThread(std::function<std::string()> work, std::function<void(const std::string&)> done);
  void joinStopper();
  void watchTest(plat::lang::Ref<IPTester> tester, QString before);

  std::unique_ptr<Dialogs> ownDialogs_;  // the real boxes when none were given
  Dialogs* dialogs_;                     // borrowed or ownDialogs_
  IPTester::CommandFor testCommand_;
  QWidget* panel_ = nullptr;
  QTableView* table_ = nullptr;
  StringTableModel* model_ = nullptr;  // owned by the table
  QPushButton* resetButton_ = nullptr;
  QPushButton* testButton_ = nullptr;
  QLineEdit* system_ = nullptr;
  QLineEdit* results_ = nullptr;
  QAction* exit_ = nullptr;
  QAction* about_ = nullptr;
  bool openQueued_ = false;
  bool opened_ = false;
  bool exiting_ = false;
  bool exitAfterBusy_ = false;  // an exit came while a Reset was under way
  bool busy_ = false;           // a Reset or Exit runs on stopper_
  std::thread stopper_;         // joined on the GUI thread once its work has reported back
  // Last so that it goes first: its destructor joins the threads that report to this window.
  std::unique_ptr<ClaimProgram> program_;
};
