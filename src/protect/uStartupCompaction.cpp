#include "uStartupCompaction.h"

#include "IClock.h"
#include "IMessages.h"

namespace telmora {

CompactionContext compactionThrough(IMessages& messages,
                                    std::function<void(bool busy)> busyCursor) {
    CompactionContext context;
    context.busyCursor = std::move(busyCursor);
    context.errorBox = [&messages](const QString& text) { messages.error(text); };
    context.plainBox = [&messages](const QString& text) { messages.plain(text); };
    return context;
}

std::optional<CompactionOutcome> compactAtStartUp(const IClock& clock, TDataModule1& data,
                                                  const CompactionContext& context) {
    return compactOnOddDay(clock.now(), data, context);
}

}  // namespace telmora
