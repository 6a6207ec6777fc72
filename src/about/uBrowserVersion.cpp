#include "uBrowserVersion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace telmora {
namespace {

// Runs the program and gives its standard output; nothing when it cannot run, does not end
// within the time or ends in failure.
std::optional<QString> runForOutput(const QString& program, const QStringList& args,
                                    int timeoutMs) {
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, args, QIODevice::ReadOnly);
    if (!process.waitForStarted(timeoutMs)) return std::nullopt;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

QStringList applicationDirs(const BrowserSources& sources) {
    if (!sources.applicationDirs.isEmpty()) return sources.applicationDirs;
    return QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
}

struct BrowserCommand {
    QStringList command;  // program and arguments, without the desktop entry's field codes
    QString name;
};

// Name and Exec of the [Desktop Entry] group (the untranslated Name).
void readEntry(const QString& path, QString& name, QString& exec) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return;
    bool inEntry = false;
    for (const QString& raw : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
        } else if (inEntry && line.startsWith(QLatin1String("Name=")) && name.isEmpty()) {
            name = line.mid(5).trimmed();
        } else if (inEntry && line.startsWith(QLatin1String("Exec=")) && exec.isEmpty()) {
            exec = line.mid(5).trimmed();
        }
    }
}

// The desktop entry's Exec line without %u-style field codes and flatpak's @@ markers, and its
// Name; empty when the entry is nowhere to be found.
BrowserCommand fromDesktopEntry(const QString& id, const BrowserSources& sources) {
    for (const QString& dir : applicationDirs(sources)) {
        const QString path = QDir(dir).filePath(id);
        if (!QFileInfo(path).isFile()) continue;
        BrowserCommand browser;
        QString exec;
        readEntry(path, browser.name, exec);
        for (const QString& token : QProcess::splitCommand(exec)) {
            if (token.startsWith(QLatin1Char('%')) || token.startsWith(QLatin1String("@@"))) {
                continue;
            }
            browser.command << token;
        }
        return browser;
    }
    return {};
}

BrowserCommand defaultBrowser(const BrowserSources& sources) {
    QString id;
    if (sources.defaultDesktopId) {
        id = sources.defaultDesktopId();
    } else if (const std::optional<QString> out =
                   runForOutput(QStringLiteral("xdg-settings"),
                                {QStringLiteral("get"), QStringLiteral("default-web-browser")},
                                sources.timeoutMs)) {
        id = out->section(QLatin1Char('\n'), 0, 0).trimmed();
    }
    if (id.endsWith(QLatin1String(".desktop"))) {
        BrowserCommand browser = fromDesktopEntry(id, sources);
        if (!browser.command.isEmpty()) return browser;
    }
    const QString fallback = QStandardPaths::findExecutable(sources.fallbackProgram);
    if (fallback.isEmpty()) return {};
    return {{fallback}, QFileInfo(QFileInfo(fallback).canonicalFilePath()).fileName()};
}

}  // namespace

QString versionLine(const QString& output, const QString& browserName) {
    QString line;
    for (const QString& l : output.split(QLatin1Char('\n'))) {
        if (!l.trimmed().isEmpty()) {
            line = l.trimmed();
            break;
        }
    }
    // Chromium adds where it was built and where it runs.
    const qsizetype built = line.indexOf(QLatin1String(" built on "));
    if (built > 0) line.truncate(built);
    if (!line.isEmpty() && line.front().isDigit() && !browserName.isEmpty()) {
        line = browserName + QLatin1Char(' ') + line;
    }
    return line;
}

QString defaultBrowserVersion(const BrowserSources& sources) {
    const BrowserCommand browser = defaultBrowser(sources);
    if (browser.command.isEmpty()) return {};
    const QString program = QStandardPaths::findExecutable(browser.command.front());
    if (program.isEmpty()) return {};
    const std::optional<QString> out = runForOutput(
        program, browser.command.mid(1) << QStringLiteral("--version"), sources.timeoutMs);
    if (!out) return {};
    return versionLine(*out, browser.name);
}

}  // namespace telmora
