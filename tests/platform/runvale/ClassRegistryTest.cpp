#include "platform/runvale/ClassRegistry.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/lang/Exceptions.h"
#include "platform/runvale/MethodDescriptor.h"

namespace plat::runvale {
namespace {

using plat::lang::Object;
using plat::lang::Ref;
using plat::lang::Value;

class Named : public Object {
 public:
  explicit Named(std::string name) : name_(std::move(name)) {}
  std::string getClassName() const override { return name_; }

 private:
  std::string name_;
};

Factory factoryOf(const std::string& name) {
  return [name] { return plat::lang::makeRef<Named>(name); };
}

MethodDescriptor method(const std::string& name) {
  return {name, {}, "void", [](Object&, const std::vector<Value>&) { return Value(); }};
}

ClassRegistry& registry() {
  return ClassRegistry::instance();
}

TEST(ClassRegistry, RegisteredClassIsFoundAndInstantiated) {
  registry().registerClass({"regtest.Plain", factoryOf("regtest.Plain"), {}, ""});
  EXPECT_TRUE(registry().isRegistered("regtest.Plain"));
  EXPECT_EQ(registry().forName("regtest.Plain").name, "regtest.Plain");
  auto first = registry().newInstance("regtest.Plain");
  auto second = registry().newInstance("regtest.Plain");
  ASSERT_NE(first, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(first->getClassName(), "regtest.Plain");
}

TEST(ClassRegistry, UnknownNameIsClassNotFoundWithTheName) {
  EXPECT_FALSE(registry().isRegistered("regtest.Nowhere"));
  try {
    registry().forName("regtest.Nowhere");
    FAIL() << "no exception";
  } catch (const plat::lang::ClassNotFoundException& e) {
    EXPECT_EQ(e.getMessage(), "regtest.Nowhere");
    EXPECT_EQ(e.toString(), "plat::lang::ClassNotFoundException: regtest.Nowhere");
  }
  EXPECT_THROW(registry().newInstance("regtest.Nowhere"), plat::lang::ClassNotFoundException);
}

TEST(ClassRegistry, ClassWithoutFactoryOrWithNullResultIsInstantiationException) {
  registry().registerClass({"regtest.Interface", nullptr, {}, ""});
  registry().registerClass({"regtest.Broken", [] { return Ref<Object>(); }, {}, ""});
  for (const char* name : {"regtest.Interface", "regtest.Broken"}) {
    try {
      registry().newInstance(name);
      FAIL() << name;
    } catch (const plat::lang::InstantiationException& e) {
      EXPECT_EQ(e.getMessage(), name);
    }
  }
}

TEST(ClassRegistry, ReplacingKeepsEarlierReferencesValid) {
  registry().registerClass({"regtest.Replaced", factoryOf("first"), {"regtest.Old"}, ""});
  const ClassInfo& before = registry().forName("regtest.Replaced");
  registry().registerClass({"regtest.Replaced", factoryOf("second"), {}, ""});
  EXPECT_EQ(before.interfaces.size(), 1u);  // still readable
  EXPECT_EQ(registry().newInstance("regtest.Replaced")->getClassName(), "second");
  EXPECT_FALSE(registry().isAssignableTo("regtest.Replaced", "regtest.Old"));
}

TEST(ClassRegistry, EmptyNameIsRefused) {
  EXPECT_THROW(registry().registerClass({"", nullptr, {}, ""}), plat::lang::IllegalArgumentException);
}

TEST(ClassRegistry, AssignabilityFollowsSuperclassesAndInterfaces) {
  registry().registerClass({"assign.I3", nullptr, {}, ""});
  registry().registerClass({"assign.I2", nullptr, {"assign.I3"}, ""});
  registry().registerClass({"assign.I1", nullptr, {}, ""});
  registry().registerClass({"assign.Base", factoryOf("assign.Base"), {"assign.I2"}, ""});
  registry().registerClass({"assign.Child", factoryOf("assign.Child"), {"assign.I1"}, "assign.Base"});
  registry().registerClass({"assign.LoopA", nullptr, {}, "assign.LoopB"});
  registry().registerClass({"assign.LoopB", nullptr, {}, "assign.LoopA"});
  struct Case {
    const char* name;
    const char* type;
    bool expected;
  };
  const Case cases[] = {
      {"assign.Child", "assign.Child", true}, {"assign.Child", "assign.Base", true},
      {"assign.Child", "assign.I1", true},    {"assign.Child", "assign.I2", true},
      {"assign.Child", "assign.I3", true},    {"assign.Base", "assign.Child", false},
      {"assign.Base", "assign.I1", false},    {"assign.I2", "assign.I3", true},
      {"assign.Unknown", "assign.I1", false}, {"assign.Unknown", "assign.Unknown", true},
      {"assign.LoopA", "assign.LoopB", true}, {"assign.LoopA", "assign.I1", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(registry().isAssignableTo(c.name, c.type), c.expected) << c.name << " -> " << c.type;
  }
}

TEST(ClassRegistry, MethodsComeInRegistrationOrderOwnBeforeInherited) {
  registry().registerClass({"methods.Base", nullptr, {}, ""});
  registry().registerClass({"methods.Child", nullptr, {}, "methods.Base"});
  registry().addMethod("methods.Base", method("baseFirst"));
  registry().addMethod("methods.Child", method("childFirst"));
  registry().addMethod("methods.Base", method("baseSecond"));
  registry().addMethod("methods.Child", method("childSecond"));
  std::vector<std::string> names;
  for (const auto* m : registry().getMethods("methods.Child")) names.push_back(m->name);
  EXPECT_EQ(names, (std::vector<std::string>{"childFirst", "childSecond", "baseFirst", "baseSecond"}));
  EXPECT_TRUE(registry().getMethods("methods.Unknown").empty());
  EXPECT_THROW(registry().addMethod("methods.Unknown", method("x")), plat::lang::ClassNotFoundException);
}

TEST(ClassRegistry, MethodsOfACyclicSuperclassChainAreListedOnce) {
  registry().registerClass({"methods.CycleA", nullptr, {}, "methods.CycleB"});
  registry().registerClass({"methods.CycleB", nullptr, {}, "methods.CycleA"});
  registry().addMethod("methods.CycleA", method("a"));
  registry().addMethod("methods.CycleB", method("b"));
  EXPECT_EQ(registry().getMethods("methods.CycleA").size(), 2u);
}

TEST(ClassRegistry, LongestPackagePrefixChoosesTheModule) {
  struct Case {
    const char* className;
    const char* module;
  };
  const Case cases[] = {
      {"quenlora.zafoli.db.net.ClientSession", "Wirlow"},
      {"quenlora.zafoli.db.pro.Session", "Rowlace"},
      {"quenlora.zafoli.db.jdbc.Driver", "Drivella"},
      {"quenlora.zafoli.db.beans.jdbc.ConnectionBean", "Tethra"},
      {"quenlora.zafoli.db.awt.DBTstamp", "Tethra"},
      {"quenlora.zafoli.db.Other", ""},
      {"quenlora.zafoli.db.jdbcx.Driver", ""},
      {"java.lang.String", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(registry().getModuleFor(c.className), c.module) << c.className;

  registry().mapPackagePrefix("prefix.a.", "ModuleA");
  registry().mapPackagePrefix("prefix.a.b.", "ModuleB");
  EXPECT_EQ(registry().getModuleFor("prefix.a.b.C"), "ModuleB");
  EXPECT_EQ(registry().getModuleFor("prefix.a.C"), "ModuleA");
  EXPECT_EQ(registry().getModuleFor("prefix.a.bc.C"), "ModuleA");
  registry().mapPackagePrefix("prefix.a.b.", "");
  EXPECT_EQ(registry().getModuleFor("prefix.a.b.C"), "ModuleA");
}

TEST(ClassRegistry, ConcurrentRegistrationAndLookupLoseNothing) {
  constexpr int kThreads = 4;
  constexpr int kClassesEach = 200;
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &failures] {
      for (int i = 0; i < kClassesEach; ++i) {
        std::string name = "concurrent.C" + std::to_string(t) + "_" + std::to_string(i);
        registry().registerClass({name, factoryOf(name), {}, ""});
        if (registry().newInstance(name)->getClassName() != name) ++failures;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(failures.load(), 0);
  for (int t = 0; t < kThreads; ++t) {
    for (int i = 0; i < kClassesEach; ++i) {
      EXPECT_TRUE(registry().isRegistered("concurrent.C" + std::to_string(t) + "_" + std::to_string(i)));
    }
  }
}

}  // namespace
}  // namespace plat::runvale
