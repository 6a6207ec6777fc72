#include "uDateTime.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTimeZone>
#include <cmath>

namespace telmora {
namespace {

// 1899-12-30 counted from 1970-01-01.
constexpr std::int64_t kEpochOffset = 25569;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's civil calendar algorithms).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

CivilDate civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
    return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

// Whole milliseconds since 1899-12-30 00:00, rounded to the nearest.
std::int64_t totalMs(DateTime value) {
    return static_cast<std::int64_t>(std::llround(value * static_cast<double>(kMsPerDay)));
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

QString two(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

const char* const kDayNames[] = {"domenica", "lunedì",  "martedì", "mercoledì",
                                 "giovedì",  "venerdì", "sabato"};
const char* const kMonthNames[] = {"gennaio",   "febbraio", "marzo",    "aprile",
                                   "maggio",    "giugno",   "luglio",   "agosto",
                                   "settembre", "ottobre",  "novembre", "dicembre"};

bool validDate(int y, int m, int d) {
    return y >= 1 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= daysInMonth(y, m);
}

}  // namespace

DateTime encodeDate(int year, int month, int day) {
    return static_cast<DateTime>(
        daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
        kEpochOffset);
}

DateTime encodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec) {
    const std::int64_t ms = ((hour * 60LL + minute) * 60LL + second) * 1000LL + msec;
    return encodeDate(year, month, day) + static_cast<double>(ms) / static_cast<double>(kMsPerDay);
}

CivilDate decodeDate(DateTime value) {
    return civilFromDays(floorDiv(totalMs(value), kMsPerDay) - kEpochOffset);
}

TimeOfDay decodeTime(DateTime value) {
    std::int64_t ms = totalMs(value) - floorDiv(totalMs(value), kMsPerDay) * kMsPerDay;
    TimeOfDay t;
    t.msec = static_cast<int>(ms % 1000);
    ms /= 1000;
    t.second = static_cast<int>(ms % 60);
    ms /= 60;
    t.minute = static_cast<int>(ms % 60);
    t.hour = static_cast<int>(ms / 60);
    return t;
}

DateTime datePart(DateTime value) {
    return static_cast<DateTime>(floorDiv(totalMs(value), kMsPerDay));
}

int daysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

int dayOfWeek(DateTime value) {
    // 1899-12-30 was a Saturday.
    const std::int64_t days = floorDiv(totalMs(value), kMsPerDay);
    return static_cast<int>(((days + 6) % 7 + 7) % 7);
}

DateTime fromQDateTime(const QDateTime& local) {
    const QDateTime l = local.toLocalTime();
    const QDate d = l.date();
    const QTime t = l.time();
    return encodeDateTime(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec());
}

QDateTime toQDateTime(DateTime value) {
    const CivilDate d = decodeDate(value);
    const TimeOfDay t = decodeTime(value);
    return QDateTime(QDate(d.year, d.month, d.day), QTime(t.hour, t.minute, t.second, t.msec));
}

QString dayText(DateTime value) {
    const CivilDate d = decodeDate(value);
    return QStringLiteral("%1/%2/%3")
        .arg(two(d.day), two(d.month))
        .arg(d.year, 4, 10, QLatin1Char('0'));
}

QString monthKey(DateTime value) {
    const CivilDate d = decodeDate(value);
    return QStringLiteral("%1/%2").arg(d.year, 4, 10, QLatin1Char('0')).arg(two(d.month));
}

QString timeText(DateTime value) {
    const TimeOfDay t = decodeTime(value);
    return QStringLiteral("%1.%2.%3").arg(two(t.hour), two(t.minute), two(t.second));
}

QString displayText(DateTime value) {
    return dayText(value) + QLatin1Char(' ') + timeText(value);
}

QString clockLineText(DateTime value) {
    const CivilDate d = decodeDate(value);
    return QStringLiteral("%1 %2 %3 %4  %5")
        .arg(QString::fromUtf8(kDayNames[dayOfWeek(value)]), two(d.day),
             QString::fromUtf8(kMonthNames[d.month - 1]))
        .arg(d.year)
        .arg(timeText(value));
}

QString durationText(DateTime start, DateTime stop) {
    const double diff = std::fabs(stop - start);
    // 24 whole hours or more cannot be told as a time of day; nor can a remainder that rounds up
    // to midnight, which would otherwise read 00.00.00.
    if (std::trunc(diff * 24.0) >= 24.0 || totalMs(diff) >= kMsPerDay) {
        return QStringLiteral("23.59.59");
    }
    return timeText(diff);
}

std::optional<DateTime> parseDayText(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4})\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const int d = m.captured(1).toInt(), mo = m.captured(2).toInt(), y = m.captured(3).toInt();
    if (!validDate(y, mo, d)) return std::nullopt;
    return encodeDate(y, mo, d);
}

std::optional<DateTime> parseMonthKey(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{4})/(\\d{2})\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const int y = m.captured(1).toInt(), mo = m.captured(2).toInt();
    if (!validDate(y, mo, 1)) return std::nullopt;
    return encodeDate(y, mo, 1);
}

std::optional<int> parseYearText(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{4})\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const int y = m.captured(1).toInt();
    if (y < 1) return std::nullopt;
    return y;
}

std::optional<DateTime> parseDurationText(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*(\\d{1,2})\\.(\\d{2})\\.(\\d{2})\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const int h = m.captured(1).toInt(), mi = m.captured(2).toInt(), s = m.captured(3).toInt();
    if (h > 23 || mi > 59 || s > 59) return std::nullopt;
    return static_cast<double>((h * 3600 + mi * 60 + s) * 1000LL) / static_cast<double>(kMsPerDay);
}

std::optional<DateTime> parseDisplayText(const QString& text) {
    const QStringList parts = text.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 2) return std::nullopt;
    const auto day = parseDayText(parts[0]);
    const auto time = parseDurationText(parts[1]);
    if (!day || !time) return std::nullopt;
    return *day + *time;
}

}  // namespace telmora
