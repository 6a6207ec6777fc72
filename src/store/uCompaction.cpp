#include "uCompaction.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <thread>

#include "uDataModule.h"
#include "uDatabaseFile.h"
#include "uDurableFiles.h"
#include "uError.h"

namespace telmora {
namespace {

const QString kSource = QStringLiteral("TDataModule1");

[[noreturn]] void raise(const QString& message) {
    throw Error(kSource, message);
}

QByteArray quoted(const QString& text) {
    QByteArray out = text.toUtf8();
    out.replace('\'', "''");
    return '\'' + out + '\'';
}

void notify(const CompactionContext& context, CompactionStep step) {
    if (context.reached) context.reached(step);
}

// The engine writes the compact copy of live into temp, with the same key; returns the row
// counts of the live file.
TableCounts exportCopy(const QString& live, const QString& temp) {
    // Opened for writing: a journal left by a crash is rolled back here, before the copy.
    KeyedConnection source(live, KeyedConnection::Mode::ReadWriteAttaching);
    const auto counts = source.counts();
    const QByteArray attach = "ATTACH DATABASE " + quoted(temp) + " AS compacted KEY " +
                              quoted(QString::fromUtf8(TDataModule1::kPassword)) + ";";
    source.exec(attach.constData());
    source.exec("SELECT sqlcipher_export('compacted');");
    source.exec("DETACH DATABASE compacted;");
    return counts;
}

// Moves the engine's copy beside the live file: a rename on the same disk, else a copy.
void stageBeside(const QString& temp, const QString& staged) {
    QFile::remove(staged);  // left by a run that was stopped
    if (::rename(QFile::encodeName(temp).constData(), QFile::encodeName(staged).constData()) == 0) {
        syncFile(staged, kSource);
        return;
    }
    if (errno != EXDEV) {
        const int errnum = errno;
        raise(QStringLiteral("Impossibile scrivere il file %1: %2.")
                  .arg(staged, fileErrorReason(errnum)));
    }
    copyToStaging(temp, staged, kSource);
    QFile::remove(temp);
}

void checkCopy(const QString& staged, const QString& live, const TableCounts& liveCounts) {
    bool same = false;
    try {
        KeyedConnection copy(staged, KeyedConnection::Mode::ReadOnly);
        same = copy.intact() && copy.counts() == liveCounts;
    } catch (const Error&) {
        same = false;
    }
    if (!same) {
        raise(QStringLiteral("La copia compattata del database %1 non corrisponde all'originale: "
                             "il database non è stato sostituito.")
                  .arg(live));
    }
}

}  // namespace

QString compactionTempPath(const CompactionContext& context, const QString& databasePath) {
    if (!context.tempFolder.isEmpty()) {
        return QDir(context.tempFolder).filePath(QStringLiteral("tempdb.mdb"));
    }
    // The system's temporary folder is shared by every user and every installation: each
    // installation keeps its copy in a folder of its own there, so that two copies of the
    // program compacting at once never write into one another's file.
    const QByteArray key = QFileInfo(databasePath).absoluteFilePath().toUtf8();
    const QString own =
        QStringLiteral("telmora-%1-%2")
            .arg(::getuid())
            .arg(QString::fromLatin1(
                QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(12)));
    QDir temp(QDir::tempPath());
    temp.mkpath(own);
    QFile::setPermissions(temp.filePath(own),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return QDir(temp.filePath(own)).filePath(QStringLiteral("tempdb.mdb"));
}

CompactionOutcome Compact(TDataModule1& data, const CompactionContext& context) {
    if (context.busyCursor) context.busyCursor(true);
    const QString live = data.databasePath();
    const QString temp = compactionTempPath(context, live);
    const QString staged = stagingPathFor(live);
    CompactionOutcome outcome = CompactionOutcome::Compacted;
    QString message;
    {
        // No other thread runs a statement from here until the new file is in place.
        const auto hold = data.holdFile();
        notify(context, CompactionStep::ConnectionClosed);
        if (QFileInfo::exists(temp) && !QFile::remove(temp)) {
            outcome = CompactionOutcome::TempNotDeleted;
        } else {
            notify(context, CompactionStep::TempDeleted);
            if (context.pause) {
                context.pause(kCompactionPause);
            } else {
                std::this_thread::sleep_for(kCompactionPause);
            }
            notify(context, CompactionStep::Paused);
            try {
                const auto counts = exportCopy(live, temp);
                notify(context, CompactionStep::Exported);
                stageBeside(temp, staged);
                notify(context, CompactionStep::Staged);
                checkCopy(staged, live, counts);
                notify(context, CompactionStep::Checked);
                renameInPlace(staged, live, kSource);
                notify(context, CompactionStep::Replaced);
            } catch (const Error& e) {
                // The live file was not touched; nothing of the attempt stays beside it.
                QFile::remove(staged);
                QFile::remove(temp);
                outcome = CompactionOutcome::Failed;
                message = e.message();
            }
        }
    }
    // The boxes wait for the user: by then the workers may use the database again.
    if (context.busyCursor) context.busyCursor(false);
    if (outcome == CompactionOutcome::TempNotDeleted && context.errorBox) {
        context.errorBox(QStringLiteral("Errore nella cancellazione del database temporaneo."));
    }
    if (outcome == CompactionOutcome::Failed && context.plainBox) context.plainBox(message);
    return outcome;
}

bool compactionDueOn(DateTime today) {
    return decodeDate(today).day % 2 == 1;
}

std::optional<CompactionOutcome> compactOnOddDay(DateTime today, TDataModule1& data,
                                                 const CompactionContext& context) {
    if (!compactionDueOn(today)) return std::nullopt;
    return Compact(data, context);
}

}  // namespace telmora
