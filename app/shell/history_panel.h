// The history window beside the main window: the calculations of every mode, newest
// first. A click takes one back into its mode's input, the context menu copies it,
// its button empties the list. It records what the main window's commands calculate.
#pragma once

#include <optional>

#include "controls.h"
#include "history.h"
#include "history_capture.h"

class QAction;
class QDialog;
class QListWidget;
class QMenu;
class QWidget;

namespace kelvora {

class SettingsStore;

class HistoryPanel {
public:
    // `command` is the main window's command entry, through which a calculation taken
    // back switches modes.
    HistoryPanel(QWidget& owner, CalculationSources sources, CommandSink command);

    // While it lives, a command that runs a calculation is recorded once it has run.
    class Recording {
    public:
        Recording(HistoryPanel& panel, int controlId, int code);
        ~Recording();
        Recording(const Recording&) = delete;
        Recording& operator=(const Recording&) = delete;

    private:
        HistoryPanel& panel_;
        int controlId_;
        std::optional<Calculation> started_;
    };

    // Adds the history's item, with its shortcut for the whole program, to the menu.
    void addToggle(QMenu& menu);
    // Loads the saved history; every change is saved from now on.
    void keepIn(SettingsStore& store);

    void record(Calculation calculation);
    // Takes the calculation in this row back into its mode's input.
    void takeBack(int row);
    void clear();

    const History& history() const { return history_; }
    QDialog* window() const { return window_; }
    QListWidget* list() const { return list_; }
    QAction* toggle() const { return toggle_; }
    // The context menu of a row; its actions copy the current row.
    QMenu* rowMenu() const { return rowMenu_; }

private:
    void createWindow();
    void setShown(bool shown);
    void placeBesideOwner();
    void refresh();
    void save();
    void copyCurrent(bool resultOnly) const;

    QWidget& owner_;
    CalculationSources sources_;
    CommandSink command_;
    History history_;
    SettingsStore* store_ = nullptr;
    QDialog* window_ = nullptr;
    QListWidget* list_ = nullptr;
    QMenu* rowMenu_ = nullptr;
    QAction* toggle_ = nullptr;
    bool placed_ = false;
};

}  // namespace kelvora
