#include "uDurableFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "uError.h"

namespace telmora {
namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now, so that a failing close (a late write error) is seen.
    int close() {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

private:
    int fd_;
};

[[noreturn]] void fail(const QString& source, const QString& what, const QString& path,
                       int errnum) {
    throw Error(source, QStringLiteral("%1 %2: %3.").arg(what, path, fileErrorReason(errnum)));
}

void syncFolderOf(const QString& path) {
    const QByteArray dir = QFile::encodeName(QFileInfo(path).absolutePath());
    Fd fd(::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) ::fsync(fd.get());
}

}  // namespace

QString fileErrorReason(int errnum) {
    switch (errnum) {
        case EACCES:
        case EPERM:
            return QStringLiteral("accesso negato");
        case ENOSPC:
        case EDQUOT:
            return QStringLiteral("spazio su disco esaurito");
        case EROFS:
            return QStringLiteral("il disco è in sola lettura");
        case ENOENT:
            return QStringLiteral("il file o la cartella non esiste");
        case EISDIR:
            return QStringLiteral("al suo posto c'è una cartella");
        case EXDEV:
            return QStringLiteral("i due file sono su dischi diversi");
        case EIO:
            return QStringLiteral("errore di lettura o scrittura del disco");
        default:
            return QString::fromLocal8Bit(std::strerror(errnum));
    }
}

QString stagingPathFor(const QString& target) {
    return target + QStringLiteral(".part");
}

void copyToStaging(const QString& from, const QString& staged, const QString& source,
                   const QString& shownAs) {
    const QString& named = shownAs.isEmpty() ? staged : shownAs;
    const QByteArray in = QFile::encodeName(from);
    const QByteArray out = QFile::encodeName(staged);
    Fd src(::open(in.constData(), O_RDONLY | O_CLOEXEC));
    if (src.get() < 0) fail(source, QStringLiteral("Impossibile leggere il file"), from, errno);
    Fd dst(::open(out.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (dst.get() < 0) fail(source, QStringLiteral("Impossibile scrivere il file"), named, errno);
    // Whatever goes wrong below, no partial copy stays behind.
    auto discard = [&](const QString& what, const QString& path, int errnum) {
        ::unlink(out.constData());
        fail(source, what, path, errnum);
    };
    static constexpr size_t kChunk = 1 << 20;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::read(src.get(), buffer.data(), kChunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            discard(QStringLiteral("Impossibile leggere il file"), from, errno);
        }
        if (n == 0) break;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w =
                ::write(dst.get(), buffer.constData() + done, static_cast<size_t>(n - done));
            if (w < 0) {
                if (errno == EINTR) continue;
                discard(QStringLiteral("Impossibile scrivere il file"), named, errno);
            }
            done += w;
        }
    }
    if (::fsync(dst.get()) != 0 || dst.close() != 0) {
        discard(QStringLiteral("Impossibile scrivere il file"), named, errno);
    }
}

void renameInPlace(const QString& from, const QString& to, const QString& source) {
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        fail(source, QStringLiteral("Impossibile sostituire il file"), to, errno);
    }
    syncFolderOf(to);
}

void copyDurably(const QString& from, const QString& to, const QString& source) {
    const QString staged = stagingPathFor(to);
    copyToStaging(from, staged, source, to);
    try {
        renameInPlace(staged, to, source);
    } catch (...) {
        QFile::remove(staged);
        throw;
    }
}

void syncFile(const QString& path, const QString& source) {
    Fd fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0 || ::fsync(fd.get()) != 0) {
        fail(source, QStringLiteral("Impossibile scrivere il file"), path, errno);
    }
}

}  // namespace telmora
