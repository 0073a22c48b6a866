#include "claim/Constants.h"

const Constants& Constants::getInstance() {
  static const Constants instance;
  return instance;
}
