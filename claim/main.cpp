// Entry point of the claim program: the window by default, "--headless" without one, "--test-connection" for
// one connectivity test.
#include <QApplication>
#include <cstring>
#include <exception>
#include <iostream>

#include "claim/Headless.h"
#include "claim/JFrame1.h"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--headless") == 0) return Headless::run(std::cout);
    if (std::strcmp(argv[i], "--test-connection") == 0) return Headless::testConnection(std::cout);
  }
  try {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);  // only Exit ends the program
    JFrame1 window;
    window.show();
    return app.exec();
  } catch (const std::exception& e) {
    std::cerr << e.what() << std::endl;
    return 1;
  }
}
