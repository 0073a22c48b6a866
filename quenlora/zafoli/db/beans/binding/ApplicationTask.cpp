#include "quenlora/zafoli/db/beans/binding/ApplicationTask.h"

#include "quenlora/zafoli/db/beans/binding/BindingResourceLoader.h"
#include "quenlora/zafoli/db/beans/binding/ChainTasks.h"

namespace quenlora::zafoli::db::beans::binding {

ApplicationTask::TasksListMember::TasksListMember(const plat::lang::Ref<ChainTasks>& chain, double weight, bool start,
                                                  bool end)
    : m_ChainTasks(chain),
      chainName_(chain ? chain->getName() : std::string()),
      m_Weight(weight),
      m_StartTask(start),
      m_EndTask(end) {}

void ApplicationTask::TasksListMember::addError(std::shared_ptr<plat::lang::Throwable> error) {
  m_Errors.push_back(std::move(error));
}

ApplicationTask::ApplicationTask(std::string name) : m_Name(std::move(name)) {}

ApplicationTask::ApplicationTask(std::string name, const plat::lang::Ref<ChainTasks>& chain, double weight, bool start,
                                 bool end)
    : m_Name(std::move(name)) {
  addChainTasks(chain, weight, start, end);
}

void ApplicationTask::addChainTasks(const plat::lang::Ref<ChainTasks>& chain, double weight, bool start, bool end) {
  std::lock_guard<std::mutex> lock(mutex_);
  m_Group.emplace_back(chain, weight, start, end);
}

double ApplicationTask::getWeight(const ChainTasks& chain) const {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const auto& member : m_Group) {
    if (member.getChainName() == chain.getName()) return member.getWeight();
  }
  return 0.0;
}

std::vector<ApplicationTask::TasksListMember> ApplicationTask::getGroup() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return m_Group;
}

namespace {

struct PredefinedTasks {
  plat::lang::Ref<ApplicationTask> loadingApplication, connectingDB, loadingControls, nextTask, previousTask,
      updateTask, deleteTask, newTask, saveTask, saveAllTask, restartTask, qbeTask, gotoTask, clearTask;
};

plat::lang::Ref<ApplicationTask> task(const char* key) {
  return plat::lang::makeRef<ApplicationTask>(BindingResourceLoader::text(key));
}

const PredefinedTasks& predefined() {
  static const PredefinedTasks* tasks = new PredefinedTasks{task("AppTasks_Loading application"),
                                                            task("AppTasks_Connecting to DB"),
                                                            task("AppTasks_Loading controls"),
                                                            task("AppTasks_Next"),
                                                            task("AppTasks_Previous"),
                                                            task("AppTasks_Updating"),
                                                            task("AppTasks_Deleting"),
                                                            task("AppTasks_Inserting"),
                                                            task("AppTasks_Saving"),
                                                            task("AppTasks_SavingAll"),
                                                            task("AppTasks_Restarting"),
                                                            task("AppTasks_Entering QBE"),
                                                            task("AppTasks_Goto"),
                                                            task("AppTasks_Undo")};  // lives until the process ends
  return *tasks;
}

}  // namespace

namespace {

// The chains register their memberships on the tasks, so handing out a task makes the chains first.
const plat::lang::Ref<ApplicationTask>& withChains(plat::lang::Ref<ApplicationTask> PredefinedTasks::*field) {
  ChainTasks::ensurePredefined();
  return predefined().*field;
}

}  // namespace

const plat::lang::Ref<ApplicationTask>& ApplicationTask::loadingApplication() {
  return withChains(&PredefinedTasks::loadingApplication);
}
const plat::lang::Ref<ApplicationTask>& ApplicationTask::connectingDB() {
  return withChains(&PredefinedTasks::connectingDB);
}
const plat::lang::Ref<ApplicationTask>& ApplicationTask::loadingControls() {
  return withChains(&PredefinedTasks::loadingControls);
}
const plat::lang::Ref<ApplicationTask>& ApplicationTask::nextTask() {
  return withChains(&PredefinedTasks::nextTask);
}
const plat::lang::Ref<ApplicationTask>& ApplicationTask::previousTask() {
  return withChains(&PredefinedTasks::previousTask);
}
const plat::lang::Ref<ApplicationTask>& ApplicationTask::updateTask() {
  return withChains(&PredefinedTasks::updateTask);
}
const plat::lang::Ref<ApplicationTask>& ApplicationTask::deleteTask() {
  return withChains(&PredefinedTasks::deleteTask);
}
const plat::lang::Ref<ApplicationTask>& ApplicationTask::newTask() {
  return withChains(&PredefinedTasks::newTask);
}
const plat::lang::Ref<ApplicationTask>& ApplicationTask::saveTask() {
  return withChains(&PredefinedTasks::saveTask);
}
const plat::lang::Ref<ApplicationTask>& ApplicationTask::saveAllTask() {
  return withChains(&PredefinedTasks::saveAllTask);
}
const plat::lang::Ref<ApplicationTask>& ApplicationTask::restartTask() {
  return withChains(&PredefinedTasks::restartTask);
}
const plat::lang::Ref<ApplicationTask>& ApplicationTask::qbeTask() {
  return withChains(&PredefinedTasks::qbeTask);
}
const plat::lang::Ref<ApplicationTask>& ApplicationTask::gotoTask() {
  return withChains(&PredefinedTasks::gotoTask);
}
const plat::lang::Ref<ApplicationTask>& ApplicationTask::clearTask() {
  return withChains(&PredefinedTasks::clearTask);
}

// Used by ChainTasks while building the chains: the bare tasks, without recursion into ensurePredefined().
namespace detail {
const plat::lang::Ref<ApplicationTask>* predefinedTaskArray() {
  const PredefinedTasks& t = predefined();
  static const plat::lang::Ref<ApplicationTask>* array = new plat::lang::Ref<ApplicationTask>[14] {
    t.loadingApplication, t.connectingDB, t.loadingControls, t.nextTask, t.previousTask, t.updateTask, t.deleteTask,
        t.newTask, t.saveTask, t.saveAllTask, t.restartTask, t.qbeTask, t.gotoTask, t.clearTask
  };
  return array;
}
}  // namespace detail

}  // namespace quenlora::zafoli::db::beans::binding
