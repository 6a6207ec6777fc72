#pragma once
// The date-time value shared by the store and every report: days since 1899-12-30 in local
// time, the fraction being the time of day. The text forms are fixed Italian ones and never
// follow the machine's locale.

#include <QString>
#include <cstdint>
#include <optional>

class QDateTime;

namespace telmora {

using DateTime = double;

struct CivilDate {
    int year = 1899;
    int month = 12;
    int day = 30;
};

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int msec = 0;
};

inline constexpr std::int64_t kMsPerDay = 86'400'000;

DateTime encodeDate(int year, int month, int day);
DateTime encodeDateTime(int year, int month, int day, int hour, int minute, int second,
                        int msec = 0);
// Splits a value into calendar day and time of day, the time rounded to the nearest millisecond
// (a value that rounds up to midnight belongs to the next day).
CivilDate decodeDate(DateTime value);
TimeOfDay decodeTime(DateTime value);
DateTime datePart(DateTime value);
int daysInMonth(int year, int month);
int dayOfWeek(DateTime value);  // 0 = Sunday

DateTime fromQDateTime(const QDateTime& local);
QDateTime toQDateTime(DateTime value);

QString dayText(DateTime value);        // 05/03/2004
QString monthKey(DateTime value);       // 2004/03
QString timeText(DateTime value);       // 18.07.31
QString displayText(DateTime value);    // 05/03/2004 18.07.31
QString clockLineText(DateTime value);  // venerdì 05 marzo 2004  18.07.31

// The stored duration of a session: |stop - start| as hh.nn.ss, "23.59.59" from 24 hours on.
QString durationText(DateTime start, DateTime stop);

std::optional<DateTime> parseDayText(const QString& text);       // dd/mm/yyyy
std::optional<DateTime> parseMonthKey(const QString& text);      // yyyy/mm: first day of month
std::optional<int> parseYearText(const QString& text);           // yyyy
std::optional<DateTime> parseDurationText(const QString& text);  // hh.nn.ss: fraction of a day
std::optional<DateTime> parseDisplayText(const QString& text);   // dd/mm/yyyy hh.nn.ss

}  // namespace telmora
