#include "quenlora/zafoli/db/jdbc/ValueStream.h"
