// The keyboard of the main window. In Standard and Scientific mode every key the
// shortcut table knows presses its keypad key, whatever widget has the focus, and the
// editing keys act on the display through the engine (which keeps the entry's state).
// In the panels Enter runs the panel and Escape clears it. Every input field refuses a
// paste longer than it holds, with a message, instead of cutting it.
#pragma once

#include <memory>

#include <QObject>
#include <QStringList>

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace kelvora {

class Controls;
class MainWindow;
class QtDesktop;
struct PanelKeys;

// Undo, redo and the clipboard on the display. Each edit goes to the engine as a paste
// of the new text over the selection, so that "=" and the next digit see it as typed.
class DisplayEditor {
public:
    DisplayEditor(MainWindow& window, QtDesktop& desktop, QLineEdit& display, QLineEdit& pasteField);

    void paste(const QString& text);
    // The selection, or with none the whole display (the shown result).
    void copy() const;
    void cut();
    void undo();
    void redo();

private:
    void restore(QStringList& from, QStringList& to);
    void remember(const QString& shown);

    MainWindow& window_;
    QtDesktop& desktop_;
    QLineEdit& display_;
    QLineEdit& pasteField_;
    QStringList undo_;
    QStringList redo_;
    QString shown_;
    bool restoring_ = false;
};

class KeyboardRouter : public QObject {
public:
    // Creates the display's paste field, limits every input field, orders the focus
    // along the layout and starts watching the window's keys.
    KeyboardRouter(MainWindow& window, const Controls& controls, QtDesktop& desktop);

    bool eventFilter(QObject* watched, QEvent* event) override;

    DisplayEditor& displayEditor() { return *editor_; }

private:
    bool keypadKey(const QKeyEvent& key);
    bool editDisplay(const QKeyEvent& key);
    void pressKeypadKey(int code);
    bool panelKey(const PanelKeys& panel, QWidget* receiver, const QKeyEvent& key);
    const PanelKeys* activePanel() const;
    QWidget* control(int id) const;

    MainWindow& window_;
    QLineEdit* display_;
    std::unique_ptr<DisplayEditor> editor_;
};

// The field refuses any edit that would make it longer than `limit` characters and says
// so in a message box over `owner`.
void LimitLength(QLineEdit& field, int limit, QtDesktop& desktop, QWidget& owner);

// The keys help page: the shortcut table in a message box over the window.
void ShowKeysHelp(QtDesktop& desktop, QWidget& owner);

}  // namespace kelvora
