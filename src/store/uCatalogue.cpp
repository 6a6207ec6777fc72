#include "uCatalogue.h"

// The text parameters keep their meaning: :data is a day text dd/mm/yyyy, :mese a month key
// yyyy/mm (or a month number in S26/S27), :anno a year, :pcdelta and :diff duration texts.
// The tm_* functions (registered by the data module) turn them into bounds of the stored
// day counts and reject malformed texts with a clear error.

namespace telmora {
namespace {

#define DAY_RANGE(col) col " >= tm_day(:data) AND " col " < tm_day(:data) + 1"
#define MONTH_RANGE(col) col " >= tm_month_first(:mese) AND " col " < tm_month_next(:mese)"
#define YEAR_RANGE(col) col " >= tm_year_first(:anno) AND " col " < tm_year_next(:anno)"

// Distinct months (years) newest first, found by one index seek per month (year): each step
// looks for the latest row before the start of the month (year) found last.
#define MONTH_LIST(table, col)                                         \
    "WITH RECURSIVE m(first) AS ("                                     \
    " SELECT tm_month_floor((SELECT " col " FROM " table " WHERE " col \
    " IS NOT NULL"                                                     \
    " ORDER BY " col                                                   \
    " DESC LIMIT 1))"                                                  \
    " UNION ALL"                                                       \
    " SELECT tm_month_floor((SELECT " col " FROM " table " WHERE " col \
    " < m.first"                                                       \
    " ORDER BY " col                                                   \
    " DESC LIMIT 1)) FROM m WHERE m.first IS NOT NULL)"                \
    " SELECT tm_month_key(first) AS MESE FROM m WHERE first IS NOT NULL ORDER BY 1 DESC"
#define YEAR_LIST(table, col)                                         \
    "WITH RECURSIVE y(first) AS ("                                    \
    " SELECT tm_year_floor((SELECT " col " FROM " table " WHERE " col \
    " IS NOT NULL"                                                    \
    " ORDER BY " col                                                  \
    " DESC LIMIT 1))"                                                 \
    " UNION ALL"                                                      \
    " SELECT tm_year_floor((SELECT " col " FROM " table " WHERE " col \
    " < y.first"                                                      \
    " ORDER BY " col                                                  \
    " DESC LIMIT 1)) FROM y WHERE y.first IS NOT NULL)"               \
    " SELECT tm_year_of(first) AS ANNO FROM y WHERE first IS NOT NULL ORDER BY 1 DESC"
#define DAY_OF_MONTH_RANGE(col)                            \
    col " >= tm_month_first(:mese) + :giorno - 1 AND " col \
        " < tm_month_first(:mese) + :giorno"               \
        " AND :giorno BETWEEN 1 AND tm_month_days(:mese)"
#define MONTH_OF_YEAR_RANGE(col) \
    col " >= tm_ym_first(:anno, :mese) AND " col " < tm_ym_next(:anno, :mese)"

constexpr const char* kSql[kStatementCount] = {
    /* S1 */
    "INSERT INTO PCTIME (PCSTART, PCSTOP, TPC) VALUES (:pcstart, :pcstop, tm_duration(:pcdelta))",
    /* S2 */
    "INSERT INTO ETIME (TSTART, TSTOP, TCONNECTION, CONN_NAME) "
    "VALUES (:tstart, :tstop, tm_duration(:diff), :conn)",
    /* S3 */ "SELECT * FROM ETIME WHERE " DAY_RANGE("TSTART"),
    /* S4 */ "SELECT * FROM ETIME WHERE " YEAR_RANGE("TSTART"),
    /* S5 */ "SELECT * FROM ETIME WHERE " MONTH_RANGE("TSTART"),
    /* S6 */ "SELECT * FROM PCTIME WHERE " DAY_RANGE("PCSTART"),
    /* S7 */ "SELECT * FROM PCTIME WHERE " YEAR_RANGE("PCSTART"),
    /* S8 */ "SELECT * FROM PCTIME WHERE " MONTH_RANGE("PCSTART"),
    /* S9 */ "SELECT COUNT(DATA) AS NURL FROM URL WHERE " DAY_RANGE("DATA"),
    /* S10 */ MONTH_LIST("ETIME", "TSTART"),
    /* S11 */ MONTH_LIST("PCTIME", "PCSTART"),
    /* S12 */ YEAR_LIST("ETIME", "TSTART"),
    /* S13 */ YEAR_LIST("PCTIME", "PCSTART"),
    /* S14 */ "SELECT * FROM ETIME WHERE " DAY_RANGE("TSTART") " ORDER BY TSTART",
    /* S15 */ "SELECT * FROM ETIME WHERE " MONTH_RANGE("TSTART") " ORDER BY TSTART",
    /* S16 */ "SELECT * FROM ETIME WHERE " YEAR_RANGE("TSTART") " ORDER BY TSTART",
    /* S17 */ "SELECT * FROM URL WHERE (DATA BETWEEN :tstart AND :tstop) ORDER BY DATA",
    /* S18 */ "SELECT * FROM URL ORDER BY DATA DESC",
    /* S19 */ "SELECT * FROM URL WHERE " DAY_RANGE("DATA") " ORDER BY DATA",
    /* S20 */ "DELETE FROM URL",
    /* S21 */ "INSERT INTO URL (DATA, URL) VALUES (:data, :url)",
    /* S22 */ "SELECT COUNT(DATA) AS RECNO FROM URL",
    /* S23 */ "DELETE FROM URL WHERE DATA = (SELECT MIN(DATA) FROM URL)",
    /* S24 */ "SELECT TPC AS TEMPO FROM PCTIME WHERE " DAY_OF_MONTH_RANGE("PCSTART"),
    /* S25 */ "SELECT TCONNECTION AS TEMPO FROM ETIME WHERE " DAY_OF_MONTH_RANGE("TSTART"),
    /* S26 */ "SELECT TPC AS TEMPO FROM PCTIME WHERE " MONTH_OF_YEAR_RANGE("PCSTART"),
    /* S27 */ "SELECT TCONNECTION AS TEMPO FROM ETIME WHERE " MONTH_OF_YEAR_RANGE("TSTART"),
};

}  // namespace

const char* statementSql(Stmt stmt) {
    return kSql[statementNumber(stmt) - 1];
}

int statementNumber(Stmt stmt) {
    return static_cast<int>(stmt);
}

}  // namespace telmora
