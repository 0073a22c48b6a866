#include "quenlora/zafoli/db/beans/javax/swing/JSaveChangesWindow.h"

#include "platform/gui/DialogService.h"
#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/binding/BindingResourceLoader.h"

namespace quenlora::zafoli::db::beans::javax::swing {

namespace {

std::string text(const char* key) {
  return binding::BindingResourceLoader::text(key);
}

constexpr int kCancelButton = 2;

}  // namespace

void JSaveChangesWindow::setMessage(const std::string& message) {
  m_message = message + "\n" + text("JSCWindow_Mess");
}

plat::gui::ChoiceRequest JSaveChangesWindow::makeRequest() const {
  plat::gui::ChoiceRequest request;
  request.title = text("JSCWindow_SaveTitle");
  request.text = m_message;
  request.buttons = {text("JSCWindow_Save"), text("JSCWindow_Discard"), text("JSCWindow_Cancel")};
  request.closeAnswer = kCancelButton;
  request.preselected = 0;
  request.layout = plat::gui::ChoiceRequest::Layout::Border;
  request.placement.centre = plat::gui::Placement::Centre::Screen;
  return request;
}

int JSaveChangesWindow::run() {
  static constexpr int kAnswers[] = {YES, NO, CANCEL};
  const int pressed = plat::gui::DialogService::current()->choose(makeRequest());
  returnval = pressed >= 0 && pressed < 3 ? kAnswers[pressed] : CANCEL;
  return returnval;
}

void JSaveChangesWindow::registerClass(plat::runvale::ClassRegistry& registry) {
  registry.registerClass({kClassName,
                          [] { return plat::lang::Ref<plat::lang::Object>(plat::lang::makeRef<JSaveChangesWindow>()); },
                          {"quenlora.zafoli.db.beans.binding.SaveChangesDialog"},
                          ""});
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
