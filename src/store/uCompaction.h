#pragma once
// Compaction of the usage database: the engine rewrites the live file into a compact copy with
// the same key, and the copy takes the live file's place. The live file is replaced by one
// rename only after the copy is on disk beside it and has been checked, so a crash or a failure
// at any step leaves the old file or the new one, whole.

#include <QString>
#include <chrono>
#include <functional>
#include <optional>

#include "uDateTime.h"

namespace telmora {

class TDataModule1;

// The steps of a compaction, in order; a test hook hears each one as it is done.
enum class CompactionStep {
    ConnectionClosed,
    TempDeleted,
    Paused,
    Exported,  // the engine's copy written in the temporary folder
    Staged,    // the copy on disk beside the live file
    Checked,
    Replaced,
};

enum class CompactionOutcome { Compacted, TempNotDeleted, Failed };

// What a compaction shows and where it writes; the core links no widgets, so the pointer and
// the boxes are the caller's. Empty callbacks do nothing (pause: sleeps).
struct CompactionContext {
    QString tempFolder;  // empty: this installation's folder in QDir::tempPath()
    std::function<void(bool busy)> busyCursor;             // hourglass on, then off
    std::function<void(const QString&)> errorBox;          // error icon, OK
    std::function<void(const QString&)> plainBox;          // the engine's message, OK
    std::function<void(std::chrono::milliseconds)> pause;  // the wait before the engine runs
    std::function<void(CompactionStep)> reached;           // tests only
};

inline constexpr std::chrono::milliseconds kCompactionPause{1000};

// The temporary copy's path: "tempdb.mdb" in the context's temporary folder, or by default in a
// folder of this installation's own (made when missing) inside the system's temporary folder.
QString compactionTempPath(const CompactionContext& context, const QString& databasePath);

// Compacts the data module's database file. Reports its own failures through the context's
// boxes; the connection stays closed afterwards, and the next statement opens the file in place.
CompactionOutcome Compact(TDataModule1& data, const CompactionContext& context);

// The database is compacted at start-up on the odd days of the month.
bool compactionDueOn(DateTime today);
// At start-up, before anything reads the database: compacts when today is an odd day.
std::optional<CompactionOutcome> compactOnOddDay(DateTime today, TDataModule1& data,
                                                 const CompactionContext& context);

}  // namespace telmora
