#include "quenlora/zafoli/db/beans/qbe/DialectTranslator.h"

#include "platform/text/Utf16.h"
#include "quenlora/zafoli/db/beans/qbe/CellParser.h"
#include "quenlora/zafoli/db/beans/qbe/QBEResourceLoader.h"
#include "quenlora/zafoli/db/beans/qbe/QBExlator.h"

namespace quenlora::zafoli::db::beans::qbe {

std::string DialectTranslator::main(std::string_view input, const std::string& column) const {
  static const plat::lang::Ref<plat::text::ResourceBundle> messages = QBEResourceLoader::getInstance().getBundle();
  std::u16string units = plat::text::utf16::fromUtf8(input);
  CellParser parser(units, column, dialect_, QBExlator::getEngine(), messages.get());
  return parser.parseInput();
}

}  // namespace quenlora::zafoli::db::beans::qbe
