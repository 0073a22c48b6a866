// What a connection bean and the row classes read about a PostgreSQL database: product and driver names, the URL and
// user, the server's default isolation level and its transaction support, and a table's primary key and indexes
// from the catalogue. Closed with its connection. Thread-safe.
#pragma once

#include <memory>
#include <string>

#include "platform/pq/PqSession.h"
#include "platform/sql/DatabaseMetaData.h"

namespace plat::sql::pq {

class PqDatabaseMetaData : public DatabaseMetaData {
 public:
  PqDatabaseMetaData(std::shared_ptr<PqSession> session, std::string url, std::string user, int defaultIsolation)
      : session_(std::move(session)),
        url_(std::move(url)),
        user_(std::move(user)),
        defaultIsolation_(defaultIsolation) {}

  std::string getURL() override;
  std::string getUserName() override;
  std::string getDatabaseProductName() override;
  std::string getDatabaseProductVersion() override;
  std::string getDriverName() override;
  std::string getDriverVersion() override;
  bool storesLowerCaseIdentifiers() override;
  std::string getIdentifierQuoteString() override;
  bool supportsOpenCursorsAcrossCommit() override;
  bool supportsOpenCursorsAcrossRollback() override;
  bool supportsOpenStatementsAcrossCommit() override;
  bool supportsOpenStatementsAcrossRollback() override;
  int getMaxStatements() override;
  int getDefaultTransactionIsolation() override;
  bool supportsTransactions() override;
  bool supportsTransactionIsolationLevel(int level) override;
  // The table (exactly as named; in schema, or else the one the search path finds) and its key's columns by name.
  ResultSetRef getPrimaryKeys(const OptionalText& catalog, const OptionalText& schema,
                              const std::string& table) override;
  // The key columns of the table's valid indexes (unique ones only when unique), unique first, each index in its
  // columns' order. An index on an expression is left out: it names no column a row could be found by.
  ResultSetRef getIndexInfo(const OptionalText& catalog, const OptionalText& schema, const std::string& table,
                            bool unique, bool approximate) override;

  std::string getClassName() const override { return "plat.sql.pq.PqDatabaseMetaData"; }

 private:
  // Runs a catalogue query whose last markers are the table and, when given, the schema.
  ResultSetRef catalogQuery(std::string sql, const OptionalText& schema, const std::string& table);

  std::shared_ptr<PqSession> session_;
  std::string url_;
  std::string user_;
  int defaultIsolation_;
};

}  // namespace plat::sql::pq
