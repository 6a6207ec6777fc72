#pragma once
// The "&Password" submenu of "&Opzioni": which of its items can be used, and the three commands
// that set, change and remove the password, every box through the message wrapper.

#include <QString>

#include "IMessages.h"

namespace telmora {

// The item of the submenu that was clicked.
enum class PasswordAction { Activate, Change, Deactivate };  // "&Attiva", "&Cambia", "&Disattiva"

struct PasswordMenuState {
    bool activate = false;    // "&Attiva"
    bool change = false;      // "&Cambia"
    bool deactivate = false;  // "&Disattiva"
};

// Read from the disk each time the submenu opens: with a password file only "&Attiva" is off,
// without one it is the only item on.
PasswordMenuState UpdatePasswordMenu(const QString& passwordFile);

// Runs one command of the submenu. Questions, entry boxes and results go through messages;
// a password file that cannot be read, written or removed raises Error, and the command stops
// there with the file as it was.
void PasswordCommand(PasswordAction sender, const QString& passwordFile, IMessages& messages);

}  // namespace telmora
