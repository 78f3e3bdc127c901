#include <algorithm>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "qt_ports.h"

namespace kelvora {

QString ToQString(const std::wstring& text) { return QString::fromStdWString(text); }

std::wstring ToWide(const QString& text) { return text.toStdWString(); }

KvRect ToKvRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

namespace {

// The library counts characters; Qt counts UTF-16 units. They differ only beyond the
// Basic Multilingual Plane (a pasted "𝑥", say).
int CharacterIndex(const QString& text, int utf16Index) {
    return static_cast<int>(text.left(utf16Index).toUcs4().size());
}

int Utf16Index(const QString& text, int characterIndex) {
    int at = 0;
    for (int seen = 0; seen < characterIndex && at < text.size(); ++seen) {
        at += text.at(at).isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
    }
    return at;
}

// Report texts end their lines with "\r\n"; a Qt text shows the "\r" as a glyph.
QString WithoutCarriageReturns(QString text) { return text.remove(QLatin1Char('\r')); }

}  // namespace

QtControl::QtControl(QWidget* widget, KvDesktop& desktop, const ControlRegistry* children)
    : widget_(widget), desktop_(desktop), children_(children) {}

KvWindow* QtControl::child(int controlId) {
    return widget_ && children_ ? children_->port(controlId) : nullptr;
}

std::wstring QtControl::text(std::size_t maxLength) const {
    QString text;
    if (!widget_) return {};
    if (auto* edit = qobject_cast<QLineEdit*>(widget_)) text = edit->text();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget_)) text = plain->toPlainText();
    else if (auto* label = qobject_cast<QLabel*>(widget_)) text = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(widget_)) text = button->text();
    else if (auto* list = qobject_cast<QComboBox*>(widget_)) text = list->currentText();
    else if (widget_->isWindow()) text = widget_->windowTitle();
    return ToWide(text).substr(0, maxLength);
}

void QtControl::setText(const std::wstring& wide) {
    if (!widget_) return;
    const QString text = ToQString(wide);
    if (auto* edit = qobject_cast<QLineEdit*>(widget_)) edit->setText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget_)) plain->setPlainText(WithoutCarriageReturns(text));
    else if (auto* label = qobject_cast<QLabel*>(widget_)) label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget_)) button->setText(text);
    else if (widget_->isWindow()) widget_->setWindowTitle(text);
}

bool QtControl::isVisible() const { return widget_ && widget_->isVisible(); }

void QtControl::setVisible(bool visible) {
    if (widget_) widget_->setVisible(visible);
}

KvRect QtControl::geometry() const {
    if (!widget_) return {};
    return ToKvRect(widget_->isWindow() ? widget_->frameGeometry() : widget_->geometry());
}

void QtControl::move(int x, int y) {
    if (widget_) widget_->move(x, y);
}

void QtControl::resize(int width, int height) {
    if (widget_) widget_->resize(width, height);
}

KvRect QtControl::screenRect() const {
    if (!widget_) return {};
    if (widget_->isWindow()) return ToKvRect(widget_->frameGeometry());
    return ToKvRect(QRect(widget_->mapToGlobal(QPoint(0, 0)), widget_->size()));
}

std::pair<int, int> QtControl::selection() const {
    auto* edit = qobject_cast<QLineEdit*>(widget_);
    if (!edit) return {0, 0};
    const QString text = edit->text();
    if (!edit->hasSelectedText()) {
        const int caret = CharacterIndex(text, edit->cursorPosition());
        return {caret, caret};
    }
    return {CharacterIndex(text, edit->selectionStart()), CharacterIndex(text, edit->selectionEnd())};
}

void QtControl::setSelection(int start, int end) {
    auto* edit = qobject_cast<QLineEdit*>(widget_);
    if (!edit) return;
    const QString text = edit->text();
    const int from = Utf16Index(text, std::max(0, std::min(start, end)));
    const int to = Utf16Index(text, std::max(0, std::max(start, end)));
    if (from == to) edit->setCursorPosition(from);
    else edit->setSelection(from, to - from);
}

void QtControl::replaceSelection(const std::wstring& replacement) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget_)) edit->insert(ToQString(replacement));
}

void QtControl::clearItems() {
    if (auto* list = qobject_cast<QComboBox*>(widget_)) list->clear();
}

void QtControl::addItem(const std::wstring& item) {
    if (auto* list = qobject_cast<QComboBox*>(widget_)) list->addItem(ToQString(item));
}

int QtControl::itemCount() const {
    auto* list = qobject_cast<QComboBox*>(widget_);
    return list ? list->count() : 0;
}

std::wstring QtControl::item(int index) const {
    auto* list = qobject_cast<QComboBox*>(widget_);
    return list ? ToWide(list->itemText(index)) : std::wstring();
}

int QtControl::currentIndex() const {
    auto* list = qobject_cast<QComboBox*>(widget_);
    return list ? list->currentIndex() : -1;
}

void QtControl::setCurrentIndex(int index) {
    auto* list = qobject_cast<QComboBox*>(widget_);
    if (list) list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

void QtControl::raiseWithoutActivating() {
    if (widget_) widget_->raise();
}

void QtControl::invalidate(bool /*eraseBackground: Qt always paints the background*/) {
    if (widget_) widget_->update();
}

// ---------------------------------------------------------------------------------------

void ControlRegistry::destroy(int controlId) {
    const auto found = entries_.find(controlId);
    if (found == entries_.end()) return;
    QWidget* widget = found->second->widget();
    entries_.erase(found);
    delete widget;
}

QWidget* ControlRegistry::widget(int controlId) const {
    const QtControl* control = port(controlId);
    return control ? control->widget() : nullptr;
}

QtControl* ControlRegistry::port(int controlId) const {
    const auto found = entries_.find(controlId);
    if (found == entries_.end() || !found->second->widget()) return nullptr;
    return found->second.get();
}

void ControlRegistry::setRangeVisible(int first, int last, bool visible) const {
    for (auto it = entries_.lower_bound(first); it != entries_.end() && it->first <= last; ++it) {
        if (QWidget* widget = it->second->widget()) widget->setVisible(visible);
    }
}

}  // namespace kelvora
