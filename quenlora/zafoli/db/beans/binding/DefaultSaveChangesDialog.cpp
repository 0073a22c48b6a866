#include "quenlora/zafoli/db/beans/binding/DefaultSaveChangesDialog.h"

#include "platform/gui/DialogService.h"
#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/binding/BindingResourceLoader.h"

namespace quenlora::zafoli::db::beans::binding {

namespace {

constexpr int kYesButton = 0;
constexpr int kNoButton = 1;
constexpr int kClosed = 2;  // no button has this index

}  // namespace

DefaultSaveChangesDialog::DefaultSaveChangesDialog()
    : DefaultSaveChangesDialog(BindingResourceLoader::text("DefSCDialog_Title")) {}

DefaultSaveChangesDialog::DefaultSaveChangesDialog(std::string title)
    : title_(std::move(title)), label_(BindingResourceLoader::text("DefSCDialog_SaveChanges")) {}

void DefaultSaveChangesDialog::setMessage(const std::string& message) {
  label_ = message;
}

plat::gui::ChoiceRequest DefaultSaveChangesDialog::makeRequest() const {
  plat::gui::ChoiceRequest request;
  request.title = title_;
  request.text = label_;
  request.buttons = {BindingResourceLoader::text("DefSCDialog_Yes"), BindingResourceLoader::text("DefSCDialog_No")};
  request.closeAnswer = kClosed;
  request.layout = plat::gui::ChoiceRequest::Layout::Fixed;
  request.width = WIDTH;
  request.height = HEIGHT;
  request.textBox = LABEL_BOUNDS;
  request.centreText = true;
  request.buttonBoxes = {YES_BOUNDS, NO_BOUNDS};
  request.buttonFont = {"Dialog", 12, true};
  request.placement.centre = plat::gui::Placement::Centre::Owner;
  return request;
}

int DefaultSaveChangesDialog::run() {
  switch (plat::gui::DialogService::current()->choose(makeRequest())) {
    case kYesButton:
      result = YES;
      break;
    case kNoButton:
      result = NO;
      break;
    default:
      // Closing the window is no answer: stay, and lose nothing.
      result = CANCEL;
      break;
  }
  return result;
}

void DefaultSaveChangesDialog::registerClass(plat::runvale::ClassRegistry& registry) {
  registry.registerClass(
      {kClassName,
       [] { return plat::lang::Ref<plat::lang::Object>(plat::lang::makeRef<DefaultSaveChangesDialog>()); },
       {"quenlora.zafoli.db.beans.binding.SaveChangesDialog"},
       ""});
}

}  // namespace quenlora::zafoli::db::beans::binding
