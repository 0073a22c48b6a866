// The rule adapters' shared constants: rule types, modes, interface names, layout numbers and the bundle-filled
// descriptions, with the small conversions of comma- and line-separated lists. Constants only; the bundle-filled
// values are taken once, at first use; safe from any thread.
#pragma once

#include <string>
#include <vector>

namespace quenlora::zafoli::db::beans::brl::adapter {

class ComputedColAdapterConstants {
 public:
  ComputedColAdapterConstants() = delete;

  static constexpr int NUMTYPES = 3;
  static constexpr int NUM_DERIVATIONRULE_TYPES = 2;
  static constexpr int NUM_VALIDATIONRULE_TYPES = 1;
  static constexpr int UNKNOWN = -1;
  static constexpr int DERIVATION_PERROW = 0;
  static constexpr int DERIVATION_PERROWSET = 1;
  static constexpr int VALIDATION_PERROW = 0;
  static constexpr int DERIVATION = 3;  // the calculation marker's rule type
  static constexpr int VALIDATION = 4;  // the validation marker's rule type
  static constexpr int SINGLEROW_MODE = 5;
  static constexpr int MULTIROW_MODE = 6;
  static constexpr const char* DERIVATION_IFACENAME = "quenlora.zafoli.db.beans.brl.Calculation";
  static constexpr const char* VALIDATION_IFACENAME = "quenlora.zafoli.db.beans.brl.Validation";
  static constexpr int MAXIMUM_ROW_SIZE = 4;
  static constexpr int LINEBORDER_SIZE = 4;
  static constexpr const char* DEFAULTFONT_NAME = "Dialog";
  static constexpr int DERIVBEAN_NUMPROPS = 7;
  static constexpr int DERIVBEAN_DISPLAYPROPS = 7;
  static constexpr int VALIDBEAN_NUMPROPS = 10;
  static constexpr int VALIDBEAN_DISPLAYPROPS = 10;
  static constexpr const char* PROP_NO_INTRO_PAGE = "NO_INTRO_PAGE";
  static constexpr int NUMINPUTTYPES = 2;
  static constexpr int DATABOUND_INPUTTYPE = 0;
  static constexpr int CONSTANT_INPUTTYPE = 1;

  // A font by name, style (0 plain) and point size.
  struct Font {
    std::string name;
    int style = 0;
    int size = 0;
  };
  // Space on each side of a component.
  struct Insets {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
  };

  // Filled from the bundle at first use.
  static const std::vector<std::string>& INPUTTYPES_DESC();        // "Column", "Constant"
  static const std::vector<std::string>& DERIVATIONCOLUMN_DESC();  // "Row", "Set of Rows"
  static const std::vector<std::string>& VALIDATIONCOLUMN_DESC();  // "Row"
  static int DEFAULTFONT_SIZE();
  static int WIZARDPANEL_WIDTH();
  static int WIZARDPANEL_HEIGHT();
  static int PROPEDITOR_WIDTH();
  static int PROPEDITOR_HEIGHT();

  static bool isDerivationRule(int type) { return type == DERIVATION_PERROW || type == DERIVATION_PERROWSET; }
  static bool isValidationRule(int type) { return type == VALIDATION_PERROW; }
  // The position of text in the description list; -1 when absent.
  static int getOffSetToDerivationDescArray(const std::string& text);
  static int getOffSetToValidationDescArray(const std::string& text);

  // The texts joined with ","; empty for none.
  static std::string convArrayToCommaSepString(const std::vector<std::string>& texts);
  // Split at "," or at a line feed: nothing for an empty text or one that begins with the separator; one element
  // for a text without it; otherwise the pieces, adjacent separators giving empty pieces and a trailing separator
  // a last empty piece.
  static std::vector<std::string> convCommaSepStringToArray(const std::string& text);
  static std::vector<std::string> convNewLineSepStringToArray(const std::string& text);

  static Font getDefaultFont() { return Font{DEFAULTFONT_NAME, 0, DEFAULTFONT_SIZE()}; }
  static Insets getMargin() { return Insets{LINEBORDER_SIZE, LINEBORDER_SIZE, LINEBORDER_SIZE, LINEBORDER_SIZE}; }
};

}  // namespace quenlora::zafoli::db::beans::brl::adapter
