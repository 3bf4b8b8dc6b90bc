#pragma once
// The database schema and the steps that bring a file written by any earlier version up to
// date. Both are idempotent: opening an up-to-date file changes nothing.

class Connection;

namespace Schema {

extern const char *const kCreateScript;

// Connection settings, schema and migration, in that order. Throws StoreError.
void prepare(Connection &db);

} // namespace Schema
