// Server object "Statement": a plain, prepared or callable statement on the database connection of its
// TRIVOConnection, called by the method numbers of the three statement kinds (0-17 plain, 18-39 prepared, 40-56
// callable). A plain text that the script knows is answered from the script. Upload streams handed out by
// getStream are bound as their parameter's value when the statement next runs. Called under its scope's lock.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/sql/CallableStatement.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sql/Statement.h"
#include "testkit/middleware/ServerObject.h"
#include "testkit/middleware/sql/ObjectScope.h"
#include "testkit/middleware/sql/SqlWire.h"

namespace testkit::middleware::sql {

class Statement : public ServerObject {
 public:
  static constexpr int METHOD_executeQuery = 0;
  static constexpr int METHOD_executeUpdate = 1;
  static constexpr int METHOD_close = 2;
  static constexpr int METHOD_getMaxFieldSize = 3;
  static constexpr int METHOD_setMaxFieldSize = 4;
  static constexpr int METHOD_getMaxRows = 5;
  static constexpr int METHOD_setMaxRows = 6;
  static constexpr int METHOD_setEscapeProcessing = 7;
  static constexpr int METHOD_getQueryTimeout = 8;
  static constexpr int METHOD_setQueryTimeout = 9;
  static constexpr int METHOD_cancel = 10;
  static constexpr int METHOD_getWarnings = 11;
  static constexpr int METHOD_clearWarnings = 12;
  static constexpr int METHOD_execute = 13;
  static constexpr int METHOD_getResultSet = 14;
  static constexpr int METHOD_getUpdateCount = 15;
  static constexpr int METHOD_getMoreResults = 16;
  static constexpr int METHOD_setCursorName = 17;
  static constexpr int kPreparedBase = 18;
  static constexpr int kCallableBase = 40;
  static constexpr int kMethodCount = 57;

  // stmt is a plain, prepared or callable statement; its kind decides which numbers it answers.
  Statement(std::shared_ptr<ObjectScope> scope, plat::lang::Ref<plat::sql::Statement> stmt);
  ~Statement() override;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  std::vector<Encoded> invoke(int method, const std::vector<Arg>& args) override;

  // The statement underneath (a ScriptedStatement for a scripted prepared text).
  const plat::lang::Ref<plat::sql::Statement>& statement() const { return stmt_; }

 private:
  struct Upload {
    std::shared_ptr<ProxyStream> stream;
    bool text = false;
  };

  std::vector<Encoded> plain(int method, const ArgReader& a);
  std::vector<Encoded> prepared(int local, const ArgReader& a);
  std::vector<Encoded> callable(int local, const ArgReader& a);
  // The statement that runs a plain text: a scripted one when the script knows the text.
  plat::sql::Statement& runnerFor(const std::string& sql);
  plat::sql::PreparedStatement& preparedStatement() const;
  plat::sql::CallableStatement& callableStatement() const;
  void bindUploads();
  void checkOpen() const;

  std::shared_ptr<ObjectScope> scope_;
  plat::lang::Ref<plat::sql::Statement> stmt_;
  plat::lang::Ref<plat::sql::PreparedStatement> prepared_;  // stmt_ when it is prepared, else null
  plat::lang::Ref<plat::sql::CallableStatement> callable_;  // stmt_ when it is callable, else null
  plat::lang::Ref<plat::sql::Statement> scriptedRun_;       // the statement of the last scripted plain text
  plat::sql::Statement* current_ = nullptr;                 // the statement of the last run: stmt_ or scriptedRun_
  std::map<int, Upload> uploads_;                           // by parameter index
  std::map<int, int> outTypes_;                             // registered out-parameters: index to type code
  bool closed_ = false;
};

}  // namespace testkit::middleware::sql
