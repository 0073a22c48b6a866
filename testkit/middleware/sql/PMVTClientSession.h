// Server object "PMVTClientSession" (constructor selector 1): a record-set client session over its own database
// connection; creates multi-views (method 2) and metadata objects (1), lists the data sources (3) and closes (0).
// Called under its scope's lock.
#pragma once

#include "testkit/middleware/sql/RecordSetSession.h"

namespace testkit::middleware::sql {

class PMVTClientSession : public ServerObject {
 public:
  static constexpr int METHOD_close = 0;
  static constexpr int METHOD_getMetaData = 1;
  static constexpr int METHOD_createView = 2;
  static constexpr int METHOD_inquireDSN = 3;

  PMVTClientSession(MiddlewareServer& server, std::shared_ptr<const DriverSettings> settings,
                    std::shared_ptr<SqlScript> script, std::shared_ptr<RecordSetTerms> terms);
  std::vector<Encoded> invoke(int method, const std::vector<Arg>& args) override;

 private:
  std::shared_ptr<RecordSetSession> session_;
};

}  // namespace testkit::middleware::sql
