// Integer call arguments shared between calls: a row call sends the same few numbers (level count, view
// references, the first row and the batch size) again and again, and each fresh argument costs four allocations.
// Arguments are read-only once built, so one object may go out in any number of calls on any thread.
#pragma once

#include <cstdint>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/Param.h"

namespace quenlora::zafoli::db::pro {

class IntParams {
 public:
  // An argument of id 0 holding v (an object reference when isObjectRef), from this thread's cache when it holds one.
  static plat::lang::Ref<net::Param> of(std::int32_t v, bool isObjectRef = false);
};

}  // namespace quenlora::zafoli::db::pro
