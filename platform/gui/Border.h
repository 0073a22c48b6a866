// Borders a component draws around itself: the space they take (insets) and what they are, for views to render.
// Borders are immutable once made and may be shared between components.
#pragma once

#include <string>

#include "platform/gui/Color.h"
#include "platform/gui/Insets.h"
#include "platform/lang/Object.h"

namespace plat::gui {

class Border : public plat::lang::Object {
 public:
  virtual Insets getBorderInsets() const = 0;
};

// Space only.
class EmptyBorder : public Border {
 public:
  EmptyBorder(int top, int left, int bottom, int right) : insets_{top, left, bottom, right} {}
  Insets getBorderInsets() const override { return insets_; }
  std::string getClassName() const override { return "javax.swing.border.EmptyBorder"; }

 private:
  const Insets insets_;
};

// A line of one colour and thickness.
class LineBorder : public Border {
 public:
  explicit LineBorder(Color color, int thickness = 1) : color_(color), thickness_(thickness) {}
  Color getLineColor() const { return color_; }
  int getThickness() const { return thickness_; }
  Insets getBorderInsets() const override { return {thickness_, thickness_, thickness_, thickness_}; }
  std::string getClassName() const override { return "javax.swing.border.LineBorder"; }

 private:
  const Color color_;
  const int thickness_;
};

// A raised or lowered bevel, two pixels wide.
class BevelBorder : public Border {
 public:
  static constexpr int RAISED = 0;
  static constexpr int LOWERED = 1;

  explicit BevelBorder(int bevelType) : bevelType_(bevelType) {}
  int getBevelType() const { return bevelType_; }
  Insets getBorderInsets() const override { return {2, 2, 2, 2}; }
  std::string getClassName() const override { return "javax.swing.border.BevelBorder"; }

 private:
  const int bevelType_;
};

}  // namespace plat::gui
