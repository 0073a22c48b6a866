// A set of text properties (key -> value), with an optional set of defaults consulted for keys it does not hold.
// Objects may be shared between threads: every operation is serialised on the set itself. Subclasses may add
// fields (a request is a property set).
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/util/Enumeration.h"

namespace plat::util {

class Properties : public plat::lang::Object {
 public:
  Properties() = default;
  // Keys this set does not hold are looked up in defaults, which stays shared (not copied).
  explicit Properties(plat::lang::Ref<const Properties> defaults) : defaults_(std::move(defaults)) {}
  Properties(const Properties& other);
  Properties& operator=(const Properties& other);
  ~Properties() override = default;

  // The value of key here or in the defaults; nullopt when neither holds it.
  std::optional<std::string> getProperty(const std::string& key) const;
  std::string getProperty(const std::string& key, const std::string& defaultValue) const;
  // Stores value under key and gives the previous value held here (not in the defaults).
  std::optional<std::string> setProperty(const std::string& key, const std::string& value);
  std::optional<std::string> remove(const std::string& key);
  bool containsKey(const std::string& key) const;  // this set only, not the defaults
  std::size_t size() const;
  bool isEmpty() const { return size() == 0; }
  void clear();

  // Keys held here, in key order.
  std::vector<std::string> keys() const;
  // Keys held here or in the defaults, in key order, each once.
  std::vector<std::string> stringPropertyNames() const;
  SnapshotEnumeration<std::string> propertyNames() const {
    return SnapshotEnumeration<std::string>(stringPropertyNames());
  }

  // "{key=value, key=value}" of the keys held here.
  std::string toString() const override;

 private:
  mutable std::mutex mutex_;
  std::map<std::string, std::string> values_;   // guarded by mutex_
  plat::lang::Ref<const Properties> defaults_;  // immutable after construction
};

}  // namespace plat::util
