#include "settings_store.h"

#include <iterator>

#include "control_ids.h"
#include "history.h"

namespace kelvora {

namespace {

struct ModeEntry {
    int command;
    const char* name;
};

constexpr ModeEntry kModes[] = {
    {KV_CMD_STANDARD, "standard"},       {KV_CMD_SCIENTIFIC, "scientific"},   {KV_CMD_FRACTIONS, "fractions"},
    {KV_CMD_GRAPHS, "graphs"},           {KV_CMD_EQUATIONS, "equations"},     {KV_CMD_INEQUALITIES, "inequalities"},
    {KV_CMD_QUADRATIC, "quadratic"},     {KV_CMD_SYSTEM, "systems"},          {KV_CMD_SETTINGS, "settings"},
};

const QString kChoices = QStringLiteral("settings/");
const QString kLastMode = QStringLiteral("window/mode");
const QString kWindowSize = QStringLiteral("window/size");

}  // namespace

const char* ModeName(int command) {
    for (const ModeEntry& mode : kModes) {
        if (mode.command == command) return mode.name;
    }
    return nullptr;
}

int ModeCommand(const QString& name) {
    for (const ModeEntry& mode : kModes) {
        if (name == QLatin1String(mode.name)) return mode.command;
    }
    return 0;
}

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("Kelvora"), QStringLiteral("Kelvora"))) {}

SettingsStore::SettingsStore(const QString& fileName)
    : settings_(std::make_unique<QSettings>(fileName, QSettings::IniFormat)) {}

std::optional<int> SettingsStore::choice(const char* key, int count) const {
    bool ok = false;
    const int index = settings_->value(kChoices + QLatin1String(key)).toInt(&ok);
    if (!ok || index < 0 || index >= count) return std::nullopt;
    return index;
}

void SettingsStore::setChoice(const char* key, int index) { settings_->setValue(kChoices + QLatin1String(key), index); }

int SettingsStore::lastMode() const { return ModeCommand(settings_->value(kLastMode).toString()); }

void SettingsStore::setLastMode(int command) {
    if (const char* name = ModeName(command)) settings_->setValue(kLastMode, QString::fromLatin1(name));
}

QSize SettingsStore::windowSize() const { return settings_->value(kWindowSize).toSize(); }

void SettingsStore::setWindowSize(QSize size) { settings_->setValue(kWindowSize, size); }

void SettingsStore::loadHistory(History& history) const { history.load(*settings_); }

void SettingsStore::saveHistory(const History& history) {
    history.save(*settings_);
    settings_->sync();
}

}  // namespace kelvora
