// The message bundle of the data-binding core: every text it shows or puts into an exception, in English (the
// base bundle) and in German, French and Japanese, all with the same keys in the same order. Two entries are
// integers (font sizes). Immutable; safe from any thread.
#pragma once

#include <string>
#include <vector>

#include "platform/text/ListResourceBundle.h"

namespace quenlora::zafoli::db::beans::binding {

class BindingResource : public plat::text::ListResourceBundle {
 public:
  static constexpr const char* kBaseName = "quenlora.zafoli.db.beans.binding.BindingResource";

  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return kBaseName; }
};

class BindingResource_de : public plat::text::ListResourceBundle {
 public:
  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.BindingResource_de"; }
};

class BindingResource_fr : public plat::text::ListResourceBundle {
 public:
  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.BindingResource_fr"; }
};

class BindingResource_ja : public plat::text::ListResourceBundle {
 public:
  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.BindingResource_ja"; }
};

}  // namespace quenlora::zafoli::db::beans::binding
