#pragma once
// Every statement the program runs, numbered S1 to S27. Filters are written as ranges on the
// indexed date-time columns, so each report is an index search and never a scan of its table.

namespace telmora {

enum class Stmt {
    S1 = 1,
    S2,
    S3,
    S4,
    S5,
    S6,
    S7,
    S8,
    S9,
    S10,
    S11,
    S12,
    S13,
    S14,
    S15,
    S16,
    S17,
    S18,
    S19,
    S20,
    S21,
    S22,
    S23,
    S24,
    S25,
    S26,
    S27
};

inline constexpr int kStatementCount = 27;

const char* statementSql(Stmt stmt);
int statementNumber(Stmt stmt);

}  // namespace telmora
