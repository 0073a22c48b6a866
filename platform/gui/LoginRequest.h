// A login request of the dialog service: a small modal window that shows a URL and asks for a user name and a
// password (echoed as '*'), with OK and Cancel. The layout travels with the request as data, in pixels of the
// client area, so every service draws the same window.
#pragma once

#include <string>

#include "platform/gui/DialogGeometry.h"

namespace plat::gui {

using LoginBox = Box;

struct LoginRequest {
  std::string title;
  std::string urlLabel;
  std::string url;
  std::string userLabel;
  std::string passwordLabel;
  std::string okText;
  std::string cancelText;
  std::string user;      // shown in the user field at first
  std::string password;  // shown (masked) in the password field at first

  int width = 360;
  int height = 152;
  unsigned background = 0xC0C0C0;  // RGB
  int fieldColumns = 28;
  char echo = '*';
  LoginBox urlLabelBox{16, 5, 40, 15};
  LoginBox urlBox{55, 5, 270, 15};
  LoginBox userLabelBox{56, 40, 90, 15};
  LoginBox userBox{164, 37, 166, 23};
  LoginBox passwordLabelBox{64, 68, 90, 15};
  LoginBox passwordBox{164, 65, 166, 23};
  LoginBox okBox{68, 108, 85, 25};
  LoginBox cancelBox{164, 108, 85, 25};
};

// OK with the two texts entered, Cancel, or Closed (the close box).
enum class LoginChoice { Ok, Cancel, Closed };

struct LoginAnswer {
  LoginChoice choice = LoginChoice::Cancel;
  std::string user;      // what the user field held at OK
  std::string password;  // what the password field held at OK
};

}  // namespace plat::gui
