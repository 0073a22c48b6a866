#include "platform/gui/DialogService.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/gui/HeadlessDialogService.h"
#include "platform/lang/System.h"

namespace plat::gui {
namespace {

class DialogServiceTest : public ::testing::Test {
 protected:
  void TearDown() override { DialogService::setCurrent(nullptr); }
};

TEST_F(DialogServiceTest, ScriptedAnswersAreUsedInOrderAndRequestsRecorded) {
  auto service = std::make_shared<HeadlessDialogService>();
  service->scriptAnswer(DialogAnswer::Yes);
  service->scriptAnswer(DialogAnswer::No);
  DialogService::setCurrent(service);

  EXPECT_TRUE(DialogService::current()->askYesNo("Save", "Save changes?"));
  EXPECT_FALSE(DialogService::current()->askYesNo("Save", "Save again?"));

  auto shown = service->shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].kind, MessageKind::Question);
  EXPECT_EQ(shown[1].text, "Save again?");
  EXPECT_EQ(service->pendingAnswers(), 0u);
}

TEST_F(DialogServiceTest, UnscriptedDialogsGoToStandardErrorWithSafeAnswers) {
  auto service = std::make_shared<HeadlessDialogService>();
  DialogService::setCurrent(service);
  plat::lang::ConsoleCapture capture(plat::lang::ConsoleCapture::Target::kErr);

  DialogService::current()->showMessage(MessageKind::Error, "Login", "Wrong password");
  EXPECT_FALSE(DialogService::current()->askYesNo("", "Delete the record?"));

  EXPECT_EQ(capture.text(), "Login: Wrong password\nDelete the record?\n");
}

TEST_F(DialogServiceTest, ClearingTheServicePutsBackAHeadlessOne) {
  auto service = std::make_shared<HeadlessDialogService>();
  DialogService::setCurrent(service);
  DialogService::setCurrent(nullptr);
  auto current = DialogService::current();
  ASSERT_NE(current, nullptr);
  EXPECT_NE(current, service);
  EXPECT_FALSE(current->isGraphical());
}

TEST_F(DialogServiceTest, ChoicesAnswerTheirScriptAndTheCloseBoxItsSetAnswer) {
  auto service = std::make_shared<HeadlessDialogService>();
  ChoiceRequest request;
  request.title = "Save";
  request.text = "Changes?";
  request.buttons = {"Save", "Discard", "Cancel"};
  request.closeAnswer = 7;
  struct Case {
    int scripted;
    int answer;
  } cases[] = {{0, 0}, {2, 2}, {HeadlessDialogService::kCloseBox, 7}};
  for (const auto& c : cases) service->scriptChoice(c.scripted);
  for (const auto& c : cases) EXPECT_EQ(service->choose(request), c.answer) << c.scripted;

  auto shown = service->shownChoices();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[2].buttons, request.buttons);
  // Other scripts are not consumed by choices.
  service->scriptAnswer(DialogAnswer::Yes);
  plat::lang::ConsoleCapture capture(plat::lang::ConsoleCapture::Target::kErr);
  EXPECT_EQ(service->choose(request), 7);
  EXPECT_EQ(capture.text(), "Save: Changes?: no window can be shown\n");
  EXPECT_EQ(service->pendingAnswers(), 1u);
}

TEST_F(DialogServiceTest, FailedRecordsAnswerTheirScriptElseTheUnattendedAnswer) {
  auto service = std::make_shared<HeadlessDialogService>();
  FailedRecordRequest request;
  request.title = "Errors";
  request.buttons = {"Skip All", "Skip Record", "Cancel Save"};
  request.unattendedAnswer = 2;
  request.rows = {{"Modified", "1"}, {"Original", "2"}};
  service->scriptFailedRecord(1);
  EXPECT_EQ(service->showFailedRecord(request), 1);
  plat::lang::ConsoleCapture capture(plat::lang::ConsoleCapture::Target::kErr);
  EXPECT_EQ(service->showFailedRecord(request), 2);
  EXPECT_EQ(capture.text(), "Errors: no window can be shown\n");
  ASSERT_EQ(service->shownFailedRecords().size(), 2u);
  EXPECT_EQ(service->shownFailedRecords()[1].rows, request.rows);
  EXPECT_TRUE(service->shownChoices().empty());
}

}  // namespace
}  // namespace plat::gui
