// The password prompt in front of the guarded tray actions, driven offscreen.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionFrame>
#include <QTest>
#include <QTimer>

#include "ProtectFixture.h"
#include "uError.h"
#include "uPasswordGuard.h"

namespace telmora::test {
namespace {

class Prompt : public ProtectFixture {
protected:
    void SetUp() override {
        ProtectFixture::SetUp();
        SavePassword(file, QStringLiteral("segreto"));
    }

    // A guard whose prompts run `user` once shown; a prompt still open after it is closed by
    // force and counted, so a prompt that would wait for ever fails the test instead.
    PasswordGuard guard(std::function<void(Tformpsw&)> user) {
        return PasswordGuard(file, [this, user] {
            ++prompts;
            auto p = std::make_unique<Tformpsw>(file);
            Tformpsw* raw = p.get();
            QTimer::singleShot(0, raw, [this, raw, user] {
                user(*raw);
                QTimer::singleShot(0, raw, [this, raw] {
                    if (raw->isVisible()) {
                        ++leftOpen;
                        raw->reject();
                    }
                });
            });
            return p;
        });
    }

    int prompts = 0, leftOpen = 0;
};

struct Typing {
    const char* name;
    QString typed;
    Qt::Key key;  // Return: OK; Escape: Cancel; 0: the Cancel button clicked
    bool allowed;
};

const Typing kTypings[] = {
    {"right password, Enter", QStringLiteral("segreto"), Qt::Key_Return, true},
    {"right password with a trailing blank", QStringLiteral("segreto "), Qt::Key_Return, false},
    {"wrong password", QStringLiteral("Segreto"), Qt::Key_Return, false},
    {"nothing typed", QString(), Qt::Key_Return, false},
    {"right password, Esc", QStringLiteral("segreto"), Qt::Key_Escape, false},
    {"right password, Cancel clicked", QStringLiteral("segreto"), Qt::Key(0), false},
};

TEST_F(Prompt, AllowsOnlyTheExactPassword) {
    for (const Typing& t : kTypings) {
        SCOPED_TRACE(t.name);
        PasswordGuard g = guard([&](Tformpsw& p) {
            QTest::keyClicks(p.Password, t.typed);
            if (t.key == Qt::Key(0)) {
                QTest::mouseClick(p.CancelBtn, Qt::LeftButton);
            } else {
                QTest::keyClick(p.Password, t.key);
            }
        });
        EXPECT_EQ(g.allow(PasswordRequest::Chiudi1), t.allowed);
        EXPECT_EQ(g.formpsw(), nullptr);
    }
    EXPECT_EQ(leftOpen, 0);  // right or wrong, the prompt closed by itself
    // A wrong password says nothing: no box besides the prompt came up.
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(w->isVisible());
}

TEST_F(Prompt, OkButtonAndTheRequestedItem) {
    PasswordRequest seen = PasswordRequest::Chiudi1;
    PasswordGuard g = guard([&](Tformpsw& p) {
        seen = p.RequestItem;
        QTest::keyClicks(p.Password, QStringLiteral("segreto"));
        QTest::mouseClick(p.OKBtn, Qt::LeftButton);
    });
    EXPECT_TRUE(g.allow(PasswordRequest::mnutelmora));
    EXPECT_EQ(seen, PasswordRequest::mnutelmora);
}

TEST_F(Prompt, OpensEmptyWithTheFocusInTheEdit) {
    bool focused = false;
    PasswordGuard g(file, [&] {
        ++prompts;
        auto p = std::make_unique<Tformpsw>(file);
        p->Password->setText(QStringLiteral("segreto"));  // left over: must not count
        Tformpsw* raw = p.get();
        QTimer::singleShot(0, raw, [&, raw] {
            focused = raw->focusWidget() == raw->Password;
            QTest::keyClick(raw->Password, Qt::Key_Return);
        });
        return p;
    });
    EXPECT_FALSE(g.allow(PasswordRequest::mnutelmora));
    EXPECT_TRUE(focused);
}

TEST_F(Prompt, NoFileNoPromptAndTheFileLookedUpEveryTime) {
    PasswordGuard g = guard([](Tformpsw&) {});
    ASSERT_TRUE(QFile::remove(file));
    EXPECT_TRUE(g.allow(PasswordRequest::Chiudi1));
    EXPECT_TRUE(g.allow(PasswordRequest::mnutelmora));
    EXPECT_EQ(prompts, 0);
    SavePassword(file, QStringLiteral("segreto"));
    EXPECT_FALSE(g.allow(PasswordRequest::mnutelmora));  // prompt closed by force
    EXPECT_EQ(prompts, 1);
}

TEST_F(Prompt, DamagedFileRefusesEveryPassword) {
    writeRaw("Zq0+9aB/mK3xTr7L\r\n");
    PasswordGuard g = guard([](Tformpsw& p) { QTest::keyClick(p.Password, Qt::Key_Return); });
    EXPECT_FALSE(g.allow(PasswordRequest::Chiudi1));
    EXPECT_EQ(leftOpen, 0);
}

TEST_F(Prompt, UnreadableFileRaisesTheErrorOnceThePromptIsClosed) {
    PasswordGuard g = guard([&](Tformpsw& p) {
        ASSERT_TRUE(QFile::remove(file));
        ASSERT_TRUE(QDir().mkpath(file));  // the file is now a folder
        QTest::keyClicks(p.Password, QStringLiteral("segreto"));
        QTest::keyClick(p.Password, Qt::Key_Return);
    });
    try {
        g.allow(PasswordRequest::Chiudi1);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.source(), QStringLiteral("Tformpsw"));
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Impossibile leggere"))) << e.what();
    }
    EXPECT_EQ(g.formpsw(), nullptr);
    EXPECT_EQ(leftOpen, 0);
}

TEST_F(Prompt, ASecondRequestWhileOpenIsRefused) {
    bool second = true;
    PasswordGuard* self = nullptr;
    PasswordGuard g = guard([&](Tformpsw& p) {
        second = self->allow(PasswordRequest::mnutelmora);
        QTest::keyClicks(p.Password, QStringLiteral("segreto"));
        QTest::keyClick(p.Password, Qt::Key_Return);
    });
    self = &g;
    EXPECT_TRUE(g.allow(PasswordRequest::Chiudi1));
    EXPECT_FALSE(second);
    EXPECT_EQ(prompts, 1);
}

TEST(PromptLook, CaptionTextsAndButtons) {
    Tformpsw p(QStringLiteral("/nowhere"));
    EXPECT_EQ(p.windowTitle(), QStringLiteral("Telmora"));
    EXPECT_EQ(p.Label1->text(), QStringLiteral("Digitare password:"));
    EXPECT_EQ(p.Password->objectName(), QStringLiteral("Password"));
    EXPECT_EQ(p.Password->echoMode(), QLineEdit::Password);
    QStyleOptionFrame option;
    option.initFrom(p.Password);
    EXPECT_EQ(
        p.Password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, &option, p.Password),
        '*');
    EXPECT_EQ(p.OKBtn->text(), QStringLiteral("OK"));
    EXPECT_TRUE(p.OKBtn->isDefault());
    EXPECT_EQ(p.CancelBtn->text(), QStringLiteral("Cancel"));
    EXPECT_FALSE(p.CancelBtn->isDefault());
    EXPECT_FALSE(p.windowFlags() & Qt::WindowContextHelpButtonHint);
}

}  // namespace
}  // namespace telmora::test
