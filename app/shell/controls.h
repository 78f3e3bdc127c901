// Creates the main window's controls: each one with its identifier, place and kind,
// registered for the library, and wired to the window's single command entry.
#pragma once

#include <functional>

#include <QRect>
#include <QStringList>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kelvora {

class ControlRegistry;

// The main window's command entry: identifier and notification code (0 a click or menu
// command, 1 a list's selection change).
using CommandSink = std::function<void(int controlId, int code)>;

inline constexpr int kClicked = 0;
inline constexpr int kSelectionChanged = 1;

class Controls {
public:
    Controls(QWidget& parent, ControlRegistry& registry, CommandSink command);

    ControlRegistry& registry() const { return registry_; }
    QWidget& parent() const { return parent_; }

    // Every control starts hidden unless `visible` says otherwise.
    QPushButton* button(int id, const QString& text, QRect rect, bool visible = false) const;
    // A static text in the bold default font.
    QLabel* label(int id, const QString& text, QRect rect) const;
    QLineEdit* inputField(int id, QRect rect) const;
    // Read-only, centred.
    QLineEdit* resultField(int id, QRect rect) const;
    // A drop-down list as tall as its font needs; the first item is selected.
    QComboBox* dropDownList(int id, const QStringList& items, int x, int y, int width, bool visible = false) const;
    // The single-line formula input with its key filter.
    QLineEdit* formulaEdit(int id, int x, int y, int width, bool (*accepts)(char32_t) = nullptr) const;
    QFrame* etchedLine(int id, QRect rect) const;

private:
    template <typename Widget>
    Widget* place(int id, Widget* widget, QRect rect, bool visible) const;

    QWidget& parent_;
    ControlRegistry& registry_;
    CommandSink command_;
};

}  // namespace kelvora
