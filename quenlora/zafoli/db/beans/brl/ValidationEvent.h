// The news that a validation adapter's rule held or was broken; the source is the adapter (a back reference).
// A copyable value.
#pragma once

#include <string>

#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::beans::brl {

class ValidationEvent : public plat::lang::Object {
 public:
  explicit ValidationEvent(plat::lang::Object* source) : source_(source) {}

  plat::lang::Object* getSource() const { return source_; }
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.brl.ValidationEvent"; }

 private:
  plat::lang::Object* source_;  // back reference to the firing adapter
};

// Told of every run of a validation adapter that was performed.
class ValidationEventListener {
 public:
  virtual ~ValidationEventListener() = default;
  virtual void validationFailed(const ValidationEvent& event) = 0;
  virtual void validationSuccessful(const ValidationEvent& event) = 0;
};

}  // namespace quenlora::zafoli::db::beans::brl
