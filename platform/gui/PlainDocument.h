// A document of plain text held as 16-bit units. The text may be changed from any thread (it is guarded);
// listeners are told after each change, outside the lock, in registration order.
#pragma once

#include <mutex>
#include <string>

#include "platform/gui/Document.h"
#include "platform/gui/ListenerList.h"

namespace plat::gui {

class PlainDocument : public plat::lang::Object, public Document {
 public:
  PlainDocument() = default;
  PlainDocument(const PlainDocument&) = delete;
  PlainDocument& operator=(const PlainDocument&) = delete;

  int getLength() const override;
  std::string getText(int offset, int length) const override;
  // The whole text.
  std::string getText() const { return getText(0, getLength()); }
  // Inserting empty text or removing nothing changes nothing and tells nobody.
  void insertString(int offset, const std::string& text) override;
  void remove(int offset, int length) override;
  void addDocumentListener(const plat::lang::Ref<DocumentListener>& listener) override { listeners_.add(listener); }
  void removeDocumentListener(const plat::lang::Ref<DocumentListener>& listener) override {
    listeners_.remove(listener);
  }
  bool hasDocumentListeners() const { return !listeners_.empty(); }

  std::string getClassName() const override { return "javax.swing.text.PlainDocument"; }

 protected:
  virtual void fireInsertUpdate(const DocumentEvent& event);
  virtual void fireRemoveUpdate(const DocumentEvent& event);
  virtual void fireChangedUpdate(const DocumentEvent& event);

 private:
  mutable std::mutex mutex_;
  std::u16string text_;  // guarded by mutex_
  ListenerList<DocumentListener> listeners_;
};

}  // namespace plat::gui
