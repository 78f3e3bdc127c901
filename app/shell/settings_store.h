// What the program keeps between runs: the settings page's choices, the last mode and
// window size, and the history, in one QSettings file (the per-user one, or a file the
// tests name).
#pragma once

#include <memory>
#include <optional>

#include <QSettings>
#include <QSize>
#include <QString>

namespace kelvora {

class History;

// A mode command's name in the file, so that the file does not depend on control ids;
// null for a command that is no mode.
const char* ModeName(int command);
// The mode command of a name, or 0.
int ModeCommand(const QString& name);

class SettingsStore {
public:
    // The per-user file at the platform's standard place.
    SettingsStore();
    // An INI file of the caller's choice.
    explicit SettingsStore(const QString& fileName);

    // The saved choice of a settings list; nothing when none is saved or it is outside
    // [0, count).
    std::optional<int> choice(const char* key, int count) const;
    void setChoice(const char* key, int index);

    // The last mode command, or 0.
    int lastMode() const;
    void setLastMode(int command);
    // The last window size, or an invalid size.
    QSize windowSize() const;
    void setWindowSize(QSize size);

    void loadHistory(History& history) const;
    void saveHistory(const History& history);

    QSettings& settings() { return *settings_; }

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace kelvora
