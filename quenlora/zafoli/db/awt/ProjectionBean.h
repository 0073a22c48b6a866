// A bean that edits one value (a text field, a check box): the output components read and write it directly
// instead of through method descriptors.
#pragma once

#include "platform/lang/Value.h"

namespace quenlora::zafoli::db::awt {

class ProjectionBean {
 public:
  virtual ~ProjectionBean() = default;
  virtual plat::lang::Value getData() = 0;
  virtual void setData(const plat::lang::Value& value) = 0;
  virtual int getScale() = 0;
  virtual bool isTextBased() = 0;
  virtual void registerListeners() = 0;
  virtual void setReadOnly(bool readOnly) = 0;
};

}  // namespace quenlora::zafoli::db::awt
