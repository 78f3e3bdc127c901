// The settings page: nine lists, the About and reset buttons, and the painted headings.
// Calculation settings go to the library; the graph settings live here.
#pragma once

#include "graph_settings.h"

class QPainter;
class QWidget;

namespace kelvora {

class Controls;
class ControlRegistry;
class QtDesktop;

class SettingsPage {
public:
    SettingsPage(QtDesktop& desktop, QWidget& owner) : desktop_(desktop), owner_(owner) {}

    void create(const Controls& controls);
    // Takes the lists' selection changes and the reset button; false for other commands.
    bool consume(int controlId, int code);
    void paint(QPainter& painter) const;

    const GraphSettings& graph() const { return graph_; }

private:
    void select(int controlId, int index);
    void reset();
    void setSelection(int controlId, int index) const;
    void inform(const char* text, const char* caption) const;

    QtDesktop& desktop_;
    QWidget& owner_;
    const ControlRegistry* registry_ = nullptr;
    GraphSettings graph_;
};

}  // namespace kelvora
