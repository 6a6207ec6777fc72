#pragma once
// Backup of the usage database and the settings file into a dated folder, and restore of such
// a pair over the live files. Every step is checked: a failure ends the command with an Error
// naming the file and the reason, and no success message. Copies are written under another
// name and renamed into place, so no half-written file ever carries a backup's or a live
// file's name, and a restore that fails leaves the live pair as it was.

#include <QString>
#include <functional>

#include "uCompaction.h"
#include "uDateTime.h"
#include "uSettings.h"

namespace telmora {

class IClock;
class IMessages;
class TDataModule1;

// What a restore read back from the restored settings file, for the caller to put in place.
struct RestoredState {
    Options options;
    int abnormalStops = 0;
    // No settings file lay beside the chosen database: the live one was kept and reread.
    bool settingsKept = false;
};

// The steps of a restore after the dialog, in order; a test hook hears each one as it is done.
enum class RestoreStep {
    DatabaseStaged,  // the chosen database copied beside the live one and checked
    SettingsStaged,
    DatabaseReplaced,
    SettingsReplaced,
};

class Backup {
public:
    // settingsPath: the live telmora.ini; compaction: how the compaction before a backup shows
    // its pointer and boxes.
    Backup(TDataModule1& data, QString settingsPath, const IClock& clock, IMessages& messages,
           CompactionContext compaction);

    // "&Esegui": asks for a folder and saves the pair there, with the options as they are now.
    // False when the chooser was cancelled (nothing changed); throws Error on a failure.
    bool save(const Options& current);

    // "&Ripristina": asks for a telmora.mdb and copies it with its settings file over the live
    // pair. apply receives what the restored files hold and refreshes the program before the
    // closing message. False when the dialog was cancelled; throws Error on a failure, with the
    // live files untouched.
    bool restore(const std::function<void(const RestoredState&)>& apply);

    // "backup Telmora 15.03.2004" for the 15th of March 2004.
    static QString folderName(DateTime today);

    std::function<void(RestoreStep)> reached;  // tests only

private:
    void notify(RestoreStep step) const {
        if (reached) reached(step);
    }
    void copyDatabaseTo(const QString& target);
    void replaceLivePair(const QString& stagedDb, const QString* stagedIni);

    TDataModule1& data_;
    QString settingsPath_;
    const IClock& clock_;
    IMessages& messages_;
    CompactionContext compaction_;
};

}  // namespace telmora
