#include <QCoreApplication>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "fonts.h"
#include "qt_ports.h"

namespace kelvora {

namespace {

QWidget* WidgetOf(KvWindow* window) {
    auto* control = dynamic_cast<QtControl*>(window);
    return control ? control->widget() : nullptr;
}

QMessageBox::Icon ToQtIcon(KvMessageIcon icon) {
    switch (icon) {
        case KvMessageIcon::Warning: return QMessageBox::Warning;
        case KvMessageIcon::Information: return QMessageBox::Information;
        case KvMessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// A top-level window holding one read-only text that fills it.
QWidget* NewTextWindow(QWidget* owner, const KvTextWindowSpec& request, QPlainTextEdit*& text) {
    auto* window = new QWidget(owner, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->resize(request.width, request.height);
    text = new QPlainTextEdit(window);
    text->setReadOnly(true);
    text->setFont(FontFor(request.font));
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text);
    return window;
}

}  // namespace

QtDesktop::QtDesktop() = default;

QtDesktop::~QtDesktop() {
    // Windows without an owner are nobody else's to delete.
    for (const auto& open : textWindows_) {
        QWidget* widget = open->window->widget();
        if (widget && !widget->parentWidget()) delete widget;
    }
}

QMessageBox::StandardButton QtDesktop::showMessage(QWidget* owner, const QString& text, const QString& caption,
                                                   QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) {
    if (quitting_) return buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
    QMessageBox box(icon, caption, text, buttons, owner);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void QtDesktop::quit() {
    quitting_ = true;
    for (QWidget* window : openTextWindows()) window->close();
}

KvMessageAnswer QtDesktop::messageBox(KvWindow* owner, const std::wstring& text, const std::wstring& caption,
                                      KvMessageIcon icon, KvMessageButtons buttons) {
    const bool yesNo = buttons == KvMessageButtons::YesNo;
    const auto answer = showMessage(WidgetOf(owner), ToQString(text), ToQString(caption), ToQtIcon(icon),
                                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    if (!yesNo) return KvMessageAnswer::Ok;
    return answer == QMessageBox::Yes ? KvMessageAnswer::Yes : KvMessageAnswer::No;
}

KvTextWindow QtDesktop::createTextWindow(KvWindow* owner, const KvTextWindowSpec& request) {
    if (quitting_) return {};
    forgetClosedWindows();
    QPlainTextEdit* text = nullptr;
    QWidget* window = NewTextWindow(WidgetOf(owner), request, text);
    auto& open = textWindows_.emplace_back(std::make_unique<TextWindow>());
    open->window = std::make_unique<QtControl>(window, *this);
    open->text = std::make_unique<QtControl>(text, *this);
    open->window->setText(request.title);
    open->text->setText(request.text);
    window->show();
    return {open->window.get(), open->text.get()};
}

bool QtDesktop::windowExists(const KvWindow* window) const {
    const TextWindow* open = find(window);
    return open && open->window->widget();
}

bool QtDesktop::bringToFront(KvWindow* window) {
    if (!windowExists(window)) return false;
    QWidget* widget = find(window)->window->widget();
    widget->show();
    widget->raise();
    widget->activateWindow();
    return true;
}

void QtDesktop::runUntilClosed(KvWindow* window) {
    TextWindow* open = find(window);
    if (!open || !open->window->widget() || quitting_) return;
    QEventLoop loop;
    QObject::connect(open->window->widget(), &QObject::destroyed, &loop, &QEventLoop::quit);
    // Leaving the program (QCoreApplication::exit) ends this loop as well.
    ++open->waiters;
    loop.exec();
    --open->waiters;
    forgetClosedWindows();
}

std::vector<QWidget*> QtDesktop::openTextWindows() const {
    std::vector<QWidget*> windows;
    for (const auto& open : textWindows_) {
        if (QWidget* widget = open->window->widget()) windows.push_back(widget);
    }
    return windows;
}

QtDesktop::TextWindow* QtDesktop::find(const KvWindow* window) const {
    for (const auto& open : textWindows_) {
        if (open->window.get() == window) return open.get();
    }
    return nullptr;
}

// A closed window's ports stay while a loop still waits on it, so that the library's
// handle never names a newer window at a reused address.
void QtDesktop::forgetClosedWindows() {
    std::erase_if(textWindows_, [](const auto& open) { return open->waiters == 0 && !open->window->widget(); });
}

}  // namespace kelvora
