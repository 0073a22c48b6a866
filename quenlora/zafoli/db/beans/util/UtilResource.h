// The message bundle of the utility package: the display names of the data-source kinds and the number-parse
// message, in English (the base bundle) and in German, French and Japanese, all with the same keys in the same
// order. Immutable; safe from any thread.
#pragma once

#include <string>
#include <vector>

#include "platform/text/ListResourceBundle.h"

namespace quenlora::zafoli::db::beans::util {

class UtilResource : public plat::text::ListResourceBundle {
 public:
  static constexpr const char* kBaseName = "quenlora.zafoli.db.beans.util.UtilResource";

  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return kBaseName; }
};

class UtilResource_de : public plat::text::ListResourceBundle {
 public:
  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.util.UtilResource_de"; }
};

class UtilResource_fr : public plat::text::ListResourceBundle {
 public:
  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.util.UtilResource_fr"; }
};

class UtilResource_ja : public plat::text::ListResourceBundle {
 public:
  const std::vector<plat::text::BundleEntry>& getContents() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.util.UtilResource_ja"; }
};

}  // namespace quenlora::zafoli::db::beans::util
