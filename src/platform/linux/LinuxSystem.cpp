#include "LinuxSystem.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "uError.h"

namespace telmora {

LinuxInstanceGuard::LinuxInstanceGuard(QString lockPath) : path_(std::move(lockPath)) {}

LinuxInstanceGuard::~LinuxInstanceGuard() {
    if (fd_ >= 0) ::close(fd_);
}

QString LinuxInstanceGuard::defaultLockPath() {
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) dir = QStringLiteral("/tmp");
    return dir + QStringLiteral("/Telmora");
}

bool LinuxInstanceGuard::acquire() {
    if (fd_ >= 0) return true;
    const QByteArray path = QFile::encodeName(path_);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Without a lock file there is no way to tell; running is better than refusing.
    if (fd < 0) return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void LinuxProcessControl::setIdlePriority() {
    ::setpriority(PRIO_PROCESS, 0, 19);
    sched_param param{};
    ::sched_setscheduler(0, SCHED_IDLE, &param);  // not allowed everywhere: nice 19 stays then
}

XdgAutostart::XdgAutostart(QString entryPath) : path_(std::move(entryPath)) {}

QString XdgAutostart::defaultEntryPath() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart/Telmora.desktop");
}

bool XdgAutostart::exists() const {
    return QFileInfo::exists(path_);
}

namespace {

// A path with blanks or reserved characters goes quoted into Exec, as desktop entries require.
QString execField(const QString& programPath) {
    static const QString kReserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool plain = true;
    for (const QChar c : programPath) plain = plain && !kReserved.contains(c);
    if (plain) return programPath;
    QString quoted;
    for (const QChar c : programPath) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\')) {
            quoted += QLatin1Char('\\');
        }
        quoted += c;
    }
    // The desktop-entry string level unescapes backslashes once more.
    quoted.replace(QLatin1String("\\"), QLatin1String("\\\\"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace

void XdgAutostart::write(const QString& programPath) {
    if (exists()) return;
    const QString text = QStringLiteral(
                             "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Telmora\n"
                             "Comment=Controllo del tempo di connessione e di uso del PC\n"
                             "Exec=%1\n"
                             "Terminal=false\n"
                             "X-GNOME-Autostart-enabled=true\n")
                             .arg(execField(programPath));
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QFile f(path_);
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly) || f.write(text.toUtf8()) < 0 ||
        !f.flush()) {
        throw Error(QStringLiteral("TMainForm"),
                    QStringLiteral("Impossibile scrivere l'avvio automatico %1").arg(path_));
    }
}

void XdgAutostart::remove() {
    if (!exists() || QFile::remove(path_)) return;
    throw Error(QStringLiteral("TMainForm"),
                QStringLiteral("Impossibile rimuovere l'avvio automatico %1").arg(path_));
}

}  // namespace telmora
