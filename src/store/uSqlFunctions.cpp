#include "uSqlFunctions.h"

#include <sqlite3.h>

#include <QString>
#include <cmath>

#include "uDateTime.h"

namespace telmora {
namespace {

QString textArg(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? QString::fromUtf8(p) : QString();
}

void fail(sqlite3_context* ctx, const QString& message) {
    const QByteArray utf8 = message.toUtf8();
    sqlite3_result_error(ctx, utf8.constData(), static_cast<int>(utf8.size()));
}

bool isNull(sqlite3_value* v) {
    return sqlite3_value_type(v) == SQLITE_NULL;
}

std::optional<DateTime> monthArg(sqlite3_context* ctx, sqlite3_value* v) {
    const QString text = textArg(v);
    const auto first = parseMonthKey(text);
    if (!first) fail(ctx, QStringLiteral("Mese non valido: \"%1\" (atteso aaaa/mm)").arg(text));
    return first;
}

std::optional<int> yearArg(sqlite3_context* ctx, sqlite3_value* v) {
    const QString text = textArg(v);
    const auto year = parseYearText(text);
    if (!year) fail(ctx, QStringLiteral("Anno non valido: \"%1\" (atteso aaaa)").arg(text));
    return year;
}

void tmDay(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const QString text = textArg(argv[0]);
    if (const auto day = parseDayText(text)) {
        sqlite3_result_double(ctx, *day);
    } else {
        fail(ctx, QStringLiteral("Data non valida: \"%1\" (attesa gg/mm/aaaa)").arg(text));
    }
}

void tmMonthFirst(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (const auto first = monthArg(ctx, argv[0])) sqlite3_result_double(ctx, *first);
}

void tmMonthNext(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (const auto first = monthArg(ctx, argv[0])) {
        const CivilDate d = decodeDate(*first);
        sqlite3_result_double(ctx, *first + daysInMonth(d.year, d.month));
    }
}

void tmMonthDays(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (const auto first = monthArg(ctx, argv[0])) {
        const CivilDate d = decodeDate(*first);
        sqlite3_result_int(ctx, daysInMonth(d.year, d.month));
    }
}

void tmYearFirst(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (const auto year = yearArg(ctx, argv[0]))
        sqlite3_result_double(ctx, encodeDate(*year, 1, 1));
}

void tmYearNext(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (const auto year = yearArg(ctx, argv[0])) {
        sqlite3_result_double(ctx, encodeDate(*year + 1, 1, 1));
    }
}

// Month number 1 to 12 of a year: any other number selects nothing, as no row has it.
void tmYmBound(sqlite3_context* ctx, sqlite3_value** argv, int offset) {
    const auto year = yearArg(ctx, argv[0]);
    if (!year) return;
    const int month = sqlite3_value_int(argv[1]);
    if (isNull(argv[1]) || month < 1 || month > 12) {
        sqlite3_result_null(ctx);
        return;
    }
    const DateTime first = encodeDate(*year, month, 1);
    sqlite3_result_double(ctx, first + offset * daysInMonth(*year, month));
}
void tmYmFirst(sqlite3_context* ctx, int, sqlite3_value** argv) {
    tmYmBound(ctx, argv, 0);
}
void tmYmNext(sqlite3_context* ctx, int, sqlite3_value** argv) {
    tmYmBound(ctx, argv, 1);
}

void tmDuration(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const QString text = textArg(argv[0]);
    if (const auto d = parseDurationText(text)) {
        sqlite3_result_double(ctx, *d);
    } else {
        fail(ctx, QStringLiteral("Durata non valida: \"%1\" (attesa hh.nn.ss)").arg(text));
    }
}

// The calendar day of a stored value, never rounded up past the value itself: the lists step
// below each floor they find, and a floor above its row would find that row again for ever.
CivilDate dayOf(sqlite3_value* v) {
    return decodeDate(std::floor(sqlite3_value_double(v)));
}

void tmMonthFloor(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    const CivilDate d = dayOf(argv[0]);
    sqlite3_result_double(ctx, encodeDate(d.year, d.month, 1));
}

void tmYearFloor(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    sqlite3_result_double(ctx, encodeDate(dayOf(argv[0]).year, 1, 1));
}

void tmMonthKey(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    const QByteArray key = monthKey(sqlite3_value_double(argv[0])).toUtf8();
    sqlite3_result_text(ctx, key.constData(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
}

void tmYearOf(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, decodeDate(sqlite3_value_double(argv[0])).year);
}

}  // namespace

void registerSqlFunctions(sqlite3* db) {
    struct Fn {
        const char* name;
        int args;
        void (*fn)(sqlite3_context*, int, sqlite3_value**);
    };
    static const Fn kFunctions[] = {
        {"tm_day", 1, tmDay},
        {"tm_month_first", 1, tmMonthFirst},
        {"tm_month_next", 1, tmMonthNext},
        {"tm_month_days", 1, tmMonthDays},
        {"tm_year_first", 1, tmYearFirst},
        {"tm_year_next", 1, tmYearNext},
        {"tm_ym_first", 2, tmYmFirst},
        {"tm_ym_next", 2, tmYmNext},
        {"tm_duration", 1, tmDuration},
        {"tm_month_floor", 1, tmMonthFloor},
        {"tm_year_floor", 1, tmYearFloor},
        {"tm_month_key", 1, tmMonthKey},
        {"tm_year_of", 1, tmYearOf},
    };
    for (const Fn& f : kFunctions) {
        sqlite3_create_function_v2(db, f.name, f.args, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                   f.fn, nullptr, nullptr, nullptr);
    }
}

}  // namespace telmora
