#include "history.h"

#include <QSettings>

#include "settings_store.h"

namespace kelvora {

namespace {

const QString kGroup = QStringLiteral("history");
const QString kArray = QStringLiteral("calculations");
const QString kMode = QStringLiteral("mode");
const QString kInputs = QStringLiteral("inputs");
const QString kText = QStringLiteral("text");
const QString kResult = QStringLiteral("result");

}  // namespace

void History::add(Calculation calculation) {
    if (!entries_.isEmpty() && entries_.front() == calculation) return;
    entries_.prepend(std::move(calculation));
    if (entries_.size() > kCapacity) entries_.resize(kCapacity);
}

void History::save(QSettings& settings) const {
    settings.remove(kGroup);
    settings.beginGroup(kGroup);
    settings.beginWriteArray(kArray, static_cast<int>(entries_.size()));
    for (int i = 0; i < entries_.size(); ++i) {
        const Calculation& entry = entries_[i];
        settings.setArrayIndex(i);
        settings.setValue(kMode, QString::fromLatin1(ModeName(entry.command)));
        settings.setValue(kInputs, entry.inputs);
        settings.setValue(kText, entry.text);
        settings.setValue(kResult, entry.result);
    }
    settings.endArray();
    settings.endGroup();
}

void History::load(QSettings& settings) {
    entries_.clear();
    settings.beginGroup(kGroup);
    const int count = settings.beginReadArray(kArray);
    for (int i = 0; i < count && entries_.size() < kCapacity; ++i) {
        settings.setArrayIndex(i);
        Calculation entry{ModeCommand(settings.value(kMode).toString()), settings.value(kInputs).toStringList(),
                          settings.value(kText).toString(), settings.value(kResult).toString()};
        if (entry.command != 0 && !entry.text.isEmpty()) entries_.append(std::move(entry));
    }
    settings.endArray();
    settings.endGroup();
}

}  // namespace kelvora
