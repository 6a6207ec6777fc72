#pragma once
// The compaction as the program runs it: its pointer and boxes through the message wrapper, and
// the odd-day compaction at start-up read from the injected clock.

#include <functional>
#include <optional>

#include "uCompaction.h"

namespace telmora {

class IClock;
class IMessages;

// The compaction's boxes go to messages; busyCursor (may be empty) sets the hourglass.
CompactionContext compactionThrough(IMessages& messages,
                                    std::function<void(bool busy)> busyCursor = {});

// Called by the program once at start-up, before anything reads the database: compacts on the
// odd days of the month. Nothing when the day is even.
std::optional<CompactionOutcome> compactAtStartUp(const IClock& clock, TDataModule1& data,
                                                  const CompactionContext& context);

}  // namespace telmora
