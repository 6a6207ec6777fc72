// The list lines, what a line opens, opening it, and the page listings of the store.

#include <gtest/gtest.h>

#include "PagesFixture.h"
#include "uPages.h"
#include "uPagesStore.h"

namespace telmora::test {
namespace {

TEST(PageTextOfLine, FromTheFirstQuoteToTheEndOrTheWholeLine) {
    struct Case {
        const char* line;
        const char* opened;
    } cases[] = {
        {"05/03/2004 10.00.00  \"http://a.example/\",\"Pagina A\"",
         "\"http://a.example/\",\"Pagina A\""},
        {"05/03/2004 10.00.00  \"http://a.example/\"", "\"http://a.example/\""},
        {"06/03/2004  www.senza-virgolette.example", "06/03/2004  www.senza-virgolette.example"},
        {"05/03/2004 10.00.00  x \"y\" \"z", "\"y\" \"z"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PageTextOfLine(QString::fromUtf8(c.line)), QString::fromUtf8(c.opened)) << c.line;
    }
}

TEST(PageLine, CaptureTimeTwoBlanksAndTheAnswerTheDayAloneAtMidnight) {
    EXPECT_EQ(pageLine(at(5, 18, 7, 31), QStringLiteral("\"u\"")),
              QStringLiteral("05/03/2004 18.07.31  \"u\""));
    EXPECT_EQ(pageLine(at(6, 0, 0), QStringLiteral("u")), QStringLiteral("06/03/2004  u"));
    // Milliseconds are not looked at: a capture 400 ms after midnight still shows its day alone.
    EXPECT_EQ(pageLine(at(6, 0, 0) + 400.0 / kMsPerDay, QStringLiteral("u")),
              QStringLiteral("06/03/2004  u"));
}

TEST(OpenPage, HandsTheTextOverAndShowsTheFailureNumber) {
    ScriptedMessages messages;
    RecordingShell shell;
    OpenPage(shell, messages, QStringLiteral("\"http://a.example/\",\"A\""));
    EXPECT_EQ(shell.opened, QStringList{QStringLiteral("\"http://a.example/\",\"A\"")});
    EXPECT_TRUE(messages.shown.empty());

    shell.failure = 31;
    OpenPage(shell, messages, QStringLiteral("\"http://b.example/\""));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, QStringLiteral("error"));
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("Impossibile aprire la pagina selezionata. Errore 31"));
}

TEST_F(PagesFixture, AllPagesCaptionCountsTheRows) {
    EXPECT_EQ(allPages(*data).caption, QStringLiteral("Telmora. Nessuna pagina web visitata"));
    EXPECT_TRUE(allPages(*data).lines.isEmpty());
    for (int i = 0; i < 3; ++i) addPage(*data, at(5, 9, i), kAtStart);
    EXPECT_EQ(allPages(*data).caption, QStringLiteral("Telmora. Ultime 3 pagine web visitate."));
}

TEST_F(PagesFixture, AllPagesNewestFirstDayPagesOldestFirst) {
    fillDay();
    EXPECT_EQ(allPages(*data).lines, (QStringList{
                                         "06/03/2004 09.00.00  " + kNoQuote,
                                         "06/03/2004  " + kMidnight,
                                         "05/03/2004 14.30.00  " + kInSecond,
                                         "05/03/2004 12.00.00  " + kOutside,
                                         "05/03/2004 10.30.00  " + kAtEnd,
                                         "05/03/2004 10.00.00  " + kAtStart,
                                     }));
    const PageListing day = dayPages(*data, QStringLiteral("05/03/2004"));
    EXPECT_EQ(day.caption, QStringLiteral("Pagine web visitate il 05/03/2004"));
    EXPECT_EQ(day.lines, (QStringList{
                             "05/03/2004 10.00.00  " + kAtStart,
                             "05/03/2004 10.30.00  " + kAtEnd,
                             "05/03/2004 12.00.00  " + kOutside,
                             "05/03/2004 14.30.00  " + kInSecond,
                         }));
    EXPECT_EQ(dayPages(*data, QStringLiteral("06/03/2004")).lines.size(), 2);
    EXPECT_TRUE(dayPages(*data, QStringLiteral("07/03/2004")).lines.isEmpty());
}

TEST_F(PagesFixture, CallPagesIncludeBothEndsAndNothingOutside) {
    fillDay();
    EXPECT_EQ(callPages(*data, at(5, 10, 0), at(5, 10, 30)),
              (QStringList{"05/03/2004 10.00.00  " + kAtStart, "05/03/2004 10.30.00  " + kAtEnd}));
    EXPECT_EQ(callPages(*data, at(5, 14, 0), at(5, 15, 15)),
              QStringList{"05/03/2004 14.30.00  " + kInSecond});
    EXPECT_TRUE(callPages(*data, at(5, 18, 0), at(5, 18, 10)).isEmpty());
}

}  // namespace
}  // namespace telmora::test
