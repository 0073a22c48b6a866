// Names for the 128 ASCII byte values. Every value is a compile-time constant, so the one shared instance is
// immutable and may be read from any thread.
#pragma once

#include <cstdint>

class ASCII {
 public:
  using Byte = std::uint8_t;

  static const ASCII& getInstance();

  static constexpr Byte nul = 0, soh = 1, stx = 2, etx = 3, eot = 4, enq = 5, ack = 6, bel = 7;
  static constexpr Byte bs = 8, ht = 9, lf = 10, vt = 11, ff = 12, cr = 13, so = 14, si = 15;
  static constexpr Byte dle = 16, dc1 = 17, dc2 = 18, dc3 = 19, dc4 = 20, nak = 21, syn = 22, etb = 23;
  static constexpr Byte can = 24, em = 25, sub = 26, esc = 27, fs = 28, gs = 29, rs = 30, us = 31;
  static constexpr Byte space = 32, exclamation = 33, quotation = 34, pound = 35, dollar = 36, percent = 37;
  static constexpr Byte ampersand = 38, apostophe = 39, left_parenthesis = 40, right_parenthesis = 41;
  static constexpr Byte asterisk = 42, plus = 43, comma = 44, minus = 45, period = 46, slash = 47;
  static constexpr Byte zero = 48, one = 49, two = 50, three = 51, four = 52, five = 53, six = 54, seven = 55;
  static constexpr Byte eight = 56, nine = 57, colon = 58, semi_colon = 59, less_than = 60, equal = 61;
  static constexpr Byte greater_than = 62, question = 63, at = 64;
  static constexpr Byte A = 65, B = 66, C = 67, D = 68, E = 69, F = 70, G = 71, H = 72, I = 73, J = 74, K = 75;
  static constexpr Byte L = 76, M = 77, N = 78, O = 79, P = 80, Q = 81, R = 82, S = 83, T = 84, U = 85, V = 86;
  static constexpr Byte W = 87, X = 88, Y = 89, Z = 90;
  static constexpr Byte left_bracket = 91, back_slash = 92, right_bracket = 93, caret = 94, underscore = 95;
  static constexpr Byte grave = 96;
  static constexpr Byte a = 97, b = 98, c = 99, d = 100, e = 101, f = 102, g = 103, h = 104, i = 105, j = 106;
  static constexpr Byte k = 107, l = 108, m = 109, n = 110, o = 111, p = 112, q = 113, r = 114, s = 115, t = 116;
  static constexpr Byte u = 117, v = 118, w = 119, x = 120, y = 121, z = 122;
  static constexpr Byte left_brace = 123, pipe = 124, right_brace = 125, tilde = 126;
  static constexpr Byte delete_ = 127;  // "delete" is a C++ keyword
};
