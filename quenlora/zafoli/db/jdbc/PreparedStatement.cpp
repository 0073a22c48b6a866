#include "quenlora/zafoli/db/jdbc/PreparedStatement.h"
