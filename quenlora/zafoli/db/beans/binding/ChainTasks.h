// A named chain of application tasks (an operation such as "Next record") and the predefined chains of the
// library, made once on first use with the texts of the default locale, after the tasks. Tasks are appended under
// the chain's lock; reads are safe from any thread.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/ApplicationTask.h"

namespace quenlora::zafoli::db::beans::binding {

class ChainTasks : public plat::lang::Object {
 public:
  using TaskList = std::vector<plat::lang::Ref<ApplicationTask>>;

  explicit ChainTasks(std::string name);
  // Appends the tasks in order (without registering memberships on them).
  ChainTasks(std::string name, const TaskList& tasks);

  // Appends task and registers the membership on it. This chain must be held by a Ref.
  void addTask(const plat::lang::Ref<ApplicationTask>& task, double weight, bool start, bool end);
  const std::string& getName() const { return m_Name; }
  TaskList getTasks() const;

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.ChainTasks"; }

  // The predefined chains.
  static const plat::lang::Ref<ChainTasks>& applLoad();
  static const plat::lang::Ref<ChainTasks>& applFirst();
  static const plat::lang::Ref<ChainTasks>& applNext();
  static const plat::lang::Ref<ChainTasks>& applPrevious();
  static const plat::lang::Ref<ChainTasks>& applSave();
  static const plat::lang::Ref<ChainTasks>& applSaveAll();
  static const plat::lang::Ref<ChainTasks>& applNew();
  static const plat::lang::Ref<ChainTasks>& applDelete();
  static const plat::lang::Ref<ChainTasks>& applUpdate();
  static const plat::lang::Ref<ChainTasks>& applRestart();
  static const plat::lang::Ref<ChainTasks>& applQbe();
  static const plat::lang::Ref<ChainTasks>& applGoto();
  static const plat::lang::Ref<ChainTasks>& applClear();
  // The task arrays the chains were made from (applLoadChain holds only the connecting task).
  static const TaskList& applLoadChain();
  static const TaskList& applNextChain();
  // The text of the "Goto record" chain.
  static const std::string& GO_TO();

  // Makes the predefined tasks and chains once; later calls return at once.
  static void ensurePredefined();

 private:
  std::string m_Name;
  mutable std::mutex mutex_;
  TaskList m_Tasks;  // guarded by mutex_
};

}  // namespace quenlora::zafoli::db::beans::binding
