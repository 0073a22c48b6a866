#include "quenlora/zafoli/db/beans/binding/SaveChangesWindow.h"

#include "platform/gui/DialogService.h"
#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/binding/BindingResourceLoader.h"

namespace quenlora::zafoli::db::beans::binding {

namespace {

std::string text(const char* key) {
  return BindingResourceLoader::text(key);
}

constexpr int kCancelButton = 2;

}  // namespace

SaveChangesWindow::SaveChangesWindow() : SaveChangesWindow(text("SaveChange_Title")) {}

SaveChangesWindow::SaveChangesWindow(std::string title) : title_(std::move(title)) {}

SaveChangesWindow::SaveChangesWindow(std::string title, const std::string& message) : title_(std::move(title)) {
  setMessage(message);
}

void SaveChangesWindow::setMessage(const std::string& message) {
  const bool period = !message.empty() && message.back() == '.';
  message_ = message + text(period ? "SaveChange_MessWithPeriod" : "SaveChange_MessWithoutPeriod");
}

plat::gui::ChoiceRequest SaveChangesWindow::makeRequest() const {
  plat::gui::ChoiceRequest request;
  request.title = title_;
  request.heading = text("SaveChange_Warning");
  request.text = message_;
  request.buttons = {text("SaveChange_Save"), text("SaveChange_Discard"), text("SaveChange_Cancel")};
  request.closeAnswer = kCancelButton;
  request.layout = plat::gui::ChoiceRequest::Layout::Border;
  request.width = WIDTH;
  request.height = HEIGHT;
  request.buttonGap = BUTTON_GAP;
  request.rowGap = BUTTON_GAP;
  request.buttonBackground = BUTTON_BACKGROUND;
  request.headingFont = {"Dialog", 12, true};
  request.placement.centre = plat::gui::Placement::Centre::Screen;
  return request;
}

int SaveChangesWindow::run() {
  static constexpr int kAnswers[] = {YES, NO, CANCEL};
  const int pressed = plat::gui::DialogService::current()->choose(makeRequest());
  returnVal = pressed >= 0 && pressed < 3 ? kAnswers[pressed] : CANCEL;
  return returnVal;
}

void SaveChangesWindow::registerClass(plat::runvale::ClassRegistry& registry) {
  registry.registerClass({kClassName,
                          [] { return plat::lang::Ref<plat::lang::Object>(plat::lang::makeRef<SaveChangesWindow>()); },
                          {"quenlora.zafoli.db.beans.binding.SaveChangesDialog"},
                          ""});
}

}  // namespace quenlora::zafoli::db::beans::binding
