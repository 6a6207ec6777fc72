#pragma once

struct sqlite3;

namespace telmora {

// Registers the tm_* functions the statement catalogue uses to turn day texts, month keys,
// years and duration texts into bounds of the stored day counts.
void registerSqlFunctions(sqlite3* db);

}  // namespace telmora
