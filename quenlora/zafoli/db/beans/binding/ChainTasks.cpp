#include "quenlora/zafoli/db/beans/binding/ChainTasks.h"

#include "quenlora/zafoli/db/beans/binding/BindingResourceLoader.h"

namespace quenlora::zafoli::db::beans::binding {

namespace detail {
const plat::lang::Ref<ApplicationTask>* predefinedTaskArray();  // ApplicationTask.cpp
}

ChainTasks::ChainTasks(std::string name) : m_Name(std::move(name)) {}

ChainTasks::ChainTasks(std::string name, const TaskList& tasks) : m_Name(std::move(name)), m_Tasks(tasks) {}

void ChainTasks::addTask(const plat::lang::Ref<ApplicationTask>& task, double weight, bool start, bool end) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    m_Tasks.push_back(task);
  }
  task->addChainTasks(std::static_pointer_cast<ChainTasks>(shared_from_this()), weight, start, end);
}

ChainTasks::TaskList ChainTasks::getTasks() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return m_Tasks;
}

namespace {

enum TaskIndex {
  kLoadingApplication,
  kConnectingDB,
  kLoadingControls,
  kNext,
  kPrevious,
  kUpdate,
  kDelete,
  kNew,
  kSave,
  kSaveAll,
  kRestart,
  kQbe,
  kGoto,
  kClear
};

struct PredefinedChains {
  plat::lang::Ref<ChainTasks> applLoad, applFirst, applNext, applPrevious, applSave, applSaveAll, applNew, applDelete,
      applUpdate, applRestart, applQbe, applGoto, applClear;
  ChainTasks::TaskList applLoadChain, applNextChain;
  std::string goTo;
};

// A chain made from one task that begins and ends it with the full weight.
plat::lang::Ref<ChainTasks> singleTaskChain(const char* key, const plat::lang::Ref<ApplicationTask>& task) {
  auto chain = plat::lang::makeRef<ChainTasks>(BindingResourceLoader::text(key), ChainTasks::TaskList{task});
  task->addChainTasks(chain, 1.0, true, true);
  return chain;
}

const PredefinedChains& predefined() {
  static const PredefinedChains* chains = [] {
    const plat::lang::Ref<ApplicationTask>* t = detail::predefinedTaskArray();
    auto* c = new PredefinedChains();  // lives until the process ends
    c->applLoadChain = {t[kConnectingDB]};
    c->applNextChain = {t[kNext]};
    c->applLoad = plat::lang::makeRef<ChainTasks>(BindingResourceLoader::text("ChainTasks_Loaded"), c->applLoadChain);
    t[kLoadingApplication]->addChainTasks(c->applLoad, 0.1, true, false);
    t[kConnectingDB]->addChainTasks(c->applLoad, 0.8, false, false);
    t[kLoadingControls]->addChainTasks(c->applLoad, 0.1, false, true);
    // The first-record chain has no task of its own: it uses the next task.
    c->applFirst = singleTaskChain("ChainTasks_Firstrecord", t[kNext]);
    c->applNext = singleTaskChain("ChainTasks_Nextrecord", t[kNext]);
    c->applPrevious = singleTaskChain("ChainTasks_Previousrecord", t[kPrevious]);
    c->applSave = singleTaskChain("ChainTasks_Saving", t[kSave]);
    c->applSaveAll = singleTaskChain("ChainTasks_SavingAll", t[kSaveAll]);
    c->applNew = singleTaskChain("ChainTasks_Inserting", t[kNew]);
    c->applDelete = singleTaskChain("ChainTasks_Deleting", t[kDelete]);
    c->applUpdate = singleTaskChain("ChainTasks_Updating", t[kUpdate]);
    c->applRestart = singleTaskChain("ChainTasks_Restarting", t[kRestart]);
    c->applQbe = singleTaskChain("ChainTasks_EnteringQBE", t[kQbe]);
    c->applGoto = singleTaskChain("ChainTasks_Gotorecord", t[kGoto]);
    c->applClear = singleTaskChain("ChainTasks_Undochanges", t[kClear]);
    c->goTo = c->applGoto->getName();
    return c;
  }();
  return *chains;
}

}  // namespace

void ChainTasks::ensurePredefined() {
  predefined();
}

const plat::lang::Ref<ChainTasks>& ChainTasks::applLoad() {
  return predefined().applLoad;
}
const plat::lang::Ref<ChainTasks>& ChainTasks::applFirst() {
  return predefined().applFirst;
}
const plat::lang::Ref<ChainTasks>& ChainTasks::applNext() {
  return predefined().applNext;
}
const plat::lang::Ref<ChainTasks>& ChainTasks::applPrevious() {
  return predefined().applPrevious;
}
const plat::lang::Ref<ChainTasks>& ChainTasks::applSave() {
  return predefined().applSave;
}
const plat::lang::Ref<ChainTasks>& ChainTasks::applSaveAll() {
  return predefined().applSaveAll;
}
const plat::lang::Ref<ChainTasks>& ChainTasks::applNew() {
  return predefined().applNew;
}
const plat::lang::Ref<ChainTasks>& ChainTasks::applDelete() {
  return predefined().applDelete;
}
const plat::lang::Ref<ChainTasks>& ChainTasks::applUpdate() {
  return predefined().applUpdate;
}
const plat::lang::Ref<ChainTasks>& ChainTasks::applRestart() {
  return predefined().applRestart;
}
const plat::lang::Ref<ChainTasks>& ChainTasks::applQbe() {
  return predefined().applQbe;
}
const plat::lang::Ref<ChainTasks>& ChainTasks::applGoto() {
  return predefined().applGoto;
}
const plat::lang::Ref<ChainTasks>& ChainTasks::applClear() {
  return predefined().applClear;
}
const ChainTasks::TaskList& ChainTasks::applLoadChain() {
  return predefined().applLoadChain;
}
const ChainTasks::TaskList& ChainTasks::applNextChain() {
  return predefined().applNextChain;
}
const std::string& ChainTasks::GO_TO() {
  return predefined().goTo;
}

}  // namespace quenlora::zafoli::db::beans::binding
