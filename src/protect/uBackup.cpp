#include "uBackup.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "IClock.h"
#include "IMessages.h"
#include "uDataModule.h"
#include "uDatabaseFile.h"
#include "uDurableFiles.h"
#include "uError.h"

namespace telmora {
namespace {

const QString kSource = QStringLiteral("TMainForm");

[[noreturn]] void raise(const QString& message) {
    throw Error(kSource, message);
}

// Creates the folder when it is missing; one that exists already is used as it is.
void ensureFolder(const QString& path) {
    if (::mkdir(QFile::encodeName(path).constData(), 0755) == 0) return;
    const int errnum = errno;
    if (errnum == EEXIST && QFileInfo(path).isDir()) return;
    raise(QStringLiteral("Impossibile creare la cartella %1: %2.")
              .arg(path, fileErrorReason(errnum)));
}

// A second name for the live database while it is replaced, to put it back if the settings
// file cannot follow. False when the file system gives no second names (or there is no file).
bool keepAside(const QString& live, const QString& kept) {
    QFile::remove(kept);  // left by a restore that was stopped
    return ::link(QFile::encodeName(live).constData(), QFile::encodeName(kept).constData()) == 0;
}

}  // namespace

Backup::Backup(TDataModule1& data, QString settingsPath, const IClock& clock, IMessages& messages,
               CompactionContext compaction)
    : data_(data),
      settingsPath_(std::move(settingsPath)),
      clock_(clock),
      messages_(messages),
      compaction_(std::move(compaction)) {}

QString Backup::folderName(DateTime today) {
    return QStringLiteral("backup Telmora ") +
           dayText(today).replace(QLatin1Char('/'), QLatin1Char('.'));
}

void Backup::copyDatabaseTo(const QString& target) {
    // No statement writes to the file while its bytes are copied.
    const auto hold = data_.holdFile();
    copyDurably(data_.databasePath(), target, kSource);
}

bool Backup::save(const Options& current) {
    const std::optional<QString> chosen = messages_.chooseFolder(QStringLiteral("Salva in..."));
    if (!chosen) return false;
    // A failed compaction is reported by the compaction itself; the file is saved as it is.
    Compact(data_, compaction_);

    const QString folder = QDir(*chosen).filePath(folderName(clock_.now()));
    ensureFolder(folder);
    const QDir target(folder);
    copyDatabaseTo(target.filePath(QFileInfo(data_.databasePath()).fileName()));
    Settings(settingsPath_).saveOptions(current);
    copyDurably(settingsPath_, target.filePath(QFileInfo(settingsPath_).fileName()), kSource);
    messages_.information(QStringLiteral("Backup eseguito"));
    return true;
}

void Backup::replaceLivePair(const QString& stagedDb, const QString* stagedIni) {
    const QString live = data_.databasePath();
    const QString kept = live + QStringLiteral(".prev");
    const auto hold = data_.holdFile();
    settleLeftJournal(live);
    const bool canPutBack = keepAside(live, kept);
    renameInPlace(stagedDb, live, kSource);
    notify(RestoreStep::DatabaseReplaced);
    if (stagedIni) {
        try {
            renameInPlace(*stagedIni, settingsPath_, kSource);
            notify(RestoreStep::SettingsReplaced);
        } catch (const Error&) {
            // The pair goes back as it was: the old database returns to its place.
            if (canPutBack) renameInPlace(kept, live, kSource);
            throw;
        }
    }
    QFile::remove(kept);
}

bool Backup::restore(const std::function<void(const RestoredState&)>& apply) {
    const std::optional<QString> chosen =
        messages_.chooseOpenFile(QStringLiteral("Ripristina"), QStringLiteral("telmora.mdb"));
    if (!chosen) return false;
    const QFileInfo chosenInfo(*chosen);
    if (!chosenInfo.isFile()) raise(QStringLiteral("Il file %1 non esiste.").arg(*chosen));
    const QString chosenIni = chosenInfo.dir().filePath(QFileInfo(settingsPath_).fileName());
    const bool withSettings = QFileInfo(chosenIni).isFile();

    const QString stagedDb = stagingPathFor(data_.databasePath());
    const QString stagedIni = stagingPathFor(settingsPath_);
    try {
        // Both copies are made and the database checked before a live file is touched.
        copyToStaging(*chosen, stagedDb, kSource);
        const QString unusable = unusableDatabaseReason(stagedDb);
        if (!unusable.isEmpty()) {
            raise(QStringLiteral("Il file %1 non può essere ripristinato: %2 I dati attuali non "
                                 "sono stati toccati.")
                      .arg(*chosen, QString(unusable).replace(stagedDb, *chosen)));
        }
        notify(RestoreStep::DatabaseStaged);
        if (withSettings) {
            copyToStaging(chosenIni, stagedIni, kSource);
            notify(RestoreStep::SettingsStaged);
        }
        replaceLivePair(stagedDb, withSettings ? &stagedIni : nullptr);
    } catch (...) {
        QFile::remove(stagedDb);
        QFile::remove(stagedIni);
        throw;
    }

    const Settings settings(settingsPath_);
    RestoredState state;
    state.options = settings.loadOptions();
    state.abnormalStops = static_cast<int>(settings.file().readInteger(
        QStringLiteral("arrestianomali"), QStringLiteral("arresti"), 0));
    state.settingsKept = !withSettings;
    if (apply) apply(state);
    messages_.information(
        withSettings ? QStringLiteral("Ripristino eseguito")
                     : QStringLiteral("Ripristino eseguito\n\nAccanto al database scelto non c'è "
                                      "il file delle impostazioni: sono state mantenute le "
                                      "impostazioni attuali."));
    return true;
}

}  // namespace telmora
