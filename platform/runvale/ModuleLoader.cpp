// jpeLoadModule(): runs each module's entry point exactly once per module name, whether the module's library was
// linked into the process or has to be loaded with dlopen.
#include <dlfcn.h>
#include <link.h>

#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

#include "platform/lang/Exceptions.h"
#include "platform/runvale/ClassRegistry.h"

namespace plat::runvale {

namespace {

using ModuleEntry = void (*)(ClassRegistry&);
constexpr const char* kEntrySymbol = "runvale_module_init";

std::string lastDlError(const std::string& fallback) {
  const char* text = dlerror();
  return text ? std::string(text) : fallback;
}

// The folder of the library that holds this code (libplat_core.so); the deliverables are installed beside it.
std::filesystem::path platformLibraryFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&jpeLoadModule), &info) == 0 || !info.dli_fname) return {};
  return std::filesystem::path(info.dli_fname).parent_path();
}

void* openLibrary(const std::string& file) {
  if (void* loaded = dlopen(file.c_str(), RTLD_NOW | RTLD_NOLOAD)) return loaded;
  if (void* opened = dlopen(file.c_str(), RTLD_NOW | RTLD_GLOBAL)) return opened;
  std::string failure = lastDlError(file + ": cannot be loaded");
  std::filesystem::path folder = platformLibraryFolder();
  if (folder.empty()) throw plat::lang::ClassNotFoundException(failure);
  std::filesystem::path beside = folder / file;
  std::error_code ignored;
  if (!std::filesystem::exists(beside, ignored)) throw plat::lang::ClassNotFoundException(failure);
  if (void* opened = dlopen(beside.c_str(), RTLD_NOW | RTLD_GLOBAL)) return opened;
  // The file is there but does not load (a missing dependency, say): that reason says more.
  throw plat::lang::ClassNotFoundException(lastDlError(beside.string() + ": cannot be loaded"));
}

// The module's own entry point. dlsym on a handle also searches the library's dependencies, which export entry
// points of their own (Rowlace links Wirlow), so the symbol must belong to the library itself.
ModuleEntry findEntry(void* handle, const std::string& file) {
  dlerror();
  void* symbol = dlsym(handle, kEntrySymbol);
  if (!symbol) throw plat::lang::ClassNotFoundException(lastDlError(file + ": undefined symbol: " + kEntrySymbol));
  link_map* libraryMap = nullptr;
  link_map* symbolMap = nullptr;
  Dl_info info{};
  if (dlinfo(handle, RTLD_DI_LINKMAP, &libraryMap) == 0 &&
      dladdr1(symbol, &info, reinterpret_cast<void**>(&symbolMap), RTLD_DL_LINKMAP) != 0 && libraryMap && symbolMap &&
      libraryMap != symbolMap) {
    throw plat::lang::ClassNotFoundException(file + ": undefined symbol: " + kEntrySymbol);
  }
  return reinterpret_cast<ModuleEntry>(symbol);
}

// Remembers which modules ran their entry point. An entry point registers classes and may itself load other
// modules, so it runs without the lock; a second thread asking for the same module waits until it has run. (Two
// modules whose entry points need each other's classes, initialised at once from two threads, would wait for each
// other, as class initialisation does in the runtime; the deliverables' entry points only register.)
class ModuleTable {
 public:
  static ModuleTable& instance() {
    static ModuleTable* table = new ModuleTable();  // never destroyed, like the registry
    return *table;
  }

  void load(const std::string& name) {
    std::unique_lock lock(mutex_);
    for (;;) {
      auto it = modules_.find(name);
      if (it == modules_.end()) break;
      if (it->second.done) return;
      // The module's own entry point asked for its module: it is being initialised already.
      if (it->second.loader == std::this_thread::get_id()) return;
      changed_.wait(lock);
    }
    modules_[name] = Module{false, std::this_thread::get_id()};
    lock.unlock();

    ModuleEntry entry = nullptr;
    try {
      std::string file = "lib" + name + ".so";
      entry = findEntry(openLibrary(file), file);
    } catch (...) {
      // Nothing ran: a later call may try again.
      finish(name, false);
      throw;
    }
    try {
      entry(ClassRegistry::instance());
    } catch (...) {
      // The entry point ran (perhaps halfway); it is never run a second time.
      finish(name, true);
      throw;
    }
    finish(name, true);
  }

 private:
  struct Module {
    bool done;               // the entry point has run
    std::thread::id loader;  // the thread running it while !done
  };

  void finish(const std::string& name, bool ran) {
    std::lock_guard lock(mutex_);
    if (ran) {
      modules_[name].done = true;
    } else {
      modules_.erase(name);
    }
    changed_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::map<std::string, Module> modules_;  // guarded by mutex_
};

}  // namespace

void jpeLoadModule(const std::string& name) {
  if (name.empty()) throw plat::lang::ClassNotFoundException("empty module name");
  ModuleTable::instance().load(name);
}

}  // namespace plat::runvale
