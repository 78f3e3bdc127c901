// The calculations the user ran in every mode, newest first and at most kCapacity of
// them, saved with the settings. No widget here: the panel shows it, the tests drive it.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QSettings;

namespace kelvora {

struct Calculation {
    int command = 0;     // the mode command whose input takes the calculation back
    QStringList inputs;  // what that mode's input fields held, in their order
    QString text;        // the inputs as one line
    QString result;

    bool operator==(const Calculation&) const = default;
};

class History {
public:
    static constexpr int kCapacity = 100;

    // Puts the calculation on top and drops the oldest beyond the capacity; the same
    // calculation run twice in a row is kept once.
    void add(Calculation calculation);
    void clear() { entries_.clear(); }
    const QList<Calculation>& entries() const { return entries_; }

    void save(QSettings& settings) const;
    // Replaces the entries by the saved ones; entries of an unknown mode or without text
    // are skipped, so a damaged file costs only those.
    void load(QSettings& settings);

private:
    QList<Calculation> entries_;
};

}  // namespace kelvora
