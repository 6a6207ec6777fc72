#pragma once
// The program's hints: yellow, shown 200 ms after the pointer stops, hidden after 3500 ms.

class QApplication;

namespace telmora {

void installHints(QApplication& app);

}  // namespace telmora
