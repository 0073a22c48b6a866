#include "testkit/middleware/sql/TRIVOConnection.h"

#include "platform/sql/CallableStatement.h"
#include "platform/sql/DatabaseMetaData.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sql/Statement.h"
#include "testkit/middleware/sql/DatabaseMetaData.h"
#include "testkit/middleware/sql/ScriptedStatement.h"
#include "testkit/middleware/sql/SqlWire.h"
#include "testkit/middleware/sql/Statement.h"

namespace testkit::middleware::sql {

TRIVOConnection::~TRIVOConnection() {
  auto hold = scope_->lock();
  try {
    if (connection_ != nullptr && !connection_->isClosed()) connection_->close();
  } catch (...) {
  }
  connection_ = nullptr;
}

std::vector<Encoded> TRIVOConnection::invoke(int method, const std::vector<Arg>& args) {
  return scope_->call([&]() -> std::vector<Encoded> {
    const ArgReader a(args, "TRIVOConnection", method);
    auto& c = *connection_;
    switch (method) {
      case METHOD_createStatement:
        return {MwEncode::dataInt(add(std::make_shared<Statement>(scope_, c.createStatement())))};
      case METHOD_prepareStatement:
      case METHOD_prepareCall: {
        const std::string sql = a.text(0);
        plat::lang::Ref<plat::sql::Statement> stmt;
        if (std::optional<ScriptedReply> reply = scope_->script().find(sql)) {
          if (c.isClosed()) c.createStatement();  // fails with the connection's closed message
          stmt = plat::lang::makeRef<ScriptedStatement>(sql, std::move(*reply));
        } else if (method == METHOD_prepareStatement) {
          stmt = c.prepareStatement(sql);
        } else {
          stmt = c.prepareCall(sql);
        }
        return {MwEncode::dataInt(add(std::make_shared<Statement>(scope_, std::move(stmt))))};
      }
      case METHOD_nativeSQL:
        return {SqlEncode::text(c.nativeSQL(a.text(0)))};
      case METHOD_setAutoCommit:
        c.setAutoCommit(a.boolean(0));
        return {};
      case METHOD_commit:
        c.commit();
        return {};
      case METHOD_rollback:
        c.rollback();
        return {};
      case METHOD_close:
        c.close();
        return {};
      case METHOD_isClosed:
        return {SqlEncode::boolean(c.isClosed())};
      case METHOD_getMetaData:
        return {MwEncode::dataInt(add(std::make_shared<DatabaseMetaData>(scope_, c.getMetaData())))};
      case METHOD_setReadOnly:
        c.setReadOnly(a.boolean(0));
        return {};
      case METHOD_isReadOnly:
        return {SqlEncode::boolean(c.isReadOnly())};
      case METHOD_setCatalog:
        c.setCatalog(a.text(0));
        return {};
      case METHOD_getCatalog:
        return {SqlEncode::text(c.getCatalog())};
      case METHOD_setTransactionIsolation:
        c.setTransactionIsolation(a.int32(0));
        return {};
      case METHOD_getTransactionIsolation:
        return {MwEncode::dataInt(c.getTransactionIsolation())};
      case METHOD_getWarnings: {
        std::vector<Encoded> out = encodeWarnings(c.getWarnings());
        if (!warningsCleared_) {
          for (auto& w : encodeWarnings(scope_->script().connectionWarnings())) out.push_back(std::move(w));
        }
        return out;
      }
      case METHOD_clearWarnings:
        c.clearWarnings();
        warningsCleared_ = true;
        return {};
      case METHOD_getAutoCommit:
        return {SqlEncode::boolean(c.getAutoCommit())};
      default:
        noSuchMethod("TRIVOConnection", method);
    }
  });
}

}  // namespace testkit::middleware::sql
