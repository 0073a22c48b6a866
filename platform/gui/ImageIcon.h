// An image made from encoded bytes (PNG, GIF or JPEG). Only the header is read, for the size: pixels are decoded
// by a view that shows the icon. Immutable once made.
#pragma once

#include <string>

#include "platform/lang/Value.h"

namespace plat::gui {

class ImageIcon : public plat::lang::Object {
 public:
  // IllegalArgumentException when the bytes are no image of a known kind or their header is cut short.
  explicit ImageIcon(plat::lang::Value::Bytes bytes);

  int getIconWidth() const { return width_; }
  int getIconHeight() const { return height_; }
  const plat::lang::Value::Bytes& getImageData() const { return bytes_; }

  std::string getClassName() const override { return "javax.swing.ImageIcon"; }

 private:
  plat::lang::Value::Bytes bytes_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace plat::gui
