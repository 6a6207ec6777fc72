// The commands that show, hide, close and deactivate the program, from the tray menu, the
// tray icon, the close box and the main menu.

#include <QEvent>

#include "WindowFixture.h"
#include "uStatusBar.h"
#include "uTrayIcon.h"

namespace telmora::test {
namespace {

using CommandsTest = WindowFixture;

TEST_F(CommandsTest, TheCloseBoxOnlyHidesTheWindow) {
    form->ShowMainWindow();
    ASSERT_TRUE(form->isVisible());
    EXPECT_FALSE(form->close());
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(session().closingAllowed());
    EXPECT_TRUE(pcRows().empty());
    EXPECT_TRUE(runUnderWay());
    // Still alive: the tray brings it back.
    form->mnutelmora->trigger();
    EXPECT_TRUE(form->isVisible());
}

// Counts the times a widget becomes visible (not the system's notices).
class ShowCounter final : public QObject {
public:
    int shows = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        shows += event->type() == QEvent::Show && !event->spontaneous();
        return false;
    }
};

TEST_F(CommandsTest, TrayCommandsShowAndHideTheWindow) {
    struct Case {
        const char* command;
        std::function<void()> run;
        bool visibleAfter;
    };
    const Case cases[] = {
        {"&Lascia attivo", [this] { form->Lasciaattivo1->trigger(); }, false},
        {"Telmor&a", [this] { form->mnutelmora->trigger(); }, true},
        {"&Lascia attivo", [this] { form->Lasciaattivo1->trigger(); }, false},
        {"double click", [this] { emit app->trayIcon().doubleClicked(); }, true},
        {"&Lascia attivo", [this] { form->Lasciaattivo1->trigger(); }, false},
        // While hidden it stays hidden: not even shown for a moment.
        {"&Lascia attivo, hidden", [this] { form->Lasciaattivo1->trigger(); }, false},
        {"Telmor&a", [this] { form->mnutelmora->trigger(); }, true},
    };
    ShowCounter counter;
    form->installEventFilter(&counter);
    form->ShowMainWindow();
    for (const Case& c : cases) {
        counter.shows = 0;
        c.run();
        EXPECT_EQ(form->isVisible(), c.visibleAfter) << c.command;
        EXPECT_EQ(counter.shows, c.visibleAfter ? 1 : 0) << c.command;
        if (c.visibleAfter) {
            EXPECT_FALSE(form->isMinimized()) << c.command;
        }
    }
    EXPECT_TRUE(pcRows().empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CommandsTest, ChiudiEndsTheProgramThroughTheExitSteps) {
    fp.clock->set(2004, 3, 5, 11, 0, 0);
    form->Chiudi1->trigger();
    EXPECT_TRUE(session().closingAllowed());
    const Rows rows = pcRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0].toDouble(), encodeDateTime(2004, 3, 5, 10, 0, 0));
    EXPECT_EQ(rows[0][1].toDouble(), encodeDateTime(2004, 3, 5, 11, 0, 0));
    EXPECT_FALSE(runUnderWay());
    EXPECT_TRUE(messages.shown.empty());
}

// A logoff while the status bar's question is open ends the program, and the closed question
// is no answer: nothing is dialled.
TEST_F(CommandsTest, ALogoffDuringTheDialQuestionEndsTheProgramWithoutDialling) {
    fp.clock->set(2004, 3, 5, 11, 0, 0);
    messages.whileOpen = [this] { session().onSessionEnding(); };
    form->sb1().Tag = 1;
    form->sb1Click();
    EXPECT_EQ(shown(QStringLiteral("confirm")),
              QStringList{QStringLiteral("Attivare una connessione ora?")});
    EXPECT_EQ(fp.internet->dials, 0);
    EXPECT_TRUE(session().finishedRunning());
    EXPECT_EQ(pcRows().size(), 1u);
    EXPECT_FALSE(runUnderWay());
}

struct DeactivationCase {
    Answer answer;
    bool entryBefore;
};

class DeactivationTest : public WindowFixture,
                         public ::testing::WithParamInterface<DeactivationCase> {};

TEST_P(DeactivationTest, OnlyYesRemovesTheEntryAndEndsTheProgram) {
    const DeactivationCase c = GetParam();
    fp.autostart->present = c.entryBefore;
    messages.confirmAnswers = {c.answer};
    form->Disattiva1->trigger();

    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown[0].kind, QStringLiteral("confirm"));
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Disattivare Telmora?"));
    if (c.answer != Answer::Yes) {
        EXPECT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(fp.autostart->present, c.entryBefore);
        EXPECT_FALSE(session().closingAllowed());
        EXPECT_TRUE(pcRows().empty());
        EXPECT_TRUE(runUnderWay());
        return;
    }
    EXPECT_FALSE(fp.autostart->present);
    EXPECT_EQ(shown(QStringLiteral("information")),
              QStringList{QStringLiteral("Telmora disattivato. Per riattivare Telmora lanciare il "
                                         "programma dal menù di avvio")});
    EXPECT_TRUE(shown(QStringLiteral("error")).isEmpty());
    EXPECT_TRUE(session().closingAllowed());
    EXPECT_EQ(pcRows().size(), 1u);
    EXPECT_FALSE(runUnderWay());
}

std::string describe(const DeactivationCase& c) {
    const char* answers[] = {"Yes", "No", "Closed"};
    return std::string(answers[static_cast<int>(c.answer)]) +
           (c.entryBefore ? "WithEntry" : "WithoutEntry");
}
void PrintTo(const DeactivationCase& c, std::ostream* os) {
    *os << describe(c);
}
std::string caseName(const ::testing::TestParamInfo<DeactivationCase>& info) {
    return describe(info.param);
}

using DeactivationFailureTest = WindowFixture;

TEST_F(DeactivationFailureTest, AnEntryThatCannotBeRemovedIsReportedAndTelmoraKeepsRunning) {
    fp.autostart->present = true;
    fp.autostart->failRemove = true;
    messages.confirmAnswers = {Answer::Yes};
    form->Disattiva1->trigger();
    EXPECT_EQ(shown(QStringLiteral("error")), QStringList{QStringLiteral("rimozione.")});
    EXPECT_TRUE(shown(QStringLiteral("information")).isEmpty());
    EXPECT_TRUE(fp.autostart->present);
    EXPECT_FALSE(session().closingAllowed());
    EXPECT_TRUE(pcRows().empty());
}

INSTANTIATE_TEST_SUITE_P(Answers, DeactivationTest,
                         ::testing::Values(DeactivationCase{Answer::No, true},
                                           DeactivationCase{Answer::Closed, true},
                                           DeactivationCase{Answer::Yes, true},
                                           DeactivationCase{Answer::Yes, false}),
                         caseName);

}  // namespace
}  // namespace telmora::test
