// A label: a text, an optional icon, and an alignment. Labels take no focus.
#pragma once

#include <string>

#include "platform/gui/Component.h"
#include "platform/gui/ImageIcon.h"

namespace plat::gui {

class Label : public Component {
 public:
  Label() { setFocusable(false); }
  explicit Label(const std::string& text) : Label() { text_ = text; }

  const std::string& getText() const { return text_; }
  virtual void setText(const std::string& text) { text_ = text; }
  const plat::lang::Ref<ImageIcon>& getIcon() const { return icon_; }
  void setIcon(plat::lang::Ref<ImageIcon> icon) { icon_ = std::move(icon); }
  int getHorizontalAlignment() const { return alignment_; }
  void setHorizontalAlignment(int alignment) { alignment_ = alignment; }
  bool isOpaque() const { return opaque_; }
  void setOpaque(bool opaque) { opaque_ = opaque; }

  std::string getClassName() const override { return "javax.swing.JLabel"; }

 private:
  std::string text_;
  plat::lang::Ref<ImageIcon> icon_;
  int alignment_ = LEADING;
  bool opaque_ = false;
};

}  // namespace plat::gui
