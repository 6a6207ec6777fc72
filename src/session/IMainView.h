#pragma once
// What the session logic asks of the main window. The window implements it; tests record it.

#include <QString>

#include "uDateTime.h"
#include "uSettings.h"

namespace telmora {

class IMainView {
public:
    virtual ~IMainView() = default;

    // Closes the main window: with an exit under way this runs the exit steps.
    virtual void closeWindow() = 0;
    // Ends the program at once (after a clock change).
    virtual void terminate() = 0;

    virtual void setDayPicker(DateTime day) = 0;
    virtual void setupHints() = 0;
    // The in-window homes of the tracciaweb and rg settings.
    virtual void showOptions(const Options& options) = 0;
    virtual void useNewTrayBehaviour() = 0;

    virtual void setClockLine(const QString& text) = 0;
    virtual void setIdentityLines(const QString& connection, const QString& device,
                                  const QString& ip) = 0;
    virtual void repaintStatusBar() = 0;
};

}  // namespace telmora
