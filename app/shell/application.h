// The program's start and run.
#pragma once

class QApplication;
class QIcon;

namespace kelvora {

// Loads Qt's own Russian texts for its dialogs (the Yes and No buttons); false when they
// are missing.
bool InstallRussianTranslation(QApplication& application);

// Kelvora's own icon, from the program's resources.
QIcon KelvoraIcon();

// Opens the main window and runs until it is closed; the exit code.
int RunKelvora(QApplication& application);

}  // namespace kelvora
