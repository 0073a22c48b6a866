// The two save prompts of the binding core: their windows as data (texts, sizes, rectangles, fonts, placement),
// the message rule, what each answer of the dialog service gives (the close box and an unanswered headless prompt
// cancel), both made by class name, and the same windows shown by the Qt service on the offscreen platform.
#include <gtest/gtest.h>

#include <QLabel>
#include <atomic>
#include <memory>

#include "platform/gui/HeadlessDialogService.h"
#include "platform/gui/qt/QtDialogService.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/binding/DefaultSaveChangesDialog.h"
#include "quenlora/zafoli/db/beans/binding/SaveChangesWindow.h"
#include "tests/platform/gui/qt/QtDialogRobot.h"

namespace quenlora::zafoli::db::beans::binding {
namespace {

using plat::gui::ChoiceRequest;
using plat::gui::DialogService;
using plat::gui::HeadlessDialogService;
using plat::gui::Placement;
namespace qttest = plat::gui::qt::qttest;

class SaveChangesPromptTest : public ::testing::Test {
 protected:
  void SetUp() override { DialogService::setCurrent(headless); }
  void TearDown() override { DialogService::setCurrent(nullptr); }

  std::shared_ptr<HeadlessDialogService> headless = std::make_shared<HeadlessDialogService>();
};

TEST_F(SaveChangesPromptTest, TheDefaultDialogIsAFixedWindowWithYesAndNo) {
  DefaultSaveChangesDialog dialog;
  ChoiceRequest request = dialog.makeRequest();
  EXPECT_EQ(request.title, "DefaultSaveChangesDialog");
  EXPECT_EQ(request.text, "Save changes?");
  EXPECT_EQ(request.buttons, (std::vector<std::string>{" Yes ", "  No  "}));
  EXPECT_EQ(request.layout, ChoiceRequest::Layout::Fixed);
  EXPECT_EQ(request.width, 337);
  EXPECT_EQ(request.height, 135);
  EXPECT_EQ(request.textBox, (plat::gui::Box{78, 33, 180, 23}));
  EXPECT_TRUE(request.centreText);
  EXPECT_EQ(request.buttonBoxes, (std::vector<plat::gui::Box>{{72, 80, 79, 22}, {185, 80, 79, 22}}));
  EXPECT_EQ(request.buttonFont, (plat::gui::DialogFont{"Dialog", 12, true}));
  EXPECT_EQ(request.placement.centre, Placement::Centre::Owner);

  dialog.setMessage("Keep it?");
  EXPECT_EQ(dialog.makeRequest().text, "Keep it?");
  EXPECT_EQ(DefaultSaveChangesDialog("Mine").makeRequest().title, "Mine");
}

TEST_F(SaveChangesPromptTest, TheSaveChangesWindowIsABorderLayoutWithThreeGreyButtons) {
  SaveChangesWindow window;
  ChoiceRequest request = window.makeRequest();
  EXPECT_EQ(request.title, "Save");
  EXPECT_EQ(request.heading, " Warning");
  EXPECT_EQ(request.headingFont, (plat::gui::DialogFont{"Dialog", 12, true}));
  EXPECT_EQ(request.buttons, (std::vector<std::string>{"Save", "Discard", "Cancel"}));
  EXPECT_EQ(request.layout, ChoiceRequest::Layout::Border);
  EXPECT_EQ(request.width, 432);
  EXPECT_EQ(request.height, 112);
  EXPECT_EQ(request.buttonGap, 5);
  EXPECT_EQ(request.rowGap, 5);
  EXPECT_EQ(request.buttonBackground, 0xC0C0C0u);
  EXPECT_EQ(request.placement.centre, Placement::Centre::Screen);
  EXPECT_EQ(SaveChangesWindow("Titled").makeRequest().title, "Titled");
}

TEST_F(SaveChangesPromptTest, TheMessageGetsTheQuestionWithOrWithoutItsOwnPeriod) {
  struct Case {
    std::string message;
    std::string shown;
  } cases[] = {
      {"Unsaved changes.", "Unsaved changes. Do you wish to save them before proceeding?"},
      {"Unsaved changes", "Unsaved changes. Do you wish to save them before proceeding?"},
      {"", ". Do you wish to save them before proceeding?"},
      {"Ends with a dot. ", "Ends with a dot. . Do you wish to save them before proceeding?"},
  };
  for (const auto& c : cases) {
    SaveChangesWindow window;
    window.setMessage(c.message);
    EXPECT_EQ(window.makeRequest().text, c.shown) << c.message;
    EXPECT_EQ(SaveChangesWindow("t", c.message).getMessage(), c.shown);
  }
}

TEST_F(SaveChangesPromptTest, AnswersMapToYesNoCancelAndClosingOrNoUserCancels) {
  constexpr int kNoScript = -2;
  struct Case {
    int scripted;
    int window;  // SaveChangesWindow's answer
    int dialog;  // DefaultSaveChangesDialog's answer
  } cases[] = {
      {0, SaveChangesDialog::YES, SaveChangesDialog::YES},
      {1, SaveChangesDialog::NO, SaveChangesDialog::NO},
      {2, SaveChangesDialog::CANCEL, SaveChangesDialog::CANCEL},
      {HeadlessDialogService::kCloseBox, SaveChangesDialog::CANCEL, SaveChangesDialog::CANCEL},
      {kNoScript, SaveChangesDialog::CANCEL, SaveChangesDialog::CANCEL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scripted);
    plat::lang::ConsoleCapture capture(plat::lang::ConsoleCapture::Target::kErr);
    if (c.scripted != kNoScript) headless->scriptChoice(c.scripted);
    EXPECT_EQ(SaveChangesWindow().run(), c.window);
    if (c.scripted != kNoScript) headless->scriptChoice(c.scripted);
    EXPECT_EQ(DefaultSaveChangesDialog().run(), c.dialog);
    EXPECT_EQ(capture.text().empty(), c.scripted != kNoScript);
  }
  // A close after an earlier Yes of the same dialog still answers CANCEL.
  DefaultSaveChangesDialog dialog;
  headless->scriptChoice(0);
  headless->scriptChoice(HeadlessDialogService::kCloseBox);
  EXPECT_EQ(dialog.run(), SaveChangesDialog::YES);
  EXPECT_EQ(dialog.run(), SaveChangesDialog::CANCEL);
}

TEST_F(SaveChangesPromptTest, BothPromptsAreMadeByClassName) {
  auto& registry = plat::runvale::ClassRegistry::instance();
  for (const char* name : {SaveChangesWindow::kClassName, DefaultSaveChangesDialog::kClassName}) {
    auto prompt = std::dynamic_pointer_cast<SaveChangesDialog>(registry.newInstance(name));
    ASSERT_NE(prompt, nullptr) << name;
    headless->scriptChoice(0);
    EXPECT_EQ(prompt->run(), SaveChangesDialog::YES);
  }
  // The option-style prompt the core names in its own package has no class.
  EXPECT_THROW(registry.newInstance("quenlora.zafoli.db.beans.binding.JSaveChangesWindow"),
               plat::lang::ClassNotFoundException);
}

class SaveChangesPromptQtTest : public ::testing::Test {
 protected:
  void SetUp() override { DialogService::setCurrent(service); }
  void TearDown() override { DialogService::setCurrent(nullptr); }

