#include "keyboard.h"

#include <iterator>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QValidator>

#include "abacor.h"
#include "control_ids.h"
#include "controls.h"
#include "graph_formula.h"
#include "keypads.h"
#include "main_window.h"
#include "modes.h"
#include "shortcuts.h"
#include "system_panel.h"
#include "ui_texts.h"

namespace kelvora {

namespace {

constexpr int kUndoDepth = 100;

// As much of each field as the engine reads: a longer text would be cut unseen.
struct FieldLimit {
    int id;
    int limit;
};

constexpr int kDisplayLimit = 255;
constexpr int kEquationLimit = 1023;
constexpr int kInequalityLimit = 1024;
constexpr FieldLimit kFieldLimits[] = {
    {KV_FRACTION_LINE, 255},
    {KV_EQ_INPUT, kEquationLimit},
    {KV_INEQ_INPUT, kInequalityLimit},
    {KV_GRAPH_INPUT, static_cast<int>(graph::kMaxFormulaTextLength)},
    {KV_QUADRATIC_A, 255},
    {KV_QUADRATIC_B, 255},
    {KV_QUADRATIC_C, 255},
};

void ShowTooLong(QtDesktop& desktop, QWidget& owner, int limit) {
    desktop.showMessage(&owner, QString::fromUtf8(ui::kPasteTooLong).arg(limit), QString::fromUtf8(ui::kErrorCaption),
                        QMessageBox::Warning, QMessageBox::Ok);
}

class LengthValidator : public QValidator {
public:
    LengthValidator(int limit, QtDesktop& desktop, QWidget& owner, QObject* parent)
        : QValidator(parent), limit_(limit), desktop_(desktop), owner_(&owner) {}

