// The process-wide registry of classes created by name. Each deliverable's module entry registers its classes by
// fully qualified name ("quenlora.zafoli.db.beans.qbe.QBExlator_de") with a factory, the interfaces they implement
// and, where callers invoke methods by name, method descriptors. Thread-safe; lives until the process ends.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/lang/Object.h"

namespace plat::runvale {

struct MethodDescriptor;  // platform/runvale/MethodDescriptor.h

using Factory = std::function<plat::lang::Ref<plat::lang::Object>()>;

struct ClassInfo {
  std::string name;                     // fully qualified, dot-separated
  Factory factory;                      // empty for interfaces and abstract classes
  std::vector<std::string> interfaces;  // fully qualified names of the interfaces the class implements
  std::string superclass;               // fully qualified; empty when none is registered
};

class ClassRegistry {
 public:
  static ClassRegistry& instance();

  ClassRegistry(const ClassRegistry&) = delete;
  ClassRegistry& operator=(const ClassRegistry&) = delete;

  // Registers or replaces a class.
  void registerClass(ClassInfo info);
  // Adds a method to a registered class; methods keep their registration order.
  void addMethod(const std::string& className, MethodDescriptor descriptor);

  // The class of that name, loading the module mapped to its package prefix on first use.
  // Throws plat::lang::ClassNotFoundException with the name as message.
  const ClassInfo& forName(const std::string& name);
  bool isRegistered(const std::string& name) const;
  // A new object of the class: ClassNotFoundException when unknown, InstantiationException when it has no factory.
  plat::lang::Ref<plat::lang::Object> newInstance(const std::string& name);
  // Whether the class is, extends or implements typeName (following registered superclasses and interfaces).
  bool isAssignableTo(const std::string& name, const std::string& typeName) const;
  // The class's own methods, then its superclasses', in registration order.
  std::vector<const MethodDescriptor*> getMethods(const std::string& className) const;

  // Classes whose names start with prefix live in the module of that name ("quenlora.zafoli.db.jdbc." -> "Drivella").
  void mapPackagePrefix(const std::string& prefix, const std::string& moduleName);
  // The module of the longest mapped prefix that starts className; empty when no prefix does.
  std::string getModuleFor(const std::string& className) const;

 private:
  ClassRegistry();
  ~ClassRegistry();
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Registers T under name, made by its no-argument constructor.
template <class T>
void registerNew(ClassRegistry& registry, std::string name, std::vector<std::string> interfaces = {},
                 std::string superclass = {}) {
  ClassInfo info;
  info.name = std::move(name);
  info.factory = [] { return plat::lang::Ref<plat::lang::Object>(plat::lang::makeRef<T>()); };
  info.interfaces = std::move(interfaces);
  info.superclass = std::move(superclass);
  registry.registerClass(std::move(info));
}

// Runs the entry point of module name once: the module's runvale_module_init when lib<name>.so is already in the
// process, else after loading lib<name>.so with dlopen. Throws ClassNotFoundException when it cannot be found.
void jpeLoadModule(const std::string& name);

// Creates the main class by name and calls its main operation with the arguments; returns the exit code.
int jpeRunMain(const std::string& mainClass, const std::vector<std::string>& args);

// Flushes the console sinks and ends the process with code.
[[noreturn]] void sysExit(int code);

}  // namespace plat::runvale
