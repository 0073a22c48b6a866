// A change of a document: text inserted or removed, or a change of the whole content, at an offset and over a
// length, both in 16-bit units.
#pragma once

#include "platform/gui/EventObject.h"

namespace plat::gui {

class Document;

class DocumentEvent : public EventObject {
 public:
  enum class EventType { INSERT, REMOVE, CHANGE };

  DocumentEvent(plat::lang::Object* source, Document* document, EventType type, int offset, int length)
      : EventObject(source), document_(document), type_(type), offset_(offset), length_(length) {}
  Document* getDocument() const { return document_; }
  EventType getType() const { return type_; }
  int getOffset() const { return offset_; }
  int getLength() const { return length_; }

 private:
  Document* document_;  // back reference
  EventType type_;
  int offset_;
  int length_;
};

}  // namespace plat::gui
