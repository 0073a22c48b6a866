// The claim program's window: the status table, the system and results fields, the Reset and Test buttons and
// the File and Help menus over a ClaimProgram. Every member runs on the GUI thread; the worker's status reaches it
// through StatusListener, which queues each update to the GUI thread and never blocks the worker.
#pragma once

#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>

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

  // `dialogs` (borrowed) answers the questions and shows the boxes; null means real message boxes.
  explicit JFrame1(Dialogs* dialogs = nullptr);
  ~JFrame1() override;
  JFrame1(const JFrame1&) = delete;
  JFrame1& operator=(const JFrame1&) = delete;

  // Window opened: title with version, table, position, the threads, the buttons. Runs once, queued after the
  // first show.
  void open();
  void reset();
  void test();
  void exitApplication();
  void showAbout();
  // The About box placed as showAbout() places it, without showing it.
  std::unique_ptr<JAboutDialog> makeAbout();

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

  // The icon of Help > About..., drawn here so the program needs no image file beside it.
  static QPixmap aboutIcon();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void setButtons(bool enabled);
  void setSystem(const QString& text);

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
  // Last so that it goes first: its destructor joins the threads that report to this window.
  std::unique_ptr<ClaimProgram> program_;
};
