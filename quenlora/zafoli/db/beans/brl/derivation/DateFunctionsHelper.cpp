#include "quenlora/zafoli/db/beans/brl/derivation/DateFunctionsHelper.h"

#include <cstdint>
#include <limits>

#include "platform/lang/Exceptions.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/ResultMarkers.h"

namespace quenlora::zafoli::db::beans::brl::derivation {

using plat::lang::Value;
using plat::time::DateTime;

namespace {

[[noreturn]] void fail(const char* key) {
  throw plat::lang::IllegalArgumentException(BRLResourceLoader::text(key));
}

// The day count of the second input: decimal digits with an optional sign that fit 32 bits.
std::int32_t dayCount(const Value& value) {
  const std::string text = value.toString();
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) throw plat::lang::NumberFormatException("For input string: \"" + text + "\"");
  std::int64_t n = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') throw plat::lang::NumberFormatException("For input string: \"" + text + "\"");
    n = n * 10 + (text[i] - '0');
    if (n > static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1) {
      throw plat::lang::NumberFormatException("For input string: \"" + text + "\"");
    }
  }
  n = negative ? -n : n;
  if (n > std::numeric_limits<std::int32_t>::max()) {
    throw plat::lang::NumberFormatException("For input string: \"" + text + "\"");
  }
  return static_cast<std::int32_t>(n);
}

// What an operation gives before the output conversion: its moment and the text of its own kind.
struct Intermediate {
  DateTime moment;
  std::string text;
};

}  // namespace

std::optional<DateTime> DateFunctionsHelper::toInstant(const Value& value) {
  switch (value.kind()) {
    case Value::Kind::DateTime:
      return value.getDateTime();
    case Value::Kind::Date:
      return DateTime::fromDate(value.getDate());
    case Value::Kind::Time:
      return DateTime::fromTime(value.getTime());
    case Value::Kind::Timestamp:
      return DateTime::fromTimestamp(value.getTimestamp());
    default:
      return std::nullopt;
  }
}

Value DateFunctionsHelper::calculate(const DerivationRow& row, int outputType, int dateOp) {
  static const std::string title = BRLResourceLoader::text("Exception while performing date calculation:");
  try {
    for (const auto& member : row.sourceMembers()) {
      const Value input = member->getValue();
      if (isResultMarker(input)) throw plat::lang::IllegalArgumentException(input.toString());
    }
    Intermediate result;
    switch (dateOp) {
      case DATEOP_ADD:
      case DATEOP_SUBTRACT: {
        if (row.getNumberOfSourceColumns() != NUMCOLS_DATEADD) {
          fail(dateOp == DATEOP_ADD ? "DateAdd operation requires only two inputs"
                                    : "DateSubtract operation requires only two inputs");
        }
        const std::optional<DateTime> start = toInstant(row.getSourceColumnMember(1)->getValue());
        if (!start) fail("Inputs should be of Date and integer type");
        const std::int64_t days = dayCount(row.getSourceColumnMember(2)->getValue());
        // Days move on the local calendar: the wall-clock time stays where it was.
        const plat::time::Timestamp local = start->toTimestamp();
        result.moment = DateTime::fromTimestamp(local.plusDays(dateOp == DATEOP_ADD ? days : -days));
        result.text = result.moment.toString();
        break;
      }
      case DATEOP_CURRDATE:
        result.moment = calendar_;
        result.text = calendar_.toDate().toString();
        break;
      case DATEOP_CURRTIME:
        result.moment = calendar_;
        result.text = calendar_.toTimestamp().toString();
        break;
      default:
        return Value();
    }
    switch (outputType) {
      case plat::sql::Types::BIGINT:
        return Value::ofLong(result.moment.getTime());
      case plat::sql::Types::DOUBLE:
        return Value::ofDouble(static_cast<double>(result.moment.getTime()));
      case plat::sql::Types::VARCHAR:
        return Value(result.text);
      case plat::sql::Types::DATE:
        return Value(result.moment.toDate());
      case plat::sql::Types::TIME:
        return Value(result.moment.toTime());
      case plat::sql::Types::TIMESTAMP:
        return Value(result.moment.toTimestamp());
      default:
        fail("Invalid output data type selected for date function");
    }
  } catch (const plat::lang::Exception& e) {
    return failed(title, e.getMessage());
  }
}

}  // namespace quenlora::zafoli::db::beans::brl::derivation
