// The "&Password" submenu: which items are on, and the three commands answered in advance.

#include "ProtectFixture.h"
#include "ScriptedMessages.h"
#include "uError.h"
#include "uPasswordCommand.h"

namespace telmora::test {
namespace {

using Strings = std::vector<QString>;

// The boxes a command showed, in order: "question ...", "entry CAPTION|PROMPT|INITIAL",
// "error ...", "information ...".
Strings transcript(const ScriptedMessages& m) {
    Strings out;
    size_t input = 0;
    for (const auto& s : m.shown) {
        if (s.kind == QLatin1String("input")) {
            out.push_back(QStringLiteral("entry %1|%2|%3")
                              .arg(m.inputCaptions[input], s.text, m.initialTexts[input]));
            ++input;
        } else {
            out.push_back(
                (s.kind == QLatin1String("confirm") ? QStringLiteral("question") : s.kind) +
                QLatin1Char(' ') + s.text);
        }
    }
    return out;
}

const QString kOld = QStringLiteral("vecchia è");
const std::optional<QString> kCancel;

struct Flow {
    const char* name;
    PasswordAction action;
    enum { None, Stored, Damaged } before;  // Stored: the file holds kOld
    std::vector<Answer> answers;
    std::vector<std::optional<QString>> inputs;
    Strings boxes;
    std::optional<QString> after;  // what the file holds afterwards; nothing: no file
};

const QString qActivate = QStringLiteral("question Inserire password?");
const QString eEntry = QStringLiteral("entry Password|Inserire password|");
const QString eActivateFail = QStringLiteral("error Errore nell'immissione della password!");
const QString qChange = QStringLiteral("question Cambiare password?");
const QString eOld = QStringLiteral("entry Controllo password|Inserire vecchia password|");
const QString eNew = QStringLiteral("entry Password|Inserire nuova password|");
const QString eChangeFail = QStringLiteral("error Errore nel cambiamento della password!");
const QString qDeactivate = QStringLiteral("question Disattivare password?");
const QString eRemove = QStringLiteral("entry Disattivazione password|Inserire password|");
const QString eInvalid = QStringLiteral("error Password non valida!");

QString confirmBox(const QString& prompt, const QString& initial) {
    return QStringLiteral("entry Password|%1|%2").arg(prompt, initial);
}
QString again(const QString& p) {
    return confirmBox(QStringLiteral("Confermare password"), p);
}
QString againNew(const QString& p) {
    return confirmBox(QStringLiteral("Confermare nouva password"), p);
}

const Flow kFlows[] = {
    // ---- activate ----
    {"activate: typed with blanks around, confirmed untouched",
     PasswordAction::Activate,
     Flow::None,
     {},
     {QStringLiteral("  segreto "), QStringLiteral("segreto")},
     {qActivate, eEntry, again(QStringLiteral("segreto")),
      QStringLiteral("information Password inserita")},
     QStringLiteral("segreto")},
    {"activate: closing the question goes ahead",
     PasswordAction::Activate,
     Flow::None,
     {Answer::Closed},
     {QStringLiteral("àè€"), QStringLiteral("àè€")},
     {qActivate, eEntry, again(QStringLiteral("àè€")),
      QStringLiteral("information Password inserita")},
     QStringLiteral("àè€")},
    {"activate: blanks only",
     PasswordAction::Activate,
     Flow::None,
     {},
     {QStringLiteral("   ")},
     {qActivate, eEntry, eActivateFail},
     std::nullopt},
    {"activate: entry cancelled",
     PasswordAction::Activate,
     Flow::None,
     {},
     {kCancel},
     {qActivate, eEntry, eActivateFail},
     std::nullopt},
    {"activate: confirmation differs",
     PasswordAction::Activate,
     Flow::None,
     {},
     {QStringLiteral("segreto"), QStringLiteral("segreta")},
     {qActivate, eEntry, again(QStringLiteral("segreto")), eActivateFail},
     std::nullopt},
    {"activate: confirmation with a blank added is not trimmed",
     PasswordAction::Activate,
     Flow::None,
     {},
     {QStringLiteral("segreto"), QStringLiteral("segreto ")},
     {qActivate, eEntry, again(QStringLiteral("segreto")), eActivateFail},
     std::nullopt},
    {"activate: confirmation cancelled",
     PasswordAction::Activate,
     Flow::None,
     {},
     {QStringLiteral("segreto"), kCancel},
     {qActivate, eEntry, again(QStringLiteral("segreto")), eActivateFail},
     std::nullopt},
    {"activate: No",
     PasswordAction::Activate,
     Flow::None,
     {Answer::No},
     {},
     {qActivate},
     std::nullopt},
    // ---- change ----
    {"change: wrong old password",
     PasswordAction::Change,
     Flow::Stored,
     {},
     {QStringLiteral("vecchia")},
     {qChange, eOld, eInvalid},
     kOld},
    {"change: old cancelled",
     PasswordAction::Change,
     Flow::Stored,
     {},
     {kCancel},
     {qChange, eOld, eInvalid},
     kOld},
    {"change: ok",
     PasswordAction::Change,
     Flow::Stored,
     {},
     {QStringLiteral(" vecchia è "), QStringLiteral("nuova "), QStringLiteral("nuova")},
     {qChange, eOld, eNew, againNew(QStringLiteral("nuova")),
      QStringLiteral("information Password cambiata")},
     QStringLiteral("nuova")},
    {"change: confirmation differs",
     PasswordAction::Change,
     Flow::Stored,
     {},
     {kOld, QStringLiteral("nuova"), QStringLiteral("nuovo")},
     {qChange, eOld, eNew, againNew(QStringLiteral("nuova")), eChangeFail},
     kOld},
    {"change: new password of blanks",
     PasswordAction::Change,
     Flow::Stored,
     {},
     {kOld, QStringLiteral("  ")},
     {qChange, eOld, eNew, eChangeFail},
     kOld},
    {"change: confirmation cancelled",
     PasswordAction::Change,
     Flow::Stored,
     {},
     {kOld, QStringLiteral("nuova"), kCancel},
     {qChange, eOld, eNew, againNew(QStringLiteral("nuova")), eChangeFail},
     kOld},
    {"change: damaged file",
     PasswordAction::Change,
     Flow::Damaged,
     {},
     {QString()},
     {qChange, eOld, eInvalid},
     std::nullopt},
    {"change: No", PasswordAction::Change, Flow::Stored, {Answer::No}, {}, {qChange}, kOld},
    // ---- deactivate ----
    {"deactivate: wrong password",
     PasswordAction::Deactivate,
     Flow::Stored,
     {},
     {QStringLiteral("vecchia e")},
     {qDeactivate, eRemove, eInvalid},
     kOld},
    {"deactivate: entry cancelled",
     PasswordAction::Deactivate,
     Flow::Stored,
     {},
     {kCancel},
     {qDeactivate, eRemove, eInvalid},
     kOld},
    {"deactivate: right password",
     PasswordAction::Deactivate,
     Flow::Stored,
     {},
     {QStringLiteral("vecchia è ")},
     {qDeactivate, eRemove, QStringLiteral("information Password disattivata")},
     std::nullopt},
    {"deactivate: damaged file",
     PasswordAction::Deactivate,
     Flow::Damaged,
     {},
     {QStringLiteral("\x01")},
     {qDeactivate, eRemove, eInvalid},
     std::nullopt},
    {"deactivate: No",
     PasswordAction::Deactivate,
     Flow::Stored,
     {Answer::No},
     {},
     {qDeactivate},
     kOld},
};

class PasswordCommands : public ProtectFixture, public ::testing::WithParamInterface<Flow> {};

TEST_P(PasswordCommands, AskAndAnswerAsScripted) {
    const Flow& flow = GetParam();
    const QByteArray damaged = "Zq0+9aB/mK3xTr7L\r\n";  // the key line only
    if (flow.before == Flow::Stored) SavePassword(file, kOld);
    if (flow.before == Flow::Damaged) writeRaw(damaged);
    if (flow.before != Flow::None) {
        // Readable by others before: every way out of a command hides the file again.
        QFile::setPermissions(file, kOwnerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }
    ScriptedMessages messages;
    messages.confirmAnswers.assign(flow.answers.begin(), flow.answers.end());
    messages.inputs.assign(flow.inputs.begin(), flow.inputs.end());

    PasswordCommand(flow.action, file, messages);

    EXPECT_EQ(transcript(messages), flow.boxes);
    EXPECT_TRUE(messages.inputs.empty()) << "entries left unasked";
    if (flow.before == Flow::Damaged) {
        EXPECT_EQ(raw(), damaged);
        EXPECT_EQ(mode(), kOwnerOnly);
    } else if (flow.after) {
        EXPECT_EQ(ReadPassword(file), flow.after->toUtf8());
        EXPECT_EQ(mode(), kOwnerOnly);
    } else {
        EXPECT_FALSE(QFile::exists(file));
    }
}

INSTANTIATE_TEST_SUITE_P(Flows, PasswordCommands, ::testing::ValuesIn(kFlows),
                         [](const ::testing::TestParamInfo<Flow>& p) {
                             return std::to_string(p.index);
                         });

using PasswordMenu = ProtectFixture;

TEST_F(PasswordMenu, ActivateIsTheOnlyItemOnWithoutAFileAndTheOnlyOneOffWithIt) {
    PasswordMenuState s = UpdatePasswordMenu(file);
    EXPECT_TRUE(s.activate);
    EXPECT_FALSE(s.change);
    EXPECT_FALSE(s.deactivate);
    writeRaw("");  // even a damaged file turns protection on
    s = UpdatePasswordMenu(file);
    EXPECT_FALSE(s.activate);
    EXPECT_TRUE(s.change);
    EXPECT_TRUE(s.deactivate);
    EXPECT_TRUE(UpdatePasswordMenu(QString()).activate);
}

TEST_F(PasswordMenu, ActivateNeverReplacesAPasswordAlreadySet) {
    // The item is off then; a stale menu must not let anyone skip the old password.
    SavePassword(file, kOld);
    ScriptedMessages messages;
    messages.inputs = {QStringLiteral("altra"), QStringLiteral("altra")};
    PasswordCommand(PasswordAction::Activate, file, messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(ReadPassword(file), kOld.toUtf8());
}

TEST_F(PasswordMenu, FileFailuresStopTheCommandWithAnError) {
    ScriptedMessages messages;
    // Change and deactivate without a file: the reading fails after the question.
    for (const PasswordAction a : {PasswordAction::Change, PasswordAction::Deactivate}) {
        messages.shown.clear();
        EXPECT_THROW(PasswordCommand(a, file, messages), Error);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].kind, QStringLiteral("confirm"));
    }
    // Activate where the file cannot be written: no success is announced.
    QFile blocker(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    messages.shown.clear();
    messages.inputs = {QStringLiteral("segreto"), QStringLiteral("segreto")};
    EXPECT_THROW(
        PasswordCommand(PasswordAction::Activate, blocker.fileName() + "/x.qrlt", messages), Error);
    EXPECT_TRUE(transcript(messages).back().startsWith(QStringLiteral("entry Password|Conf")));
}

}  // namespace
}  // namespace telmora::test
