#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "fonts.h"
#include "qt_ports.h"
#include "screen_fit.h"

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

// The window the library names, or else the program's active (or first visible) window:
// a box without an owner would open in the middle of the screen, away from the program.
QWidget* OwnerOrProgramWindow(QWidget* owner) {
    if (owner) return owner;
    if (QWidget* active = QApplication::activeWindow()) return active;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowType() == Qt::Window) return window;
    }
    return nullptr;
}

// Wide enough that the desktop never shortens the caption in the title bar to an ellipsis:
// it is set in a bolder and larger font than the text and shares the bar with buttons.
int CaptionWidth(const QMessageBox& box, const QString& caption) {
    constexpr int kTitleBarButtons = 160;
    QFont title = box.font();
    title.setBold(true);
    return QFontMetrics(title).horizontalAdvance(caption) * 3 / 2 + kTitleBarButtons;
}

void KeepCaptionWhole(QMessageBox& box, const QString& caption) {
    auto* layout = qobject_cast<QGridLayout*>(box.layout());
    if (!layout) return;
    auto* strut = new QSpacerItem(CaptionWidth(box, caption), 0, QSizePolicy::Minimum, QSizePolicy::Fixed);
    layout->addItem(strut, layout->rowCount(), 0, 1, layout->columnCount());
}

// The Steps window's port: wherever the library moves it, it stays on the screen.
class TextWindowControl : public QtControl {
public:
    using QtControl::QtControl;

    void move(int x, int y) override {
        QWidget* window = widget();
        if (!window) return;
        const QPoint inside =
            MoveInside(QRect(QPoint(x, y), window->frameGeometry().size()), AvailableArea(*window)).topLeft();
        QtControl::move(inside.x(), inside.y());
    }
};

// A top-level window holding one read-only text that fills it, no larger than the screen.
QWidget* NewTextWindow(QWidget* owner, const KvTextWindowSpec& request, QPlainTextEdit*& text) {
    auto* window = new QWidget(owner, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    const QRect area = AvailableArea(owner ? *owner : *window);
    QSize size(request.width, request.height);
    if (!area.isEmpty()) size = size.boundedTo(area.size() - FrameAllowance(*window));
    window->resize(size);
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
    QMessageBox box(icon, caption, text, buttons, OwnerOrProgramWindow(owner));
    KeepCaptionWhole(box, caption);
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
    open->window = std::make_unique<TextWindowControl>(window, *this);
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
