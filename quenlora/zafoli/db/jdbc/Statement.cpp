#include "quenlora/zafoli/db/jdbc/Statement.h"
