#include "claim/ASCII.h"

const ASCII& ASCII::getInstance() {
  static const ASCII instance;
  return instance;
}
