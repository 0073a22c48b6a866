// Turns the JDBC parameter markers of an SQL text into PostgreSQL's numbered ones: each "?" outside quoted text,
// quoted names, dollar-quoted text, escape strings (E'...') and comments becomes $1, $2, ... Values are never put
// into the text.
#pragma once

#include <string>

namespace plat::sql::pq {

struct NumberedSql {
  std::string text;
  int parameters = 0;
};

NumberedSql numberPlaceholders(const std::string& sql);

// Whether sql is one query a cursor can read in batches: a SELECT, VALUES or TABLE alone, not SELECT ... INTO.
bool readsAsCursor(const std::string& sql);

}  // namespace plat::sql::pq
