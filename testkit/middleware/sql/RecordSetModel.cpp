#include "testkit/middleware/sql/RecordSetModel.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <memory>
#include <new>
#include <utility>

#include "platform/sql/ResultSetMetaData.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Statement.h"
#include "platform/sql/Types.h"
#include "testkit/middleware/ServerObject.h"
#include "testkit/middleware/sql/ProxyJDBCResultSet.h"

namespace testkit::middleware::sql {
namespace {

using plat::lang::Value;
using plat::sql::Types;

[[noreturn]] void refuse(const std::string& why) {
  throw ServerFailure(20, kCategoryGeneral, why);
}

Value readValue(plat::sql::ResultSet& rs, int column, int sqlType) {
  // Each kind returns as soon as it is read: a value built once, no copy of it. A null reads as the type's empty
  // value, so only an empty value asks wasNull().
  switch (sqlType) {
    case Types::BIT:
    case 16: {
      const bool v = rs.getBoolean(column);
      return !v && rs.wasNull() ? Value() : Value::ofBoolean(v);
    }
    case Types::TINYINT:
    case Types::SMALLINT:
    case Types::INTEGER: {
      const std::int32_t v = rs.getInt(column);
      return v == 0 && rs.wasNull() ? Value() : Value::ofInt(v);
    }
    case Types::BIGINT: {
      const std::int64_t v = rs.getLong(column);
      return v == 0 && rs.wasNull() ? Value() : Value::ofLong(v);
    }
    case Types::REAL:
    case Types::FLOAT:
    case Types::DOUBLE:
    case Types::NUMERIC:
    case Types::DECIMAL: {
      const double v = rs.getDouble(column);
      return v == 0 && rs.wasNull() ? Value() : Value::ofDouble(v);
    }
    case Types::BINARY:
    case Types::VARBINARY:
    case Types::LONGVARBINARY: {
      auto v = rs.getBytes(column);
      return v.empty() && rs.wasNull() ? Value() : Value::ofBytes(std::move(v));
    }
    default: {
      auto v = rs.getString(column);
      return v.empty() && rs.wasNull() ? Value() : Value::ofString(std::move(v));
    }
  }
}

std::int64_t bigEndian(const Bytes& b) {
  std::uint64_t v = 0;
  for (std::uint8_t byte : b) v = (v << 8) | byte;
  if (!b.empty() && b.size() < 8 && (b[0] & 0x80)) v |= ~std::uint64_t{0} << (8 * b.size());
  return static_cast<std::int64_t>(v);
}

// One value the client sent in a row, by the kind that carries it.
Value decode(const RowValue& v) {
  if (v.isNull) return Value();
  if (v.objects.empty()) refuse("Row value without data");
  const auto& [objectKind, data] = v.objects.front();
  if (objectKind == 52) return Value::ofString(fromWireText(std::string(data.begin(), data.end())));
  switch (v.kind) {
    case 87:  // bit
      return Value::ofBoolean(!data.empty() && data[0] != 0);
    case 78:  // bigint
      return Value::ofLong(bigEndian(data));
    case 82:
    case 85:
    case 86:
      return Value::ofInt(static_cast<std::int32_t>(bigEndian(data)));
    case 81:
    case 84:
      if (data.size() == 4) return Value::ofDouble(std::bit_cast<float>(static_cast<std::uint32_t>(bigEndian(data))));
      break;
    case 80:
      if (data.size() == 8) return Value::ofDouble(std::bit_cast<double>(static_cast<std::uint64_t>(bigEndian(data))));
      break;
    case 70:
    case 71:
    case 72:
      return Value::ofBytes(data);
    default:
      break;
  }
  std::string text;
  for (const auto& [kind, bytes] : v.objects) {
    if (!text.empty()) text += '-';
    text += kind == 52 ? std::string(bytes.begin(), bytes.end()) : std::to_string(bigEndian(bytes));
  }
  return Value::ofString(text);
}

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

// The table a single-table query reads: the word after "from".
std::string tableOf(const std::string& sql) {
  const std::string l = lower(sql);
  auto at = l.find(" from ");
  if (at == std::string::npos) refuse("No table to save to");
  at += 6;
  while (at < sql.size() && sql[at] == ' ') ++at;
  auto end = at;
  while (end < sql.size() && (std::isalnum(static_cast<unsigned char>(sql[end])) || sql[end] == '_')) ++end;
  if (end == at) refuse("No table to save to");
  return sql.substr(at, end - at);
}

}  // namespace

std::size_t RecordSetPathHash::operator()(const RecordSetPath& path) const {
  std::uint64_t h = path.size();
  for (const auto& [view, row] : path) {
    const std::uint64_t step =
        (std::uint64_t{static_cast<std::uint32_t>(view)} << 32) | static_cast<std::uint32_t>(row);
    h = (h ^ step) * 0x9E3779B97F4A7C15ULL;
    h ^= h >> 29;
  }
  return static_cast<std::size_t>(h);
}

std::shared_ptr<RecordSetView> RecordSetModel::addView(std::int32_t masterID, std::string sql,
                                                       std::map<int, int> joins) {
  auto view = std::make_shared<RecordSetView>();
  view->masterID = masterID;
  view->sql = std::move(sql);
  view->joins = std::move(joins);
  if (auto reply = script_->find(view->sql)) {
    if (reply->error)
      throw ServerFailure(reply->error->id, reply->error->category, reply->error->message, reply->error->state);
    for (const ScriptedColumn& c : reply->columns) {
      ColumnInfo info;
      info.name = info.label = c.name;
      info.sqlType = c.sqlType;
      info.displaySize = c.displaySize;
      view->columns.push_back(std::move(info));
    }
    view->scripted = std::move(reply);
    return view;
  }
  auto statement = db_->prepareStatement(view->sql);
  for (const auto& [index, column] : view->joins) statement->setNull(index + 1, Types::VARCHAR);
  auto rs = statement->executeQuery();
  view->columns = describe(*rs);
  rs->close();
  statement->close();
  return view;
}

std::shared_ptr<RecordSetView> RecordSetModel::addRowsView(std::vector<ColumnInfo> columns,
                                                           std::vector<std::vector<Value>> rows) {
  auto view = std::make_shared<RecordSetView>();
  view->columns = std::move(columns);
  view->scripted = ScriptedReply{};
  view->scripted->rows = std::move(rows);
  return view;
}

std::shared_ptr<RecordSetView> RecordSetModel::addResultView(plat::sql::ResultSet& rs) {
  std::vector<ColumnInfo> columns = describe(rs);
  for (ColumnInfo& c : columns) {
    if (SqlEncode::isLong(c.sqlType)) {
      c.sqlType = c.sqlType == Types::LONGVARBINARY ? Types::VARBINARY : Types::VARCHAR;
      if (c.displaySize <= 0 || c.displaySize > 128) c.displaySize = 128;
    }
  }
  std::vector<std::vector<Value>> rows;
  while (rs.next()) {
    std::vector<Value> row;
    for (std::size_t c = 0; c < columns.size(); ++c) {
      row.push_back(readValue(rs, static_cast<int>(c + 1), columns[c].sqlType));
    }
    rows.push_back(std::move(row));
  }
  rs.close();
  return addRowsView(std::move(columns), std::move(rows));
}

void RecordSetModel::setViewID(const std::shared_ptr<RecordSetView>& view, std::int32_t id) {
  view->id = id;
  views_[id] = view;
}

const std::shared_ptr<RecordSetView>& RecordSetModel::view(std::int32_t id) const {
  auto it = views_.find(id);
  if (it == views_.end()) throw ServerFailure(21, kCategoryInvalidArg, "No view " + std::to_string(id));
  return it->second;
}

RecordSetModel::RowSet& RecordSetModel::setFor(const RecordSetPath& path) {
  if (path.empty() || path.back().second != 0) throw ServerFailure(22, kCategoryInvalidArg, "Bad position path");
  if (auto it = sets_.find(path); it != sets_.end()) return it->second;
  RowSet set;
  set.view = view(path.back().first);
  if (path.size() > 1 && set.view->masterID != path[path.size() - 2].first) {
    throw ServerFailure(22, kCategoryInvalidArg, "Path does not follow the views");
  }
  if (!set.view->scripted) {
    set.plainSql = path.size() > 1 || where_.empty();
    if (set.plainSql && set.view->idle) {
      set.statement = std::move(set.view->idle);
      set.view->idle = nullptr;
    } else {
      // The root query as a whole is filtered, so that its own where, group by or order by clause stays valid.
      set.statement =
          db_->prepareStatement(set.plainSql ? set.view->sql : "select * from (" + set.view->sql + ") where " + where_);
    }
    if (path.size() > 1) {
      RecordSetPath masterPath(path.begin(), path.end() - 1);
      const std::int32_t masterRow = masterPath.back().second;
      masterPath.back().second = 0;
      Row* master = rowAt(setFor(masterPath), masterRow);
      if (!master) throw ServerFailure(23, kCategoryInvalidArg, "No master row " + std::to_string(masterRow));
      for (const auto& [index, column] : set.view->joins) {
        if (column < 1 || static_cast<std::size_t>(column) > master->values().size()) refuse("Bad join column");
        const Value& v = master->values()[static_cast<std::size_t>(column) - 1];
        if (v.isNull()) {
          set.statement->setNull(index + 1, Types::VARCHAR);
        } else {
          set.statement->setObject(index + 1, v);
        }
      }
    }
    set.cursor = set.statement->executeQuery();
  }
  return sets_.emplace(path, std::move(set)).first->second;
}

RecordSetModel::ValueStore::ValueStore(ValueStore&& other) noexcept
    : blocks_(std::exchange(other.blocks_, {})),
      used_(std::exchange(other.used_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

RecordSetModel::ValueStore::~ValueStore() {
  for (std::size_t i = 0; i < blocks_.size(); ++i) {
    const Block& b = blocks_[i];
    std::destroy_n(b.values, i + 1 == blocks_.size() ? used_ : b.made);
    std::allocator<Value>().deallocate(b.values, b.size);
  }
}

plat::lang::Value* RecordSetModel::ValueStore::take(std::size_t n) {
  if (n == 0) return nullptr;  // a row without columns
  if (capacity_ - used_ < n) {
    // Blocks double from a few rows (most detail sets are short) up to a size malloc still serves from its heap.
    constexpr std::size_t kFirst = 32, kMost = 32 * 1024 / sizeof(Value);
    const std::size_t size = std::max(n, std::clamp<std::size_t>(2 * capacity_, kFirst, kMost));
    if (!blocks_.empty()) blocks_.back().made = used_;
    blocks_.reserve(blocks_.size() + 1);
    blocks_.push_back({std::allocator<Value>().allocate(size), size, 0});
    used_ = 0;
    capacity_ = size;
  }
  Value* at = blocks_.back().values + used_;
  used_ += n;
  return at;
}

RecordSetModel::Row* RecordSetModel::rowAt(RowSet& set, std::int32_t n) {
  if (n < 1) return nullptr;
  while (static_cast<std::int64_t>(set.rows.size()) < n && !set.ended) {
    Row row;
    row.number = static_cast<std::int32_t>(set.rows.size()) + 1;
    if (set.view->scripted) {
      if (set.scriptedAt >= set.view->scripted->rows.size()) {
        set.ended = true;
        break;
      }
      const std::vector<Value>& from = set.view->scripted->rows[set.scriptedAt++];
      row.width = static_cast<std::uint32_t>(from.size());
      row.at = set.store.take(from.size());
      try {
        std::uninitialized_copy(from.begin(), from.end(), row.at);
      } catch (...) {
        std::uninitialized_value_construct_n(row.at, row.width);  // the copy undid its part
        throw;
      }
    } else {
      if (!set.cursor->next()) {
        set.ended = true;
        set.cursor->close();
        if (set.plainSql && !set.view->idle) {
          set.view->idle = std::move(set.statement);
        } else {
          set.statement->close();
        }
        set.cursor = nullptr;
        set.statement = nullptr;
        // Many short sets add up; a long one is rare, and moving all its rows once more costs more than its slack.
        if (set.rows.size() < kTrimmedRows) set.rows.shrink_to_fit();
        break;
      }
      row.width = static_cast<std::uint32_t>(set.view->columns.size());
      row.at = set.store.take(row.width);
      std::size_t c = 0;
      try {
        // Placement new of the returned value builds it in its slot; construct_at would move a temporary.
        for (; c < row.width; ++c) {
          ::new (static_cast<void*>(row.at + c))
              Value(readValue(*set.cursor, static_cast<int>(c + 1), set.view->columns[c].sqlType));
        }
      } catch (...) {
        std::uninitialized_value_construct(row.at + c, row.at + row.width);
        throw;
      }
    }
    // Start at a detail set's usual length, then double; a short set is trimmed to its rows once the cursor ends.
    if (set.rows.size() == set.rows.capacity()) set.rows.reserve(std::max<std::size_t>(16, 2 * set.rows.size()));
    set.rows.push_back(std::move(row));
  }
  return static_cast<std::int64_t>(set.rows.size()) >= n ? &set.rows[static_cast<std::size_t>(n) - 1] : nullptr;
}

void RecordSetModel::readAll(RowSet& set) {
  while (!set.ended) rowAt(set, static_cast<std::int32_t>(set.rows.size()) + 1);
}

Encoded RecordSetModel::encode(const RowSet& set, const Row& row) const {
  Encoded e;
  {
    // Room for a row of short values at once, so most rows are written without growing.
    ByteWriter out(e.bytes, 16 * row.values().size() + 16);
    SqlEncode::appendRowHeader(out, row.number, static_cast<int>(row.values().size()), row.state);
    for (std::size_t c = 0; c < row.values().size(); ++c) {
      const int type = c < set.view->columns.size() ? set.view->columns[c].sqlType : Types::VARCHAR;
      SqlEncode::appendField(out, row.values()[c], type, static_cast<int>((c + 1) & 0xFF));
    }
  }
  return e;
}

std::vector<Encoded> RecordSetModel::fetch(const RecordSetPath& path, std::int32_t first, std::int32_t count) {
  if (first < 1 || count < 1) throw ServerFailure(24, kCategoryInvalidArg, "Bad fetch range");
  applyStreams();
  RowSet& set = setFor(path);
  static const Encoded kEnd = SqlEncode::endRow();
  std::vector<Encoded> out;
  // Sized for a detail's rows: a list this small comes from the allocator's per-thread cache.
  out.reserve(static_cast<std::size_t>(std::min(count, 16)) + 1);
  std::size_t size = 6;
  for (std::int64_t n = first; n < std::int64_t{first} + count; ++n) {
    const Row* row = rowAt(set, static_cast<std::int32_t>(n));
    if (!row) {
      out.push_back(kEnd);
      break;
    }
    Encoded e = encode(set, *row);
    // A full packet ends the batch early; the client asks again from the first row it lacks.
    if (!out.empty() && size + e.bytes.size() > kMaxReplyBytes) break;
    size += e.bytes.size();
    out.push_back(std::move(e));
  }
  return out;
}

RecordSetModel::Row& RecordSetModel::writableRow(const RecordSetPath& path, std::int32_t n) {
  if (readOnly_) refuse("The view is read-only");
  Row* row = rowAt(setFor(path), n);
  if (!row) throw ServerFailure(25, kCategoryInvalidArg, "No row " + std::to_string(n));
  return *row;
}

void RecordSetModel::change(const RecordSetPath& path, const Arg& arg) {
  Row& row = writableRow(path, arg.rowNumber);
  if (row.state == kRowDeleted) refuse("Row " + std::to_string(row.number) + " is marked for deletion");
  setFor(path).keepOriginal(row);
  for (const RowValue& v : arg.rowValues) {
    if (v.id < 1 || static_cast<std::size_t>(v.id) > row.values().size()) refuse("Bad column " + std::to_string(v.id));
    row.values()[static_cast<std::size_t>(v.id) - 1] = decode(v);
  }
  row.state = row.state == kRowNew || row.state == kRowNewModified ? kRowNewModified : kRowModified;
}

Encoded RecordSetModel::undoRecord(const RecordSetPath& path, std::int32_t n) {
  RowSet& set = setFor(path);
  Row* row = rowAt(set, n);
  if (!row) throw ServerFailure(25, kCategoryInvalidArg, "No row " + std::to_string(n));
  if (auto it = set.originals.find(n); it != set.originals.end()) {
    std::move(it->second.begin(), it->second.end(), row->at);
    set.originals.erase(it);
  }
  if (row->state == kRowNewModified) row->state = kRowNew;
  if (row->state == kRowModified || row->state == kRowDeleted) row->state = kRowExisting;
  return encode(set, *row);
}

void RecordSetModel::deleteRecord(const RecordSetPath& path, std::int32_t n) {
  Row& row = writableRow(path, n);
  if (row.state == kRowNew || row.state == kRowNewModified) refuse("A new row cannot be deleted");
  row.state = kRowDeleted;
}

Encoded RecordSetModel::newRecord(const RecordSetPath& path) {
  if (readOnly_) refuse("The view is read-only");
  RowSet& set = setFor(path);
  readAll(set);
  Row row;
  row.number = static_cast<std::int32_t>(set.rows.size()) + 1;
  row.state = kRowNew;
  row.width = static_cast<std::uint32_t>(set.view->columns.size());
  row.at = set.store.take(row.width);
  std::uninitialized_value_construct_n(row.at, row.width);
  set.rows.push_back(std::move(row));
  return encode(set, set.rows.back());
}

std::shared_ptr<ProxyStream> RecordSetModel::stream(const RecordSetPath& path, std::int32_t n, int column, bool write) {
  if (write && readOnly_) refuse("The view is read-only");
  RowSet& set = setFor(path);
  Row* row = rowAt(set, n);
  if (!row) throw ServerFailure(25, kCategoryInvalidArg, "No row " + std::to_string(n));
  if (column < 1 || static_cast<std::size_t>(column) > row->values().size()) refuse("Bad column");
  const Value& v = row->values()[static_cast<std::size_t>(column) - 1];
  Bytes content;
  if (v.is(Value::Kind::Bytes)) {
    content = v.getBytes();
  } else if (!v.isNull()) {
    const std::string text = toWireText(v.is(Value::Kind::String) ? v.getString() : v.toString());
    content.assign(text.begin(), text.end());
  }
  auto stream = std::make_shared<ProxyStream>(std::move(content));
  if (write) writes_.push_back({path, n, column, stream});
  return stream;
}

void RecordSetModel::applyStreams() {
  for (const StreamWrite& w : writes_) {
    if (w.stream->pieces().empty() && !w.stream->isNull()) continue;
    RowSet& set = setFor(w.path);
    Row* row = rowAt(set, w.row);
    if (!row) continue;
    const auto c = static_cast<std::size_t>(w.column) - 1;
    set.keepOriginal(*row);
    const int type = set.view->columns[c].sqlType;
    const Bytes content = w.stream->content();
    if (w.stream->isNull()) {
      row->values()[c] = Value();
    } else if (type == Types::LONGVARBINARY || type == Types::VARBINARY || type == Types::BINARY) {
      row->values()[c] = Value::ofBytes(content);
    } else {
      row->values()[c] = Value::ofString(fromWireText(std::string(content.begin(), content.end())));
    }
    if (row->state == kRowExisting) row->state = kRowModified;
    if (row->state == kRowNew) row->state = kRowNewModified;
  }
}

bool RecordSetModel::isChanged() {
  applyStreams();
  for (const auto& [path, set] : sets_) {
    for (const Row& row : set.rows) {
      if (row.state != kRowExisting && row.state != kRowNew) return true;
    }
  }
  return false;
}

void RecordSetModel::saveSet(const RowSet& set) {
  bool any = false;
  for (const Row& row : set.rows) any = any || (row.state != kRowExisting && row.state != kRowNew);
  if (!any) return;
  const std::string table = tableOf(set.view->sql);
  std::vector<std::string> keys;
  {
    auto stmt = db_->createStatement();
    auto rs = stmt->executeQuery("pragma table_info(" + table + ")");
    while (rs->next()) {
      if (rs->getInt(6) > 0) keys.push_back(rs->getString(2));
    }
    rs->close();
    stmt->close();
  }
  const auto& columns = set.view->columns;
  auto columnOf = [&](const std::string& name) -> std::size_t {
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (lower(columns[c].name) == lower(name)) return c;
    }
    refuse("Key column " + name + " is not in the view");
  };
  if (keys.empty()) refuse("Table " + table + " has no primary key");
  std::string where;
  for (const auto& k : keys) where += (where.empty() ? " where " : " and ") + k + " = ?";
  for (const Row& row : set.rows) {
    std::string sql;
    std::vector<Value> args;
    if (row.state == kRowModified) {
      std::string assignments;
      for (std::size_t c = 0; c < columns.size(); ++c) {
        assignments += (assignments.empty() ? "" : ", ") + columns[c].name + " = ?";
        args.push_back(row.values()[c]);
      }
      sql = "update " + table + " set " + assignments + where;
      for (const auto& k : keys) args.push_back(set.before(row)[columnOf(k)]);
    } else if (row.state == kRowDeleted) {
      sql = "delete from " + table + where;
      for (const auto& k : keys) args.push_back(set.before(row)[columnOf(k)]);
    } else if (row.state == kRowNewModified) {
      std::string names;
      std::string marks;
      for (std::size_t c = 0; c < columns.size(); ++c) {
        names += (names.empty() ? "" : ", ") + columns[c].name;
        marks += marks.empty() ? "?" : ", ?";
        args.push_back(row.values()[c]);
      }
      sql = "insert into " + table + " (" + names + ") values (" + marks + ")";
    } else {
      continue;
    }
    auto statement = db_->prepareStatement(sql);
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (args[i].isNull()) {
        statement->setNull(static_cast<int>(i + 1), Types::VARCHAR);
      } else {
        statement->setObject(static_cast<int>(i + 1), args[i]);
      }
    }
    statement->executeUpdate();
    statement->close();
  }
}

void RecordSetModel::save() {
  applyStreams();
  writes_.clear();
  if (readOnly_) {
    if (isChanged()) refuse("The view is read-only");
    sets_.clear();
    return;
  }
  // No cursor stays open across the transaction; a failed save keeps every row for the client to go on with.
  std::vector<const decltype(sets_)::value_type*> ordered;
  ordered.reserve(sets_.size());
  for (auto& entry : sets_) {
    readAll(entry.second);
    ordered.push_back(&entry);
  }
  std::sort(ordered.begin(), ordered.end(), [](const auto* a, const auto* b) { return a->first < b->first; });
  db_->setAutoCommit(false);
  try {
    for (const auto* entry : ordered) saveSet(entry->second);
    db_->commit();
  } catch (...) {
    try {
      db_->rollback();
      db_->setAutoCommit(true);
    } catch (...) {
    }
    throw;
  }
  db_->setAutoCommit(true);
  sets_.clear();
}

void RecordSetModel::restart(const std::string& where) {
  where_ = where;
  writes_.clear();
  sets_.clear();
}

void RecordSetModel::close() {
  for (auto& [id, view] : views_) {
    if (!view->idle) continue;
    try {
      view->idle->close();
    } catch (...) {
    }
    view->idle = nullptr;
  }
  for (auto& [path, set] : sets_) {
    if (set.cursor && !set.ended) {
      try {
        set.cursor->close();
        set.statement->close();
      } catch (...) {
      }
    }
  }
  sets_.clear();
}

}  // namespace testkit::middleware::sql
