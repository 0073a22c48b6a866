#include "testkit/beans/MemoryLink.h"

#include "platform/sql/SQLException.h"

namespace testkit::beans {

MemoryLink::MemoryLink(Synchronizable* dataSource, plat::lang::Ref<MemoryConnection> connection)
    : dataSource_(dataSource), connection_(std::move(connection)), properties_(this) {}

void MemoryLink::close() {
  properties_.firePropertyChange("close", plat::lang::Value(false), plat::lang::Value(true));
}

void MemoryLink::navigate(int code, std::optional<int> row) {
  if (dataSource_) dataSource_->navigate(code, row);
}

template <class Passes>
void MemoryLink::inTransaction(Passes passes) {
  if (!dataSource_) return;
  if (connection_) connection_->beginTransaction();
  try {
    passes();
  } catch (const plat::sql::SQLException&) {
    if (connection_) connection_->endTransaction(false);
    throw;
  }
  if (connection_) connection_->endTransaction(true);
  dataSource_->commitState();
}

void MemoryLink::save() {
  inTransaction([&] { dataSource_->saveAll(Synchronizable::SAVE_CURRENT_RECORD); });
}

void MemoryLink::saveAll() {
  inTransaction([&] {
    dataSource_->saveAll(Synchronizable::SAVE_DELETED_DIRTY_DATA);
    dataSource_->saveAll(Synchronizable::SAVE_ALL_DIRTY_DATA);
  });
}

}  // namespace testkit::beans
