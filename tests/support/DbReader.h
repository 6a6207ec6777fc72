#pragma once
// Reads a usage database directly, with its key, so tests see exactly what is stored.

#include <QString>
#include <QVariant>
#include <vector>

namespace telmora::test {

using Rows = std::vector<std::vector<QVariant>>;

// Runs one statement on the file (the tm_* functions available); throws std::runtime_error.
Rows readRows(const QString& databasePath, const QString& sql);

}  // namespace telmora::test
