#pragma once
// Builds a usage database holding years of history, for the benchmarks.

#include <QString>

namespace telmora::bench {

struct HistorySpec {
    int years = 20;
    int lastYear = 2026;
    long pcRows = 1'000'000;
    long etimeRows = 500'000;
    long urlRows = 5'000;
};

// Creates the database at path (removing any old file) with rows spread evenly over the years:
// sessions of the same table never overlap, each lasts less than its share of the day.
void createHistoryDatabase(const QString& path, const HistorySpec& shape);

}  // namespace telmora::bench