    State validate(QString& input, int& /*position*/) const override {
        if (input.size() <= limit_) return Acceptable;
        // The field takes the edit back; the message waits until it has.
        if (!messagePending_) {
            messagePending_ = true;
            QTimer::singleShot(0, this, [this] {
                messagePending_ = false;
                if (owner_) ShowTooLong(desktop_, *owner_, limit_);
            });
        }
        return Invalid;
    }

private:
    int limit_;
    QtDesktop& desktop_;
    QPointer<QWidget> owner_;
    mutable bool messagePending_ = false;
};

bool IsDisplayMode(int appMode) { return appMode == kStandardMode || appMode == kScientificMode; }

// What a keypad key types, or null for keys that do something else.
const wchar_t* TypedBy(int code) {
    const KvKey* key = KvFindKey(kvStandardKeys, std::size(kvStandardKeys), code);
    if (!key) key = KvFindKey(kvScientificKeys, std::size(kvScientificKeys), code);
    return key ? key->typed : nullptr;
}

bool IsBackspace(int code) { return code == KV_STD_BACKSPACE || code == KV_SCI_BACKSPACE; }

bool IsEditableField(const QWidget* widget) {
    const auto* edit = qobject_cast<const QLineEdit*>(widget);
    return edit && !edit->isReadOnly();
}

void OrderFocus(const ControlRegistry& registry) {
    QWidget* previous = nullptr;
    for (int id : FocusOrder()) {
        QWidget* widget = registry.widget(id);
        if (!widget) continue;
        if (previous) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

}  // namespace

void LimitLength(QLineEdit& field, int limit, QtDesktop& desktop, QWidget& owner) {
    field.setValidator(new LengthValidator(limit, desktop, owner, &field));
}

void ShowKeysHelp(QtDesktop& desktop, QWidget& owner) {
    desktop.showMessage(&owner, KeysHelpText(), QString::fromUtf8(ui::kKeysHelpCaption), QMessageBox::Information,
                        QMessageBox::Ok);
}

// ---- DisplayEditor ---------------------------------------------------------------------

DisplayEditor::DisplayEditor(MainWindow& window, QtDesktop& desktop, QLineEdit& display, QLineEdit& pasteField)
    : window_(window), desktop_(desktop), display_(display), pasteField_(pasteField), shown_(display.text()) {
    QObject::connect(&display_, &QLineEdit::textChanged, &window_, [this](const QString& text) { remember(text); });
}

void DisplayEditor::remember(const QString& shown) {
    if (!restoring_) {
        undo_.push_back(shown_);
        if (undo_.size() > kUndoDepth) undo_.removeFirst();
        redo_.clear();
    }
    shown_ = shown;
}

void DisplayEditor::paste(const QString& text) {
    pasteField_.setText(text);
    window_.command(KV_DISPLAY_PASTE, kClicked);
    if (GetLastStatus() == KV_STATUS_REFUSED) ShowTooLong(desktop_, window_, kDisplayLimit);
}

void DisplayEditor::copy() const {
    QGuiApplication::clipboard()->setText(display_.hasSelectedText() ? display_.selectedText() : display_.text());
}

void DisplayEditor::cut() {
    if (!display_.hasSelectedText()) display_.selectAll();
    copy();
    paste(QString());
}

void DisplayEditor::undo() { restore(undo_, redo_); }

void DisplayEditor::redo() { restore(redo_, undo_); }

// The text comes back as a paste over the whole display: the entry goes on from it.
void DisplayEditor::restore(QStringList& from, QStringList& to) {
    if (from.isEmpty()) return;
    const QString text = from.takeLast();
    to.push_back(shown_);
    restoring_ = true;
    display_.selectAll();
    paste(text);
    restoring_ = false;
}

// ---- KeyboardRouter --------------------------------------------------------------------

KeyboardRouter::KeyboardRouter(MainWindow& window, const Controls& controls, QtDesktop& desktop)
    : QObject(&window), window_(window), display_(controls.registry().get<QLineEdit>(KV_DISPLAY)) {
    // The engine owns the display's text: keys and edits reach it only through here.
    display_->setReadOnly(true);
    QLineEdit* pasteField = controls.inputField(KV_DISPLAY_PASTE_TEXT, QRect());
    editor_ = std::make_unique<DisplayEditor>(window, desktop, *display_, *pasteField);
    for (const FieldLimit& field : kFieldLimits) {
        if (auto* edit = controls.registry().get<QLineEdit>(field.id)) LimitLength(*edit, field.limit, desktop, window);
    }
    OrderFocus(controls.registry());
    qApp->installEventFilter(this);
}

QWidget* KeyboardRouter::control(int id) const { return window_.controls().widget(id); }

bool KeyboardRouter::eventFilter(QObject* watched, QEvent* event) {
    const bool keyPress = event->type() == QEvent::KeyPress;
    if (!keyPress && event->type() != QEvent::MouseButtonRelease) return false;
    auto* receiver = qobject_cast<QWidget*>(watched);
    if (!receiver || receiver->window() != &window_) return false;
    const bool displayMode = IsDisplayMode(window_.appMode()) && display_->isVisible();
    // A click on a key gives the focus back to the display, where typing goes on; the
    // mode button's menu takes the focus itself.
    if (!keyPress) {
        const bool key = qobject_cast<QAbstractButton*>(receiver) && receiver != control(KV_MODE_BUTTON);
        if (displayMode && key) display_->setFocus();
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (displayMode) return keypadKey(key);
    if (const PanelKeys* panel = activePanel()) return panelKey(*panel, receiver, key);
    return false;
}

bool KeyboardRouter::keypadKey(const QKeyEvent& key) {
    if (editDisplay(key)) return true;
    const KeyBinding* binding = FindKeypadBinding(key);
    if (!binding) return false;
    pressKeypadKey(ButtonCode(*binding, window_.appMode() == kScientificMode));
    return true;
}

bool KeyboardRouter::editDisplay(const QKeyEvent& key) {
    if (key.matches(QKeySequence::SelectAll)) display_->selectAll();
    else if (key.matches(QKeySequence::Copy)) editor_->copy();
    else if (key.matches(QKeySequence::Cut)) editor_->cut();
    else if (key.matches(QKeySequence::Paste)) editor_->paste(QGuiApplication::clipboard()->text());
    else if (key.matches(QKeySequence::Undo)) editor_->undo();
    else if (key.matches(QKeySequence::Redo)) editor_->redo();
    else return false;
    display_->setFocus();
    return true;
}

// A selection on the display is replaced by what the key types, as in any field.
void KeyboardRouter::pressKeypadKey(int code) {
    const wchar_t* typed = TypedBy(code);
    if (display_->hasSelectedText() && (typed || IsBackspace(code))) {
        editor_->paste(typed ? QString::fromWCharArray(typed) : QString());
    } else {
        window_.command(code, kClicked);
    }
    display_->setFocus();
}

const PanelKeys* KeyboardRouter::activePanel() const {
    for (const PanelKeys& panel : PanelBindings()) {
        const QWidget* field = control(panel.field);
        if (field && field->isVisibleTo(&window_)) return &panel;
    }
    return nullptr;
}

bool KeyboardRouter::panelKey(const PanelKeys& panel, QWidget* receiver, const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        window_.command(panel.run, kClicked);
        return true;
    }
    if (key.key() == Qt::Key_Escape) {
        if (panel.clear) window_.command(panel.clear, kClicked);
        else if (auto* edit = qobject_cast<QLineEdit*>(IsEditableField(receiver) ? receiver : control(panel.field))) {
            edit->clear();
        }
        return true;
    }
    const QString text = key.text();
    if (IsEditableField(receiver) || text.isEmpty() || !text.front().isPrint()) return false;
    // Typing on a key or the window goes into the panel's field.
    QWidget* field = control(panel.field);
    if (!field) return false;
    field->setFocus();
    QKeyEvent copy(key.type(), key.key(), key.modifiers(), text, key.isAutoRepeat(), key.count());
    QCoreApplication::sendEvent(field, &copy);
    return true;
}

}  // namespace kelvora
