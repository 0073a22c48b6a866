// The row handed to a calculation: the sources of ComputeRow and nothing more.
#pragma once

#include "quenlora/zafoli/db/beans/brl/ComputeRow.h"
