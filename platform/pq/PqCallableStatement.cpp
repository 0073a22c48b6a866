#include "platform/pq/PqCallableStatement.h"

#include <libpq-fe.h>

#include <cctype>

#include "platform/pq/PqPlaceholders.h"

namespace plat::sql::pq {

namespace {

std::string trim(const std::string& text) {
  std::size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string::npos) return "";
  std::size_t end = text.find_last_not_of(" \t\r\n");
  return text.substr(begin, end - begin + 1);
}

bool startsWithWord(const std::string& text, const std::string& word) {
  if (text.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != word[i]) return false;
  }
  return text.size() == word.size() || !std::isalnum(static_cast<unsigned char>(text[word.size()]));
}

// Splits the text between the parentheses at its top-level commas, outside quotes.
std::vector<std::string> splitArguments(const std::string& text) {
  std::vector<std::string> parts;
  std::string current;
  int depth = 0;
  char quote = 0;
  for (char c : text) {
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')') {
      --depth;
    } else if (c == ',' && depth == 0) {
      parts.push_back(trim(current));
      current.clear();
      continue;
    }
    current += c;
  }
  if (!trim(current).empty() || !parts.empty()) parts.push_back(trim(current));
  return parts;
}

}  // namespace

PqCallableStatement::PqCallableStatement(std::shared_ptr<PqSession> session, const std::string& sql)
    : PqPreparedBase(std::move(session), numberPlaceholders(sql).parameters) {
  std::string text = trim(sql);
  if (text.size() < 2 || text.front() != '{' || text.back() != '}') {
    throw SQLException("Malformed call escape, expected {call name(...)} or {? = call name(...)}: " + sql, "42601");
  }
  text = trim(text.substr(1, text.size() - 2));
  if (!text.empty() && text.front() == '?') {
    std::string rest = trim(text.substr(1));
    if (rest.empty() || rest.front() != '=') throw SQLException("Malformed call escape: " + sql, "42601");
    returnsValue_ = true;
    out_.insert(1);
    text = trim(rest.substr(1));
  }
  if (!startsWithWord(text, "call")) throw SQLException("Malformed call escape: " + sql, "42601");
  text = trim(text.substr(4));
  std::size_t open = text.find('(');
  routine_ = trim(open == std::string::npos ? text : text.substr(0, open));
  if (routine_.empty()) throw SQLException("Malformed call escape: " + sql, "42601");
  int next = returnsValue_ ? 2 : 1;
  if (open != std::string::npos) {
    std::size_t close = text.rfind(')');
    if (close == std::string::npos || close < open) throw SQLException("Malformed call escape: " + sql, "42601");
    for (const auto& part : splitArguments(text.substr(open + 1, close - open - 1))) {
      if (part == "?") {
        arguments_.push_back({"", next++});
      } else {
        // A literal argument may hold markers of its own only inside quotes; they are not parameters.
        arguments_.push_back({part, 0});
      }
    }
  }
}

void PqCallableStatement::registerOutParameter(int index, int) {
  execution_.checkOpen();
  if (index < 1 || index > parameterCount()) {
    throw SQLException("The column index is out of range: " + std::to_string(index), "22023");
  }
  out_.insert(index);
}

void PqCallableStatement::registerOutParameter(int index, int sqlType, int) {
  registerOutParameter(index, sqlType);
}

