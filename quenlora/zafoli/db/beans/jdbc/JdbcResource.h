// The message bundle of the JDBC data-source beans: the connect-failure dialog's labels, the adapters' messages and
// design-time captions, and the pieces the row classes build their messages from, in English (the base bundle) and
// in German, French and Japanese, all with the same keys in the same order. Immutable; safe from any thread.
#pragma once

#include <string>
#include <vector>

#include "platform/text/ListResourceBundle.h"

namespace quenlora::zafoli::db::beans::jdbc {

class JdbcResource : public plat::text::ListResourceBundle {
 public:
  static constexpr const char* kBaseName = "quenlora.zafoli.db.beans.jdbc.JdbcResource";

  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return kBaseName; }
};

class JdbcResource_de : public plat::text::ListResourceBundle {
 public:
  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.jdbc.JdbcResource_de"; }
};

class JdbcResource_fr : public plat::text::ListResourceBundle {
 public:
  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.jdbc.JdbcResource_fr"; }
};

class JdbcResource_ja : public plat::text::ListResourceBundle {
 public:
  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.jdbc.JdbcResource_ja"; }
};

}  // namespace quenlora::zafoli::db::beans::jdbc
