#include "quenlora/zafoli/db/jdbc/ResultSetMetaData.h"
