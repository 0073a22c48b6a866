#include "platform/runvale/ClassRegistry.h"

#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <unordered_map>

#include "platform/lang/Exceptions.h"
#include "platform/runvale/MethodDescriptor.h"

namespace plat::runvale {

namespace {

// One registered class. Entries are never freed, so references handed out by forName() and pointers handed out
// by getMethods() stay valid while other threads register more.
struct Entry {
  ClassInfo info;
  std::deque<MethodDescriptor> methods;  // registration order; deque keeps element addresses stable
};

}  // namespace

struct ClassRegistry::Impl {
  mutable std::mutex mutex;
  std::unordered_map<std::string, std::unique_ptr<Entry>> classes;  // guarded by mutex
  std::vector<std::unique_ptr<Entry>> replaced;                     // guarded by mutex; keeps replaced entries alive
  std::map<std::string, std::string> prefixes;                      // guarded by mutex; package prefix -> module name

  const Entry* find(const std::string& name) const {
    auto it = classes.find(name);
    return it == classes.end() ? nullptr : it->second.get();
  }

  // The module whose prefix is the longest one that starts name; empty when none does.
  std::string moduleFor(const std::string& name) const {
    std::string best;
    std::size_t bestLength = 0;
    for (const auto& [prefix, module] : prefixes) {
      if (prefix.size() >= bestLength && name.compare(0, prefix.size(), prefix) == 0) {
        best = module;
        bestLength = prefix.size();
      }
    }
    return best;
  }
};

ClassRegistry& ClassRegistry::instance() {
  // Never destroyed: modules and threads may still look classes up while the process ends.
  static ClassRegistry* registry = new ClassRegistry();
  return *registry;
}

ClassRegistry::ClassRegistry() : impl_(std::make_unique<Impl>()) {
  impl_->prefixes = {
      {"quenlora.zafoli.db.net.", "Wirlow"},    {"quenlora.zafoli.db.pro.", "Rowlace"},
      {"quenlora.zafoli.db.jdbc.", "Drivella"}, {"quenlora.zafoli.db.beans.", "Tethra"},
      {"quenlora.zafoli.db.awt.", "Tethra"},    {"plat.sql.pq.", "plat_pq"},
  };
}

ClassRegistry::~ClassRegistry() = default;

void ClassRegistry::registerClass(ClassInfo info) {
  if (info.name.empty()) throw plat::lang::IllegalArgumentException("class name is empty");
  auto entry = std::make_unique<Entry>();
  entry->info = std::move(info);
  std::lock_guard lock(impl_->mutex);
  auto& slot = impl_->classes[entry->info.name];
  if (slot) impl_->replaced.push_back(std::move(slot));
  slot = std::move(entry);
}

void ClassRegistry::addMethod(const std::string& className, MethodDescriptor descriptor) {
  std::lock_guard lock(impl_->mutex);
  auto it = impl_->classes.find(className);
  if (it == impl_->classes.end()) throw plat::lang::ClassNotFoundException(className);
  it->second->methods.push_back(std::move(descriptor));
}

const ClassInfo& ClassRegistry::forName(const std::string& name) {
  std::string module;
  {
    std::lock_guard lock(impl_->mutex);
    if (const Entry* entry = impl_->find(name)) return entry->info;
    module = impl_->moduleFor(name);
  }
  if (module.empty()) throw plat::lang::ClassNotFoundException(name);
  // The module's init registers classes, so it runs without the lock.
  try {
    jpeLoadModule(module);
  } catch (const plat::lang::Throwable& failure) {
    throw plat::lang::ClassNotFoundException(name, failure.clone());
  }
  std::lock_guard lock(impl_->mutex);
  if (const Entry* entry = impl_->find(name)) return entry->info;
  throw plat::lang::ClassNotFoundException(name);
}

bool ClassRegistry::isRegistered(const std::string& name) const {
  std::lock_guard lock(impl_->mutex);
  return impl_->find(name) != nullptr;
}

plat::lang::Ref<plat::lang::Object> ClassRegistry::newInstance(const std::string& name) {
  const ClassInfo& info = forName(name);
  if (!info.factory) throw plat::lang::InstantiationException(name);
  auto object = info.factory();
  if (!object) throw plat::lang::InstantiationException(name);
  return object;
}

bool ClassRegistry::isAssignableTo(const std::string& name, const std::string& typeName) const {
  if (name == typeName) return true;
  std::lock_guard lock(impl_->mutex);
  std::set<std::string> seen{name};
  std::vector<std::string> pending{name};
  while (!pending.empty()) {
    const Entry* entry = impl_->find(pending.back());
    pending.pop_back();
    if (!entry) continue;
    std::vector<std::string> supertypes = entry->info.interfaces;
    if (!entry->info.superclass.empty()) supertypes.push_back(entry->info.superclass);
    for (const auto& supertype : supertypes) {
      if (supertype == typeName) return true;
      if (seen.insert(supertype).second) pending.push_back(supertype);
    }
  }
  return false;
}

std::vector<const MethodDescriptor*> ClassRegistry::getMethods(const std::string& className) const {
  std::vector<const MethodDescriptor*> result;
  std::lock_guard lock(impl_->mutex);
  std::set<std::string> seen;
  std::string current = className;
  // The seen set ends the walk on a malformed (cyclic) superclass chain.
  while (!current.empty() && seen.insert(current).second) {
    const Entry* entry = impl_->find(current);
    if (!entry) break;
    for (const auto& method : entry->methods) result.push_back(&method);
    current = entry->info.superclass;
  }
  return result;
}

void ClassRegistry::mapPackagePrefix(const std::string& prefix, const std::string& moduleName) {
  std::lock_guard lock(impl_->mutex);
  // An empty module name takes the mapping away, so that a name in that package is simply not found.
  if (moduleName.empty()) {
    impl_->prefixes.erase(prefix);
  } else {
    impl_->prefixes[prefix] = moduleName;
  }
}

std::string ClassRegistry::getModuleFor(const std::string& className) const {
  std::lock_guard lock(impl_->mutex);
  return impl_->moduleFor(className);
}

}  // namespace plat::runvale
