// The status bar: texts and colours in each connection state, hints and the panel under the
// mouse, and what a click on each panel does.

#include <QApplication>
#include <QMouseEvent>

#include "WindowFixture.h"
#include "uStatusBar.h"

namespace telmora::test {
namespace {

enum class State { Offline, DialUp, Lan, LanNotYetSeen };

const char* name(State s) {
    switch (s) {
        case State::Offline:
            return "offline";
        case State::DialUp:
            return "dial-up";
        case State::Lan:
            return "LAN";
        case State::LanNotYetSeen:
            return "LAN before its check";
    }
    return "";
}

class StatusBarTest : public WindowFixture {
protected:
    StatusBar1& bar() { return form->sb1(); }

    void enter(State state) {
        fp.dialUp->disconnect();
        fp.internet->flags = 0;
        session().refreshIdentityLines();
        switch (state) {
            case State::Offline:
                break;
            case State::DialUp:
                fp.dialUp->connect("Casa");
                fp.internet->flags = kConnModem;
                break;
            case State::Lan:
                lanOnline();
                break;
            case State::LanNotYetSeen:
                fp.internet->flags = kConnLan;
                break;
        }
        session().ras().PollConnections();
    }

    void send(QEvent::Type type, int x, Qt::MouseButton button) {
        const QPointF at(x, bar().height() / 2);
        QMouseEvent e(type, at, bar().mapToGlobal(at), button,
                      type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&bar(), &e);
    }
    void moveTo(int x) { send(QEvent::MouseMove, x, Qt::NoButton); }
    void clickAt(int x) {
        moveTo(x);
        send(QEvent::MouseButtonPress, x, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, x, Qt::LeftButton);
    }

    // Pixels of exactly this colour inside the panel: the text as actually painted.
    int painted(int panel, const QColor& colour) {
        const QImage image = bar().grab().toImage();
        const int left = panel == 0 ? 0 : StatusBar1::kLeftPanelWidth + 1;
        const int right = panel == 0 ? StatusBar1::kLeftPanelWidth : image.width();
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = left; x < right; ++x) n += image.pixelColor(x, y) == colour;
        }
        return n;
    }
};

const QColor kPurple(128, 0, 128);
const QColor kRed(230, 0, 0);
const QColor kBlack(0, 0, 0);

TEST_F(StatusBarTest, TextColourAndHintFollowTheConnectionState) {
    struct Case {
        State state;
        QString text;
        QColor colour;
        QString rightHint;
    };
    const Case cases[] = {
        {State::Offline, QStringLiteral("OFFLINE"), kBlack, QStringLiteral("Attiva connessione")},
        {State::DialUp, QStringLiteral("ONLINE"), kRed, QStringLiteral("Chiudi connessione")},
        {State::Lan, QStringLiteral("ONLINE"), kRed, QString()},
    };
    form->ShowMainWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(name(c.state));
        enter(c.state);
        EXPECT_EQ(bar().panelText(1), c.text);
        EXPECT_EQ(bar().panelColor(1), c.colour);
        EXPECT_GT(painted(1, c.colour), 0);
        EXPECT_EQ(painted(1, c.colour == kRed ? kBlack : kRed), 0);
        EXPECT_EQ(bar().panelText(0), QStringLiteral("Telmora - il tempo della tua connessione"));
        EXPECT_GT(painted(0, kPurple), 0);

        moveTo(StatusBar1::kLeftPanelWidth + 40);
        EXPECT_EQ(bar().Tag, 1);
        EXPECT_EQ(bar().toolTip(), c.rightHint);
        moveTo(10);
        EXPECT_EQ(bar().Tag, 0);
        EXPECT_EQ(bar().toolTip(), QStringLiteral("mail to"));
    }
}

TEST_F(StatusBarTest, TheBorderBetweenThePanelsChangesNothing) {
    const int border = StatusBar1::kLeftPanelWidth;
    for (int from : {border - 1, border + 1}) {
        moveTo(from);
        const int tag = bar().Tag;
        const QString hint = bar().toolTip();
        moveTo(border);
        EXPECT_EQ(bar().Tag, tag) << from;
        EXPECT_EQ(bar().toolTip(), hint) << from;
    }
    EXPECT_EQ(bar().Tag, 1);  // the last move came from the right
}

TEST_F(StatusBarTest, ClickingThePanels) {
    struct Case {
        State state;
        int x;
        Answer answer;
        QString question;  // empty: nothing is asked
        int dials, hangups;
    };
    const QString dial = QStringLiteral("Attivare una connessione ora?");
    const QString hangUp = QStringLiteral("Chiudere la connessione?");
    const int right = StatusBar1::kLeftPanelWidth + 40;
    const Case cases[] = {
        {State::Offline, right, Answer::Yes, dial, 1, 0},
        {State::Offline, right, Answer::Closed, dial, 1, 0},
        {State::Offline, right, Answer::No, dial, 0, 0},
        {State::DialUp, right, Answer::Yes, hangUp, 0, 1},
        {State::DialUp, right, Answer::Closed, hangUp, 0, 1},
        {State::DialUp, right, Answer::No, hangUp, 0, 0},
        {State::Lan, right, Answer::Yes, QString(), 0, 0},
        // The system already counts as connected: the offer is made, the dial does nothing.
        {State::LanNotYetSeen, right, Answer::Yes, dial, 0, 0},
        // The credit panel's mail belongs to the About window, which does not exist yet.
        {State::Offline, 10, Answer::Yes, QString(), 0, 0},
    };
    form->ShowMainWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << name(c.state) << " x=" << c.x << " answer " << static_cast<int>(c.answer));
        enter(c.state);
        fp.internet->dials = fp.internet->hangups = 0;
        messages.shown.clear();
        messages.confirmAnswers = {c.answer};
        clickAt(c.x);
        if (c.question.isEmpty()) {
            EXPECT_TRUE(messages.shown.empty());
        } else {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].kind, QStringLiteral("confirm"));
            EXPECT_EQ(messages.shown[0].text, c.question);
        }
        EXPECT_EQ(fp.internet->dials, c.dials);
        EXPECT_EQ(fp.internet->hangups, c.hangups);
    }
}

}  // namespace
}  // namespace telmora::test
