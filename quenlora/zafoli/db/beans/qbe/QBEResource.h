// The query-by-example message bundle: the fragments of the lexical and syntax error messages and the syntax
// error prefix, in English (the base bundle) and in German, French and Japanese, all with the same keys in the
// same order. Immutable; safe from any thread.
#pragma once

#include <string>
#include <vector>

#include "platform/text/ListResourceBundle.h"

namespace quenlora::zafoli::db::beans::qbe {

class QBEResource : public plat::text::ListResourceBundle {
 public:
  static constexpr const char* kBaseName = "quenlora.zafoli.db.beans.qbe.QBEResource";

  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return kBaseName; }

  // The English text of key, for messages built while no bundle could be loaded; empty for an unknown key.
  static std::string englishText(const std::string& key);
};

class QBEResource_de : public plat::text::ListResourceBundle {
 public:
  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.qbe.QBEResource_de"; }
};

class QBEResource_fr : public plat::text::ListResourceBundle {
 public:
  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.qbe.QBEResource_fr"; }
};

class QBEResource_ja : public plat::text::ListResourceBundle {
 public:
  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.qbe.QBEResource_ja"; }
};

}  // namespace quenlora::zafoli::db::beans::qbe
