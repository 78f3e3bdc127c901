// The settings page: nine lists, the About and reset buttons, and the painted headings.
// Calculation settings go to the library; the graph settings live here.
#pragma once

#include <QPalette>

#include "graph_settings.h"

class QPainter;
class QWidget;

namespace kelvora {

class Controls;
class ControlRegistry;
class QtDesktop;
class SettingsStore;

// The order of the theme list's items.
enum class Theme { Light, Dark, System };

// The dark theme's palette, for every window of the program.
QPalette DarkPalette();
// Light text on a dark window, whichever theme made it.
bool IsDarkPalette(const QPalette& palette);

class SettingsPage {
public:
    SettingsPage(QtDesktop& desktop, QWidget& owner) : desktop_(desktop), owner_(owner) {}

    void create(const Controls& controls);
    // Takes the lists' selection changes and the reset button; false for other commands.
    bool consume(int controlId, int code);
    void paint(QPainter& painter) const;
    // Restores the kept choices without their messages and keeps every choice from now on.
    void keepIn(SettingsStore& store);

    const GraphSettings& graph() const { return graph_; }

private:
    void select(int controlId, int index);
    void apply(int controlId, int index);
    void keep(int controlId) const;
    void applyTheme(Theme theme) const;
    void reset();
    void setSelection(int controlId, int index) const;
    void inform(const char* text, const char* caption) const;

    QtDesktop& desktop_;
    QWidget& owner_;
    const ControlRegistry* registry_ = nullptr;
    GraphSettings graph_;
    SettingsStore* store_ = nullptr;
    QPalette systemPalette_;
};

}  // namespace kelvora
