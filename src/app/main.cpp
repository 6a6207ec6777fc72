// Program entry of both Telmora programs; the platform each one runs on comes from the factory
// linked into it.

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

#include "Platform.h"
#include "uApplication.h"
#include "uQtMessages.h"

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
    // The system's own dialogs (the folder and file choosers) speak Italian like the program.
    QTranslator qtItalian;
    if (qtItalian.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtItalian);
    }
    QApplication::setQuitOnLastWindowClosed(false);

    if (!TDataModule1::cipherAvailable()) {
        const char* message = "La cifratura del database non risponde: Telmora non può partire.";
        std::fprintf(stderr, "%s\n", message);
        QMessageBox::critical(nullptr, QStringLiteral("Telmora"), QString::fromUtf8(message));
        return 1;
    }

    QtMessages messages;
    Application root(*platform, messages, InstallationPaths{programFile, programDir});
    app.reportError = &root.reportError();
    QObject::connect(&root, &Application::finished, &app, [] { QCoreApplication::exit(0); });
    // The start-up runs inside the event loop, so that a logoff during any box it shows ends
    // the program like every other exit.
    QTimer::singleShot(0, &root, &Application::start);
    const int rc = app.exec();
    app.reportError = nullptr;
    return rc;
}
