// The fold operators of the numeric calculations. Constants only.
#pragma once

namespace quenlora::zafoli::db::beans::brl::derivation {

class DerivationOperators {
 public:
  DerivationOperators() = delete;

  static constexpr int UNKNOWN = -1;
  static constexpr int ADDITION = 0;
  static constexpr int MULTIPLICATION = 1;
  static constexpr int DIVISION = 2;
  static constexpr int SUBTRACTION = 3;
  static constexpr int MAX = 4;
  static constexpr int MIN = 5;
  static constexpr int AVG = 6;        // declared; the fold leaves the accumulator unchanged
  static constexpr int STRCONCAT = 7;  // declared; the fold leaves the accumulator unchanged
};

}  // namespace quenlora::zafoli::db::beans::brl::derivation
