// LONGVARCHAR value (type 74): the header alone; the text itself is reached through a remote stream, so the
// stream getters and setters, getObject and setObject refuse. Same thread contract as Field.
#pragma once

#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/CharField.h"
#include "quenlora/zafoli/db/net/Define.h"

namespace quenlora::zafoli::db::net {

class LongVarChar : public CharField {
 public:
  LongVarChar() = default;

  int getType() const override { return Define::SERVER_LONGVARCHAR; }
  int getSQLType() const override { return plat::sql::Types::LONGVARCHAR; }
  bool storesData() const override { return false; }

  StreamRef getAsciiStream() const override { cantConvert(); }
  StreamRef getBinaryStream() const override { cantConvert(); }
  StreamRef getUnicodeStream() const override { cantConvert(); }
  // No object when null, as for every kind; otherwise the value is not held here.
  plat::lang::Value getObject() const override {
    if (isNull()) return plat::lang::Value();
    cantConvert();
  }
  void setAsciiStream(const StreamRef&, int) override { cantConvert(); }
  void setBinaryStream(const StreamRef&, int) override { cantConvert(); }
  void setUnicodeStream(const StreamRef&, int) override { cantConvert(); }
  void setObject(const plat::lang::Value&) override { cantConvert(); }

 protected:
  void readValue(plat::io::DataInputStream&) override {}
  void writeValue(plat::io::DataOutputStream&) const override {}
};

}  // namespace quenlora::zafoli::db::net
