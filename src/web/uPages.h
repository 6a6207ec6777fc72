#pragma once
// The lines of the visited-pages lists and the opening of the page a line names, shared by the
// visited-pages window, the call details and the About window's link. No widgets.

#include <QString>

#include "IMessages.h"
#include "IShellOpen.h"
#include "uDateTime.h"

namespace telmora {

// The capture time as the lists show it: dd/mm/yyyy hh.nn.ss, the day alone at midnight.
QString pageDateText(DateTime value);
// A list line: the capture time, two blanks, the browser's answer as stored.
QString pageLine(DateTime data, const QString& url);

// What a line opens: from its first double quote to its end (the quoted address and whatever
// fields follow it), or the whole line when it holds no quote.
QString PageTextOfLine(const QString& line);

// Hands text to the desktop's opener; a failure shows "Impossibile aprire la pagina
// selezionata. Errore " and its number, and changes nothing else.
void OpenPage(IShellOpen& shell, IMessages& messages, const QString& text);

}  // namespace telmora
