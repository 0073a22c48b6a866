#include "platform/util/Properties.h"

#include <set>

namespace plat::util {

Properties::Properties(const Properties& other) : plat::lang::Object(other) {
  std::lock_guard<std::mutex> lock(other.mutex_);
  values_ = other.values_;
  defaults_ = other.defaults_;
}

Properties& Properties::operator=(const Properties& other) {
  if (this == &other) return *this;
  std::map<std::string, std::string> values;
  {
    std::lock_guard<std::mutex> lock(other.mutex_);
    values = other.values_;
  }
  std::lock_guard<std::mutex> lock(mutex_);
  values_ = std::move(values);
  defaults_ = other.defaults_;
  return *this;
}

std::optional<std::string> Properties::getProperty(const std::string& key) const {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = values_.find(key);
    if (it != values_.end()) return it->second;
  }
  if (defaults_) return defaults_->getProperty(key);
  return std::nullopt;
}

std::string Properties::getProperty(const std::string& key, const std::string& defaultValue) const {
  return getProperty(key).value_or(defaultValue);
}

std::optional<std::string> Properties::setProperty(const std::string& key, const std::string& value) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto [it, inserted] = values_.try_emplace(key, value);
  if (inserted) return std::nullopt;
  std::string previous = std::move(it->second);
  it->second = value;
  return previous;
}

std::optional<std::string> Properties::remove(const std::string& key) {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto it = values_.find(key);
  if (it == values_.end()) return std::nullopt;
  std::string previous = std::move(it->second);
  values_.erase(it);
  return previous;
}

bool Properties::containsKey(const std::string& key) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return values_.count(key) != 0;
}

std::size_t Properties::size() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return values_.size();
}

void Properties::clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  values_.clear();
}

std::vector<std::string> Properties::keys() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> out;
  out.reserve(values_.size());
  for (const auto& entry : values_) out.push_back(entry.first);
  return out;
}

std::vector<std::string> Properties::stringPropertyNames() const {
  std::set<std::string> names;
  if (defaults_) {
    for (auto& k : defaults_->stringPropertyNames()) names.insert(std::move(k));
  }
  for (auto& k : keys()) names.insert(std::move(k));
  return {names.begin(), names.end()};
}

std::string Properties::toString() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::string text = "{";
  bool first = true;
  for (const auto& [key, value] : values_) {
    if (!first) text += ", ";
    first = false;
    text += key + "=" + value;
  }
  return text + "}";
}

}  // namespace plat::util
