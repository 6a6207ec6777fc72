// Program entry of both Telmora programs; the platform each one runs on comes from the factory
// linked into it.

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <cstdio>

#include "Platform.h"
#include "uDataModule.h"
#include "uMain.h"
#include "uQtMessages.h"
#include "uReportError.h"

namespace {

// Every error that escapes a handler on the main thread ends that handler and is reported.
class TelmoraApplication final : public QApplication {
public:
    using QApplication::QApplication;
    telmora::ReportError* reportError = nullptr;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const telmora::Error& e) {
            if (reportError) (*reportError)(e);
        } catch (const std::exception& e) {
            if (reportError) {
                (*reportError)(QString::fromLatin1(receiver->metaObject()->className()),
                               QString::fromLocal8Bit(e.what()));
            }
        }
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    using namespace telmora;
    Q_INIT_RESOURCE(telmora);
    // The program's own folder holds its database, settings and log.
    const QString programFile = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const QString programDir = QFileInfo(programFile).absolutePath();

    std::unique_ptr<Platform> platform = createPlatform(programDir);
    // A second copy ends at once and touches nothing.
    if (!platform->instanceGuard->acquire()) return 0;

    TelmoraApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Telmora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Telmora"));
    QApplication::setQuitOnLastWindowClosed(false);

    if (!TDataModule1::cipherAvailable()) {
        const char* message = "La cifratura del database non risponde: Telmora non può partire.";
        std::fprintf(stderr, "%s\n", message);
        QMessageBox::critical(nullptr, QStringLiteral("Telmora"), QString::fromUtf8(message));
        return 1;
    }

    TDataModule1 data(programDir + QStringLiteral("/telmora.mdb"));
    QtMessages messages;
    ReportError reportError(programDir + QStringLiteral("/telmora.log"), *platform->clock,
                            messages);
    reportError.restoreCursor = [] {
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    };
    app.reportError = &reportError;

    const SessionPaths paths{programFile, programDir + QStringLiteral("/telmora.ini")};
    TMainForm form(*platform, data, paths, reportError, messages);
    MainSession& session = form.session();

    std::unique_ptr<ISystemEvents> events = platform->createEvents();
    QObject::connect(events.get(), &ISystemEvents::sessionEnding, &session,
                     &MainSession::onSessionEnding);
    QObject::connect(events.get(), &ISystemEvents::clockChanged, &session,
                     &MainSession::onClockChanged);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &session,
                     &MainSession::onSessionEnding);

    form.FormCreate();
    const int rc = app.exec();
    app.reportError = nullptr;
    return rc;
}