bool PqCallableStatement::run(PqExecution::Expect) {
  execution_.checkOpen();
  checkAllSet([this](int i) { return out_.count(i) != 0; });
  // A routine name may be schema-qualified and quoted; the catalogue knows it by its unquoted, folded name.
  std::string name = routine_.substr(routine_.rfind('.') == std::string::npos ? 0 : routine_.rfind('.') + 1);
  if (name.size() > 1 && name.front() == '"') {
    name = name.substr(1, name.size() - 2);
  } else {
    for (auto& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  bool procedure = false;
  if (!returnsValue_) {
    PqResultRef kind =
        execution_.session()->run("SELECT prokind FROM pg_catalog.pg_proc WHERE proname = $1 LIMIT 1", {name});
    procedure = PQntuples(kind.get()) > 0 && std::string(PQgetvalue(kind.get(), 0, 0)) == "p";
  }
  std::vector<std::optional<std::string>> values;
  std::string call;
  for (const auto& argument : arguments_) {
    if (argument.parameter == 0) {
      call += (call.empty() ? "" : ", ") + argument.text;
      continue;
    }
    bool outOnly = out_.count(argument.parameter) != 0 && !isSet(argument.parameter);
    // A function's out-only parameters are no arguments; a procedure takes NULL in their place.
    if (outOnly && !procedure) continue;
    values.push_back(outOnly ? std::nullopt : valueOf(argument.parameter));
    call += (call.empty() ? "$" : ", $") + std::to_string(values.size());
  }
  std::string sql = returnsValue_ ? "SELECT " + routine_ + "(" + call + ")"
                    : procedure   ? "CALL " + routine_ + "(" + call + ")"
                                  : "SELECT * FROM " + routine_ + "(" + call + ")";
  bool rows = execution_.run(sql, values, PqExecution::Expect::Any);
  outRow_ = nullptr;
  // Only a call with out parameters answers with its row of out values; the rows of a set-returning function are
  // the caller's to read from the first.
  if (rows && !out_.empty()) {
    outRow_ = std::dynamic_pointer_cast<PqResultSet>(execution_.resultSet());
    if (outRow_ != nullptr && !outRow_->next()) outRow_ = nullptr;
    // A procedure's row is its out values and nothing else: the caller sees no result set.
    if (procedure) {
      execution_.detachResult();
      return false;
    }
  }
  return rows;
}

plat::lang::Ref<ResultSet> PqCallableStatement::executeQuery() {
  if (!run(PqExecution::Expect::Rows)) throw SQLException("No results were returned by the query.", "02000");
  return execution_.resultSet();
}

int PqCallableStatement::executeUpdate() {
  run(PqExecution::Expect::Count);
  return execution_.updateCount() < 0 ? 0 : execution_.updateCount();
}

bool PqCallableStatement::execute() {
  return run(PqExecution::Expect::Any);
}

int PqCallableStatement::columnOf(int index) {
  execution_.checkOpen();
  if (out_.count(index) == 0)
    throw SQLException("Parameter " + std::to_string(index) + " is no out parameter", "07009");
  if (outRow_ == nullptr) throw SQLException("No out values: the call has not run or returned no row", "24000");
  int column = 1;
  for (int registered : out_) {
    if (registered == index) break;
    ++column;
  }
  return column;
}

bool PqCallableStatement::wasNull() {
  execution_.checkOpen();
  return outRow_ != nullptr && outRow_->wasNull();
}

std::string PqCallableStatement::getString(int index) {
  int column = columnOf(index);
  return outRow_->getString(column);
}
bool PqCallableStatement::getBoolean(int index) {
  int column = columnOf(index);
  return outRow_->getBoolean(column);
}
std::int8_t PqCallableStatement::getByte(int index) {
  int column = columnOf(index);
  return outRow_->getByte(column);
}
std::int16_t PqCallableStatement::getShort(int index) {
  int column = columnOf(index);
  return outRow_->getShort(column);
}
std::int32_t PqCallableStatement::getInt(int index) {
  int column = columnOf(index);
  return outRow_->getInt(column);
}
std::int64_t PqCallableStatement::getLong(int index) {
  int column = columnOf(index);
  return outRow_->getLong(column);
}
float PqCallableStatement::getFloat(int index) {
  int column = columnOf(index);
  return outRow_->getFloat(column);
}
double PqCallableStatement::getDouble(int index) {
  int column = columnOf(index);
  return outRow_->getDouble(column);
}
plat::math::Decimal PqCallableStatement::getBigDecimal(int index, int scale) {
  int column = columnOf(index);
  return outRow_->getBigDecimal(column, scale);
}
std::vector<std::uint8_t> PqCallableStatement::getBytes(int index) {
  int column = columnOf(index);
  return outRow_->getBytes(column);
}
plat::time::Date PqCallableStatement::getDate(int index) {
  int column = columnOf(index);
  return outRow_->getDate(column);
}
plat::time::Time PqCallableStatement::getTime(int index) {
  int column = columnOf(index);
  return outRow_->getTime(column);
}
plat::time::Timestamp PqCallableStatement::getTimestamp(int index) {
  int column = columnOf(index);
  return outRow_->getTimestamp(column);
}
plat::lang::Value PqCallableStatement::getObject(int index) {
  int column = columnOf(index);
  return outRow_->getObject(column);
}

}  // namespace plat::sql::pq
