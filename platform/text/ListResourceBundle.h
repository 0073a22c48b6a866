// A resource bundle whose contents are a fixed, ordered list of key/value rows compiled into the program. A
// subclass answers getContents(); the rows are indexed on first use (a later row of the same key wins). Thread-safe.
#pragma once

#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/text/ResourceBundle.h"

namespace plat::text {

struct BundleEntry {
  std::string key;
  BundleValue value;
};

class ListResourceBundle : public ResourceBundle {
 public:
  std::vector<std::string> keySet() const override;

  // The rows in their order. The same list on every call.
  virtual const std::vector<BundleEntry>& getContents() const = 0;

 protected:
  const BundleValue* handleGetObject(const std::string& key) const override;

 private:
  void index() const;

  mutable std::once_flag indexed_;
  mutable std::unordered_map<std::string, const BundleValue*> lookup_;  // written once under indexed_
};

}  // namespace plat::text
