// The program's start and run.
#pragma once

class QApplication;

namespace kelvora {

// Loads Qt's own Russian texts for its dialogs (the Yes and No buttons); false when they
// are missing.
bool InstallRussianTranslation(QApplication& application);

// Opens the main window and runs until it is closed; the exit code.
int RunKelvora(QApplication& application);

}  // namespace kelvora
