// Told of every change of a document, after it happened, on the changing thread.
#pragma once

#include "platform/gui/DocumentEvent.h"

namespace plat::gui {

class DocumentListener {
 public:
  virtual ~DocumentListener() = default;
  virtual void insertUpdate(const DocumentEvent& event) = 0;
  virtual void removeUpdate(const DocumentEvent& event) = 0;
  virtual void changedUpdate(const DocumentEvent& event) = 0;
};

}  // namespace plat::gui
