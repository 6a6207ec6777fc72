// The running credit line: its length at the start, one character per tick, and the rebuild.

#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "uCreditLine.h"

namespace telmora {
namespace {

TEST(CreditLine, StartsWithSixtyBlanksInFrontAndTwoBehind) {
    const CreditLine line;
    EXPECT_EQ(line.text().size(), 60 + kCreditText.size() + 2);
    EXPECT_EQ(line.text(), QString(60, QLatin1Char(' ')) + kCreditText + QStringLiteral("  "));
}

TEST(CreditLine, LosesOneCharacterPerTickAndIsRebuiltOnTheTickThatTakesTheLast) {
    CreditLine line(QStringLiteral("abc"));
    const QString full = line.text();
    ASSERT_EQ(full.size(), 65);
    for (int i = 1; i < full.size(); ++i) {
        line.tick();
        ASSERT_EQ(line.text(), full.mid(i)) << "tick " << i;
    }
    EXPECT_EQ(line.text(), QStringLiteral(" "));
    line.tick();  // takes the last blank: never empty, the full line again
    EXPECT_EQ(line.text(), full);
    line.tick();
    EXPECT_EQ(line.text(), full.mid(1));
}

}  // namespace
}  // namespace telmora
