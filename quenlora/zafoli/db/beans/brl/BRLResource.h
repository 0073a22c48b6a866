// The message bundle of the rule library: formula templates, marker texts and the rules' failure texts, in English
// (the base, where every value is its own key) and in German, French and Japanese, all with the same 28 keys in the
// same order. The subtraction template stands twice, once among the date texts and once among the number texts.
// Immutable; safe from any thread.
#pragma once

#include <string>
#include <vector>

#include "platform/text/ListResourceBundle.h"

namespace quenlora::zafoli::db::beans::brl {

class BRLResource : public plat::text::ListResourceBundle {
 public:
  static constexpr const char* kBaseName = "quenlora.zafoli.db.beans.brl.BRLResource";

  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return kBaseName; }
};

class BRLResource_de : public plat::text::ListResourceBundle {
 public:
  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.brl.BRLResource_de"; }
};

class BRLResource_fr : public plat::text::ListResourceBundle {
 public:
  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.brl.BRLResource_fr"; }
};

class BRLResource_ja : public plat::text::ListResourceBundle {
 public:
  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.brl.BRLResource_ja"; }
};

}  // namespace quenlora::zafoli::db::beans::brl
