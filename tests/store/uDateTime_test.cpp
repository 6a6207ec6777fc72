// The value forms every statement and report depends on: fixed Italian texts whatever the
// machine's locale, durations capped below a day, parsers that refuse what they cannot read.

#include "uDateTime.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QLocale>
#include <clocale>
#include <cstdlib>
#include <optional>

namespace telmora {
namespace {

DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return encodeDateTime(y, mo, d, h, mi, s, ms);
}

// A fraction of a day given in (possibly fractional) milliseconds.
DateTime msec(double ms) {
    return ms / static_cast<double>(kMsPerDay);
}

// Every form is checked under a locale whose dates, times and names all differ from the
// Italian ones, so a form that leaned on the locale would show.
class ValueForms : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ::setenv("LC_ALL", "en_US.UTF-8", 1);
        ::setenv("LANG", "en_US.UTF-8", 1);
        std::setlocale(LC_ALL, "");
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
};

TEST_F(ValueForms, DurationTextIsTheDifferenceToTheMillisecondCappedBelowADay) {
    struct Case {
        const char* what;
        DateTime start;
        DateTime stop;
        const char* text;
    };
    const Case cases[] = {
        {"no time at all", at(2004, 3, 5, 18, 7, 31), at(2004, 3, 5, 18, 7, 31), "00.00.00"},
        {"evening to the last second", at(2004, 3, 5, 20), at(2004, 3, 5, 23, 59, 59), "03.59.59"},
        {"difference of two large day counts", at(2004, 3, 5, 18, 7, 31), at(2004, 3, 5, 19),
         "00.52.29"},
        {"up to midnight", at(2004, 3, 5, 23), at(2004, 3, 6), "01.00.00"},
        {"from midnight", at(2004, 3, 6), at(2004, 3, 6, 0, 0, 1), "00.00.01"},
        {"stop before start", at(2004, 3, 5, 12), at(2004, 3, 5, 10, 30), "01.30.00"},
        {"exactly 24 hours", at(2004, 3, 5), at(2004, 3, 6), "23.59.59"},
        {"three days", at(2004, 3, 5, 8), at(2004, 3, 8, 9, 15), "23.59.59"},
        {"three days backwards", at(2004, 3, 8, 9, 15), at(2004, 3, 5, 8), "23.59.59"},
        {"a millisecond short of a day", 0, msec(86'399'999), "23.59.59"},
        {"rounds up to a whole day: never 00.00.00", 0, msec(86'399'999.6), "23.59.59"},
        {"rounds up to the next second", 0, msec(999.6), "00.00.01"},
        {"rounds up to the next minute", 0, msec(59'999.7), "00.01.00"},
        {"rounds down below half a millisecond", 0, msec(0.4), "00.00.00"},
        {"milliseconds are not shown", 0, msec(3'723'999), "01.02.03"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(durationText(c.start, c.stop), QString::fromUtf8(c.text)) << c.what;
    }
}

TEST_F(ValueForms, TextsOfADateTimeAreTheItalianOnes) {
    struct Case {
        const char* what;
        DateTime value;
        const char* day;
        const char* month;
        const char* display;
        const char* clockLine;
    };
    const Case cases[] = {
        {"an evening", at(2004, 3, 5, 18, 7, 31), "05/03/2004", "2004/03", "05/03/2004 18.07.31",
         "venerdì 05 marzo 2004  18.07.31"},
        {"midnight", at(2004, 3, 6), "06/03/2004", "2004/03", "06/03/2004 00.00.00",
         "sabato 06 marzo 2004  00.00.00"},
        {"last millisecond of a year", at(2004, 12, 31, 23, 59, 59, 999), "31/12/2004", "2004/12",
         "31/12/2004 23.59.59", "venerdì 31 dicembre 2004  23.59.59"},
        {"rounds up into the next year", at(2004, 12, 31, 23, 59, 59) + msec(999.7), "01/01/2005",
         "2005/01", "01/01/2005 00.00.00", "sabato 01 gennaio 2005  00.00.00"},
        {"leap day", at(2004, 2, 29, 9, 5, 3), "29/02/2004", "2004/02", "29/02/2004 09.05.03",
         "domenica 29 febbraio 2004  09.05.03"},
        {"day zero", 0, "30/12/1899", "1899/12", "30/12/1899 00.00.00",
         "sabato 30 dicembre 1899  00.00.00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dayText(c.value), QString::fromUtf8(c.day)) << c.what;
        EXPECT_EQ(monthKey(c.value), QString::fromUtf8(c.month)) << c.what;
        EXPECT_EQ(displayText(c.value), QString::fromUtf8(c.display)) << c.what;
        EXPECT_EQ(clockLineText(c.value), QString::fromUtf8(c.clockLine)) << c.what;
    }
    // Every weekday name, Monday 1 March 2004 onwards.
    const char* const names[] = {"lunedì",  "martedì", "mercoledì", "giovedì",
                                 "venerdì", "sabato",  "domenica"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_TRUE(clockLineText(at(2004, 3, 1 + i)).startsWith(QString::fromUtf8(names[i])))
            << clockLineText(at(2004, 3, 1 + i)).toStdString();
    }
}

TEST_F(ValueForms, QtDateTimesConvertToTheMillisecond) {
    const QDateTime local(QDate(2004, 3, 5), QTime(18, 7, 31, 250));
    EXPECT_NEAR(fromQDateTime(local), at(2004, 3, 5, 18, 7, 31, 250), msec(0.01));
    EXPECT_EQ(toQDateTime(at(2004, 3, 5, 18, 7, 31, 250)), local);
}

TEST_F(ValueForms, ParsersReadTheFixedFormsAndRefuseTheRest) {
    enum class Form { Day, Month, Year, Duration, Display };
    const auto parse = [](Form form, const QString& text) -> std::optional<double> {
        switch (form) {
            case Form::Day:
                return parseDayText(text);
            case Form::Month:
                return parseMonthKey(text);
            case Form::Year:
                if (const auto y = parseYearText(text)) return *y;
                return std::nullopt;
            case Form::Duration:
                return parseDurationText(text);
            case Form::Display:
                return parseDisplayText(text);
        }
        return std::nullopt;
    };
    struct Case {
        Form form;
        const char* text;
        std::optional<double> value;
    };
    const std::optional<double> none;
    const Case cases[] = {
        {Form::Day, "05/03/2004", at(2004, 3, 5)},
        {Form::Day, " 5/3/2004 ", at(2004, 3, 5)},
        {Form::Day, "29/02/2004", at(2004, 2, 29)},
        {Form::Day, "29/02/2003", none},
        {Form::Day, "31/04/2004", none},
        {Form::Day, "00/03/2004", none},
        {Form::Day, "05/13/2004", none},
        {Form::Day, "2004-03-05", none},
        {Form::Day, "05/03/04", none},
        {Form::Day, "05.03.2004", none},
        {Form::Day, "05/03/2004 18.07.31", none},
        {Form::Day, "", none},
        {Form::Month, "2004/03", at(2004, 3, 1)},
        {Form::Month, "2004/12", at(2004, 12, 1)},
        {Form::Month, "2004/3", none},
        {Form::Month, "2004/13", none},
        {Form::Month, "2004/00", none},
        {Form::Month, "03/2004", none},
        {Form::Month, "2004-03", none},
        {Form::Month, "", none},
        {Form::Year, "2004", 2004},
        {Form::Year, "04", none},
        {Form::Year, "20O4", none},
        {Form::Year, "0000", none},
        {Form::Year, "2004/03", none},
        {Form::Duration, "23.59.59", msec(86'399'000)},
        {Form::Duration, "00.00.00", 0.0},
        {Form::Duration, "1.02.03", msec(3'723'000)},
        {Form::Duration, "24.00.00", none},
        {Form::Duration, "00.60.00", none},
        {Form::Duration, "00.00.60", none},
        {Form::Duration, "00:10:00", none},
        {Form::Duration, "-01.00.00", none},
        {Form::Display, "05/03/2004 18.07.31", at(2004, 3, 5, 18, 7, 31)},
        {Form::Display, "05/03/2004", none},
        {Form::Display, "05/03/2004 18:07:31", none},
        {Form::Display, "31/04/2004 10.00.00", none},
        {Form::Display, "05/03/2004 18.07.31 x", none},
    };
    for (const Case& c : cases) {
        const auto got = parse(c.form, QString::fromUtf8(c.text));
        ASSERT_EQ(got.has_value(), c.value.has_value()) << '"' << c.text << '"';
        if (got) {
            EXPECT_NEAR(*got, *c.value, msec(0.01)) << '"' << c.text << '"';
        }
    }
}

}  // namespace
}  // namespace telmora
