// The text model of a text component. Offsets and lengths count 16-bit units, as the toolkit's callers expect;
// text crosses the interface as UTF-8. A contract only: implementations say their thread rules.
#pragma once

#include <string>

#include "platform/gui/DocumentListener.h"
#include "platform/lang/Object.h"

namespace plat::gui {

class Document {
 public:
  virtual ~Document() = default;
  virtual int getLength() const = 0;
  // BadLocationException unless 0 <= offset, 0 <= length and offset + length <= getLength().
  virtual std::string getText(int offset, int length) const = 0;
  // BadLocationException unless 0 <= offset <= getLength().
  virtual void insertString(int offset, const std::string& text) = 0;
  // BadLocationException unless the range lies inside the text.
  virtual void remove(int offset, int length) = 0;
  virtual void addDocumentListener(const plat::lang::Ref<DocumentListener>& listener) = 0;
  virtual void removeDocumentListener(const plat::lang::Ref<DocumentListener>& listener) = 0;
};

}  // namespace plat::gui
