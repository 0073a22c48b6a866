#include "platform/pq/PqPreparedStatement.h"

namespace plat::sql::pq {

namespace detail {

std::vector<std::uint8_t> readStream(const plat::lang::Ref<plat::io::InputStream>& stream, int length) {
  std::vector<std::uint8_t> bytes;
  if (stream == nullptr) return bytes;
  bytes.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  std::size_t got = 0;
  while (got < bytes.size()) {
    int n = stream->read(bytes.data() + got, bytes.size() - got);
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

}  // namespace detail

PqPreparedStatement::PqPreparedStatement(std::shared_ptr<PqSession> session, const std::string& sql)
    : PqPreparedBase(std::move(session), numberPlaceholders(sql).parameters), sql_(numberPlaceholders(sql)) {}

bool PqPreparedStatement::run(PqExecution::Expect expect) {
  execution_.checkOpen();
  checkAllSet([](int) { return false; });
  return execution_.run(sql_.text, values(), expect);
}

plat::lang::Ref<ResultSet> PqPreparedStatement::executeQuery() {
  run(PqExecution::Expect::Rows);
  return execution_.resultSet();
}

int PqPreparedStatement::executeUpdate() {
  run(PqExecution::Expect::Count);
  return execution_.updateCount();
}

bool PqPreparedStatement::execute() {
  return run(PqExecution::Expect::Any);
}

}  // namespace plat::sql::pq
