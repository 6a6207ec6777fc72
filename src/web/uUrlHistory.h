#pragma once
// The history of visited pages in table URL: which browser answers are stored, and how one is
// stored while the table is kept at UrlHistoryLimit rows.

#include <QString>

#include "uDateTime.h"

namespace telmora {

class Query;

inline constexpr int UrlHistoryLimit = 5000;
inline constexpr int kMaxStoredUrlLength = 255;

// An answer is stored when it fits the column, is not the one stored last (exact comparison),
// and begins with a double quote and "http" in any letter case (secure pages too; other
// schemes and the empty answer never).
bool IsStorableAnswer(const QString& answer, const QString& lastUrl);

// Adds the row (S21), counts the rows (S22) and, when there are more than maxRows, deletes
// once every row of the oldest capture time (S23). inserted is set as soon as the row is in,
// so a caller that catches a later failure still knows the answer was stored.
void StoreCapturedUrl(Query& query, const QString& answer, DateTime when, int maxRows,
                      bool& inserted);

}  // namespace telmora
