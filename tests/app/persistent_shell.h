// The program with its settings file in a temporary folder: a restart is a new window on
// the same file.
#pragma once

#include <QTemporaryDir>
#include <QTimer>

#include "settings_store.h"
#include "shell_harness.h"

namespace kelvora::test {

// The file outlives the window that keeps its pointer.
struct StoreHolder {
    explicit StoreHolder(const QString& fileName) : store(fileName) {}
    SettingsStore store;
};

class PersistentShell : private StoreHolder, public Shell {
public:
    explicit PersistentShell(const QString& fileName) : StoreHolder(fileName) {
        window.persistIn(store);
        QCoreApplication::processEvents();  // the kept mode and size come from the event queue
    }
    // The user closes the window while the program runs, which ends the program's loop:
    // what the window keeps at closing goes to the file.
    ~PersistentShell() {
        QTimer::singleShot(0, &window, [this] { window.close(); });
        QCoreApplication::exec();
    }

    void type(int id, const QString& text) const {
        auto* edit = get<QLineEdit>(id);
        if (!edit) return;
        edit->setFocus();
        TypeText(edit, text);
    }
};

// A settings file of its own for each test, gone with the test.
class SettingsFile {
public:
    QString path() const { return dir_.filePath(QStringLiteral("kelvora.conf")); }

private:
    QTemporaryDir dir_;
};

}  // namespace kelvora::test
