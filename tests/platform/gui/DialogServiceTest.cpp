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

}  // namespace
}  // namespace plat::gui