  QApplication& application = qttest::app();  // before the service, which needs it
  std::shared_ptr<plat::gui::qt::QtDialogService> service = std::make_shared<plat::gui::qt::QtDialogService>();
};

TEST_F(SaveChangesPromptQtTest, EachButtonAnswersAndTheCloseBoxCancelsInBothWindows) {
  struct Case {
    bool defaultDialog;
    std::string action;  // a button index or "close"
    int answer;
  } cases[] = {
      {true, "0", SaveChangesDialog::YES},         {true, "1", SaveChangesDialog::NO},
      {true, "close", SaveChangesDialog::CANCEL},  {false, "0", SaveChangesDialog::YES},
      {false, "1", SaveChangesDialog::NO},         {false, "2", SaveChangesDialog::CANCEL},
      {false, "close", SaveChangesDialog::CANCEL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE((c.defaultDialog ? "default " : "window ") + c.action);
    QSize size;
    std::string text;
    qttest::DialogRobot robot([&](QDialog& d) {
      size = d.size();
      text = d.findChild<QLabel*>("text")->text().toStdString();
      if (c.action == "close") {
        d.close();
      } else {
        qttest::buttonOf(d, std::stoi(c.action))->click();
      }
    });
    int answer = 0;
    if (c.defaultDialog) {
      answer = DefaultSaveChangesDialog().run();
    } else {
      answer = SaveChangesWindow("Save", "Unsaved changes").run();
    }
    ASSERT_TRUE(robot.acted());
    EXPECT_EQ(answer, c.answer);
    EXPECT_EQ(size, c.defaultDialog ? QSize(337, 135) : QSize(432, 112));
    EXPECT_EQ(text, c.defaultDialog ? "Save changes?" : "Unsaved changes. Do you wish to save them before proceeding?");
  }
}

TEST_F(SaveChangesPromptQtTest, APromptAskedFromAWorkerShowsOnTheGuiThread) {
  std::atomic<int> answer{0};
  qttest::DialogRobot robot([](QDialog& d) { qttest::buttonOf(d, 1)->click(); });
  qttest::Worker worker([&] { answer = SaveChangesWindow().run(); });
  ASSERT_TRUE(worker.pumpUntilFinished());
  ASSERT_TRUE(robot.acted());
  EXPECT_TRUE(robot.onGuiThread());
  EXPECT_EQ(answer.load(), SaveChangesDialog::NO);
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding
