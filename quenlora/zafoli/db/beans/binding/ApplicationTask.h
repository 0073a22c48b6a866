// A named step of the library's work (such as "Next") and its memberships in chains of tasks, each with a weight
// for progress displays and whether the task starts or ends the chain. The predefined tasks are made once, on
// first use, with the texts of the default locale. Memberships are added under the task's lock; reads are safe
// from any thread.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/lang/Throwable.h"

namespace quenlora::zafoli::db::beans::binding {

class ChainTasks;

class ApplicationTask : public plat::lang::Object {
 public:
  // One membership of the task in a chain. Two memberships are equal when their chains have the same name.
  class TasksListMember {
   public:
    TasksListMember(const plat::lang::Ref<ChainTasks>& chain, double weight, bool start, bool end);

    plat::lang::Ref<ChainTasks> getChainTasks() const { return m_ChainTasks.lock(); }
    double getWeight() const { return m_Weight; }
    bool isStartTask() const { return m_StartTask; }
    bool isEndTask() const { return m_EndTask; }
    const std::string& getChainName() const { return chainName_; }
    void addError(std::shared_ptr<plat::lang::Throwable> error);
    const std::vector<std::shared_ptr<plat::lang::Throwable>>& getErrors() const { return m_Errors; }

    bool operator==(const TasksListMember& other) const { return chainName_ == other.chainName_; }

   private:
    std::weak_ptr<ChainTasks> m_ChainTasks;  // back reference: the chain holds its tasks
    std::string chainName_;
    double m_Weight;
    bool m_StartTask;
    bool m_EndTask;
    std::vector<std::shared_ptr<plat::lang::Throwable>> m_Errors;
  };

  explicit ApplicationTask(std::string name);
  // Also registers the membership in chain.
  ApplicationTask(std::string name, const plat::lang::Ref<ChainTasks>& chain, double weight, bool start, bool end);

  void addChainTasks(const plat::lang::Ref<ChainTasks>& chain, double weight, bool start, bool end);
  const std::string& getName() const { return m_Name; }
  // The weight of the membership whose chain is named like chain; 0.0 when there is none.
  double getWeight(const ChainTasks& chain) const;
  std::vector<TasksListMember> getGroup() const;

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.ApplicationTask"; }

  // The predefined tasks.
  static const plat::lang::Ref<ApplicationTask>& loadingApplication();
  static const plat::lang::Ref<ApplicationTask>& connectingDB();
  static const plat::lang::Ref<ApplicationTask>& loadingControls();
  static const plat::lang::Ref<ApplicationTask>& nextTask();
  static const plat::lang::Ref<ApplicationTask>& previousTask();
  static const plat::lang::Ref<ApplicationTask>& updateTask();
  static const plat::lang::Ref<ApplicationTask>& deleteTask();
  static const plat::lang::Ref<ApplicationTask>& newTask();
  static const plat::lang::Ref<ApplicationTask>& saveTask();
  static const plat::lang::Ref<ApplicationTask>& saveAllTask();
  static const plat::lang::Ref<ApplicationTask>& restartTask();
  static const plat::lang::Ref<ApplicationTask>& qbeTask();
  static const plat::lang::Ref<ApplicationTask>& gotoTask();
  static const plat::lang::Ref<ApplicationTask>& clearTask();

 private:
  std::string m_Name;
  mutable std::mutex mutex_;
  std::vector<TasksListMember> m_Group;  // guarded by mutex_
};

}  // namespace quenlora::zafoli::db::beans::binding
