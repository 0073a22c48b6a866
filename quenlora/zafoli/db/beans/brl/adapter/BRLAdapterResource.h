// The message bundle of the rule adapters: property captions, the adapters' messages and five layout integers, in
// English (the base) and in German, French and Japanese, all with the same 44 keys in the same order; the Japanese
// default font size is 12, the others' 11. Immutable; safe from any thread.
#pragma once

#include <string>
#include <vector>

#include "platform/text/ListResourceBundle.h"

namespace quenlora::zafoli::db::beans::brl::adapter {

class BRLAdapterResource : public plat::text::ListResourceBundle {
 public:
  static constexpr const char* kBaseName = "quenlora.zafoli.db.beans.brl.adapter.BRLAdapterResource";

  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return kBaseName; }
};

class BRLAdapterResource_de : public plat::text::ListResourceBundle {
 public:
  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.brl.adapter.BRLAdapterResource_de"; }
};

class BRLAdapterResource_fr : public plat::text::ListResourceBundle {
 public:
  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.brl.adapter.BRLAdapterResource_fr"; }
};

class BRLAdapterResource_ja : public plat::text::ListResourceBundle {
 public:
  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.brl.adapter.BRLAdapterResource_ja"; }
};

}  // namespace quenlora::zafoli::db::beans::brl::adapter
