#include "testkit/middleware/sql/Statement.h"

#include "platform/math/Decimal.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"
#include "platform/time/Date.h"
#include "platform/time/Time.h"
#include "platform/time/Timestamp.h"
#include "testkit/middleware/sql/ProxyJDBCResultSet.h"
#include "testkit/middleware/sql/ScriptedStatement.h"
#include "testkit/middleware/sql/SqlWire.h"

namespace testkit::middleware::sql {
namespace {

using plat::sql::Types;

// Prepared-statement methods, numbered from kPreparedBase.
enum Prepared {
  P_executeQuery = 0,
  P_executeUpdate,
  P_setNull,
  P_setBoolean,
  P_setByte,
  P_setShort,
  P_setInt,
  P_setLong,
  P_setFloat,
  P_setDouble,
  P_setBigDecimal,
  P_setString,
  P_setBytes,
  P_setDate,
  P_setTime,
  P_setTimestamp,
  P_clearParameters,
  P_setObject1,
  P_setObject2,
  P_setObject3,
  P_execute,
  P_getStream,
};

// Callable-statement methods, numbered from kCallableBase.
enum Callable {
  C_registerOutParameter = 0,
  C_registerOutParameterWithScale,
  C_wasNull,
  C_getString,
  C_getBoolean,
  C_getByte,
  C_getShort,
  C_getInt,
  C_getLong,
  C_getFloat,
  C_getDouble,
  C_getBigDecimal,
  C_getBytes,
  C_getDate,
  C_getTime,
  C_getTimestamp,
  C_getObject,
};

Encoded bytesData(const Bytes& bytes) {
  if (bytes.size() > kMaxInlineValue) {
    throw ServerFailure(4, kCategoryInvalidArg, "Value of " + std::to_string(bytes.size()) + " bytes is too long");
  }
  return MwEncode::data(bytes);
}

}  // namespace

Statement::Statement(std::shared_ptr<ObjectScope> scope, plat::lang::Ref<plat::sql::Statement> stmt)
    : scope_(std::move(scope)),
      stmt_(std::move(stmt)),
      prepared_(std::dynamic_pointer_cast<plat::sql::PreparedStatement>(stmt_)),
      callable_(std::dynamic_pointer_cast<plat::sql::CallableStatement>(stmt_)) {}

Statement::~Statement() {
  auto hold = scope_->lock();
  current_ = nullptr;
  scriptedRun_ = nullptr;
  callable_ = nullptr;
  prepared_ = nullptr;
  stmt_ = nullptr;
}

std::vector<Encoded> Statement::invoke(int method, const std::vector<Arg>& args) {
  return scope_->call([&]() -> std::vector<Encoded> {
    const ArgReader a(args, "Statement", method);
    if (method >= 0 && method < kPreparedBase) return plain(method, a);
    if (method >= kPreparedBase && method < kCallableBase && prepared_ != nullptr) {
      return prepared(method - kPreparedBase, a);
    }
    if (method >= kCallableBase && method < kMethodCount && callable_ != nullptr) {
      return callable(method - kCallableBase, a);
    }
    noSuchMethod("Statement", method);
  });
}

void Statement::checkOpen() const {
  if (closed_) throw ServerFailure(6, kCategoryInvalidArg, "Statement is closed", "HY010");
}

plat::sql::Statement& Statement::runnerFor(const std::string& sql) {
  if (std::optional<ScriptedReply> reply = scope_->script().find(sql)) {
    scriptedRun_ = plat::lang::makeRef<ScriptedStatement>(sql, std::move(*reply));
    current_ = scriptedRun_.get();
    return *scriptedRun_;
  }
  current_ = stmt_.get();
  return *stmt_;
}

std::vector<Encoded> Statement::plain(int method, const ArgReader& a) {
  if (method == METHOD_close) {
    if (!closed_) {
      closed_ = true;
      uploads_.clear();
      if (scriptedRun_ != nullptr) scriptedRun_->close();
      stmt_->close();
    }
    return {};
  }
  checkOpen();
  plat::sql::Statement& current = current_ != nullptr ? *current_ : *stmt_;
  switch (method) {
    case METHOD_executeQuery: {
      const std::string sql = a.text(0);
      return ProxyJDBCResultSet::open(scope_, runnerFor(sql).executeQuery(sql));
    }
    case METHOD_executeUpdate: {
      const std::string sql = a.text(0);
      return {MwEncode::dataInt(runnerFor(sql).executeUpdate(sql))};
    }
    case METHOD_getMaxFieldSize:
      return {MwEncode::dataInt(stmt_->getMaxFieldSize())};
    case METHOD_setMaxFieldSize:
      stmt_->setMaxFieldSize(a.int32(0));
      return {};
    case METHOD_getMaxRows:
      return {MwEncode::dataInt(stmt_->getMaxRows())};
    case METHOD_setMaxRows:
      stmt_->setMaxRows(a.int32(0));
      return {};
    case METHOD_setEscapeProcessing:
      stmt_->setEscapeProcessing(a.boolean(0));
      return {};
    case METHOD_getQueryTimeout:
      return {MwEncode::dataInt(stmt_->getQueryTimeout())};
    case METHOD_setQueryTimeout:
      stmt_->setQueryTimeout(a.int32(0));
      return {};
    case METHOD_cancel:
      current.cancel();
      return {};
    case METHOD_getWarnings:
      return encodeWarnings(current.getWarnings());
    case METHOD_clearWarnings:
      current.clearWarnings();
      return {};
    case METHOD_execute: {
      const std::string sql = a.text(0);
      return {SqlEncode::boolean(runnerFor(sql).execute(sql))};
    }
    case METHOD_getResultSet: {
      auto rs = current.getResultSet();
      // The client makes a result set of any reply; one without a description is a result set closed at once.
      if (rs == nullptr) return {MwEncode::dataInt(0)};
      return ProxyJDBCResultSet::open(scope_, std::move(rs));
    }
    case METHOD_getUpdateCount:
      return {MwEncode::dataInt(current.getUpdateCount())};
    case METHOD_getMoreResults:
      return {SqlEncode::boolean(current.getMoreResults())};
    case METHOD_setCursorName:
      stmt_->setCursorName(a.text(0));
      return {};
    default:
      noSuchMethod("Statement", method);
  }
}

plat::sql::PreparedStatement& Statement::preparedStatement() const {
  return *prepared_;
}

plat::sql::CallableStatement& Statement::callableStatement() const {
  return *callable_;
}

void Statement::bindUploads() {
  auto& ps = preparedStatement();
  for (const auto& [index, upload] : uploads_) {
    if (upload.stream->isNull()) {
      ps.setNull(index, upload.text ? Types::LONGVARCHAR : Types::LONGVARBINARY);
      continue;
    }
    const Bytes content = upload.stream->content();
    if (upload.text) {
      ps.setString(index, fromWireText(std::string(content.begin(), content.end())));
    } else {
      ps.setBytes(index, content);
    }
  }
}

std::vector<Encoded> Statement::prepared(int local, const ArgReader& a) {
  checkOpen();
  auto& ps = preparedStatement();
  current_ = stmt_.get();
  if (local == P_executeQuery || local == P_executeUpdate || local == P_execute) {
    bindUploads();
    if (local == P_executeUpdate) return {MwEncode::dataInt(ps.executeUpdate())};
    const bool rows = ps.execute();
    if (local == P_execute) return {SqlEncode::boolean(rows)};
    // No result set is an empty reply.
    auto rs = rows ? ps.getResultSet() : nullptr;
    if (rs == nullptr) return {};
    return ProxyJDBCResultSet::open(scope_, std::move(rs));
  }
  if (local == P_clearParameters) {
    ps.clearParameters();
    uploads_.clear();
    return {};
  }
  if (local == P_setObject1 || local == P_setObject2 || local == P_setObject3) {
    throw ServerFailure(3, kCategoryNoSupport,
                        "Statement method " + std::to_string(kPreparedBase + local) + " is reserved");
  }
  const int index = a.int32(0);
  if (local == P_getStream) {
    auto stream = std::make_shared<ProxyStream>();
    const std::int32_t id = scope_->add(stream);
    uploads_[index] = Upload{stream, a.boolean(1)};
    return {MwEncode::dataInt(id)};
  }
  // A value set directly replaces a stream handed out for the same parameter.
  uploads_.erase(index);
  switch (local) {
    case P_setNull:
      ps.setNull(index, a.int32(1));
      break;
    case P_setBoolean:
      ps.setBoolean(index, a.boolean(1));
      break;
    case P_setByte:
      ps.setByte(index, static_cast<std::int8_t>(a.integer(1)));
      break;
    case P_setShort:
      ps.setShort(index, static_cast<std::int16_t>(a.integer(1)));
      break;
    case P_setInt:
      ps.setInt(index, a.int32(1));
      break;
    case P_setLong:
      ps.setLong(index, a.integer(1));
      break;
    case P_setFloat:
      ps.setFloat(index, a.float32(1));
      break;
    case P_setDouble:
      ps.setDouble(index, a.float64(1));
      break;
    case P_setBigDecimal:
      ps.setBigDecimal(index, plat::math::Decimal(a.text(1)));
      break;
    case P_setString:
      ps.setString(index, a.text(1));
      break;
    case P_setBytes: {
      Bytes bytes = a.bytes(1);
      const std::int32_t length = a.int32(2);
      if (length < 0 || static_cast<std::size_t>(length) > bytes.size()) {
        throw ServerFailure(5, kCategoryInvalidArg,
                            "setBytes: length " + std::to_string(length) + " does not match " +
                                std::to_string(bytes.size()) + " bytes");
      }
      bytes.resize(static_cast<std::size_t>(length));
      ps.setBytes(index, bytes);
      break;
    }
    case P_setDate:
      ps.setDate(index, plat::time::Date(a.int32(1), a.int32(2), a.int32(3)));
      break;
    case P_setTime:
      ps.setTime(index, plat::time::Time(a.int32(1), a.int32(2), a.int32(3)));
      break;
    case P_setTimestamp: {
      const std::int32_t millis = a.int32(7);
      if (millis < 0 || millis > 999) {
        throw ServerFailure(5, kCategoryInvalidArg, "setTimestamp: millisecond " + std::to_string(millis));
      }
      ps.setTimestamp(index, plat::time::Timestamp(a.int32(1), a.int32(2), a.int32(3), a.int32(4), a.int32(5),
                                                   a.int32(6), millis * 1000000));
      break;
    }
    default:
      noSuchMethod("Statement", kPreparedBase + local);
  }
  return {};
}

std::vector<Encoded> Statement::callable(int local, const ArgReader& a) {
  checkOpen();
  auto& cs = callableStatement();
  if (local == C_wasNull) return {SqlEncode::boolean(cs.wasNull())};
  const int index = a.int32(0);
  switch (local) {
    case C_registerOutParameter:
      cs.registerOutParameter(index, a.int32(1));
      outTypes_[index] = a.int32(1);
      return {};
    case C_registerOutParameterWithScale:
      cs.registerOutParameter(index, a.int32(1), a.int32(2));
      outTypes_[index] = a.int32(1);
      return {};
    case C_getString:
      return {SqlEncode::text(cs.getString(index))};
    case C_getBoolean:
      return {SqlEncode::boolean(cs.getBoolean(index))};
    case C_getByte:
      return {SqlEncode::int8(cs.getByte(index))};
    case C_getShort:
      return {SqlEncode::int16(cs.getShort(index))};
    case C_getInt:
      return {MwEncode::dataInt(cs.getInt(index))};
    case C_getLong:
      return {MwEncode::dataLong(cs.getLong(index))};
    case C_getFloat:
      return {SqlEncode::float32(cs.getFloat(index))};
    case C_getDouble:
      return {SqlEncode::float64(cs.getDouble(index))};
    case C_getBigDecimal:
      return {MwEncode::string(cs.getBigDecimal(index, a.size() > 1 ? a.int32(1) : 0).toString())};
    case C_getBytes:
      return {bytesData(cs.getBytes(index))};
    case C_getDate: {
      const auto d = cs.getDate(index);
      return {MwEncode::dataInt(d.getYear()), MwEncode::dataInt(d.getMonth()), MwEncode::dataInt(d.getDay())};
    }
    case C_getTime: {
      const auto t = cs.getTime(index);
      return {MwEncode::dataInt(t.getHours()), MwEncode::dataInt(t.getMinutes()), MwEncode::dataInt(t.getSeconds())};
    }
    case C_getTimestamp: {
      const auto ts = cs.getTimestamp(index);
      return {MwEncode::dataInt(ts.getYear()),  MwEncode::dataInt(ts.getMonth()),   MwEncode::dataInt(ts.getDay()),
              MwEncode::dataInt(ts.getHours()), MwEncode::dataInt(ts.getMinutes()), MwEncode::dataInt(ts.getSeconds()),
              MwEncode::dataInt(ts.getNanos())};
    }
    case C_getObject: {
      const plat::lang::Value v = cs.getObject(index);
      auto it = outTypes_.find(index);
      int type = it != outTypes_.end() ? it->second : SqlEncode::typeOf(v);
      // An out-value has no stream to travel through: a long kind goes as its short form.
      if (type == Types::LONGVARCHAR) type = Types::VARCHAR;
      if (type == Types::LONGVARBINARY) type = Types::VARBINARY;
      return {SqlEncode::field(v, type, 0)};
    }
    default:
      noSuchMethod("Statement", kCallableBase + local);
  }
}

}  // namespace testkit::middleware::sql
