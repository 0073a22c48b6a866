// The interface of a class that jpeRunMain() starts by name: the program's main operation. The object is created
// by the registry's factory, so it derives plat::lang::Object as well; main() runs on the calling thread.
#pragma once

#include <string>
#include <vector>

namespace plat::runvale {

class MainClass {
 public:
  MainClass() = default;
  MainClass(const MainClass&) = delete;
  MainClass& operator=(const MainClass&) = delete;
  virtual ~MainClass() = default;

  // Runs the program with its arguments (without the program name) and returns its exit code.
  virtual int main(const std::vector<std::string>& args) = 0;
};

}  // namespace plat::runvale
