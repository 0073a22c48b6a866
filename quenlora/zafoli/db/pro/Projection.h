// The ready-made column consumer: remembers the binder it was bound to and gives the column's value as text.
// Components extend it and override the callbacks they need. Used on the view's thread.
#pragma once

#include <string>

#include "quenlora/zafoli/db/pro/ProjLink.h"

namespace quenlora::zafoli::db::pro {

class Projection : public ProjLink {
 public:
  void init(ProjBinder& binder) override { binder_ = &binder; }
  void notifyDataChange(ProjBinder& binder) override { binder_ = &binder; }
  bool notifySetData(ProjBinder&) override { return true; }

  // Null until bound; the binder lives as long as its view.
  ProjBinder* getBinder() const { return binder_; }
  // The binder's getString; empty text when unbound, NULL, or on any failure.
  std::string toString() const;

 private:
  ProjBinder* binder_ = nullptr;
};

}  // namespace quenlora::zafoli::db::pro
