#pragma once

#include <QString>

namespace quor {

// Writes a new wage database with all tables and the shipped content: the
// parameter row, the tax brackets and the BASE item set. Refuses to touch an
// existing file, so a database that holds data is never replaced.
bool createDatabase(const QString &path, QString *error = nullptr);

} // namespace quor
