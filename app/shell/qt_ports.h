// The library's ports implemented on Qt: every control of the main window registered by
// its identifier, message boxes and the Steps window on the desktop, and a QPainter as
// the canvas the number line is drawn on.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QColor>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "platform.h"

class QPainter;

namespace kelvora {

class ControlRegistry;

QString ToQString(const std::wstring& text);
std::wstring ToWide(const QString& text);
// The same rectangle as the library counts it: right and bottom just outside.
KvRect ToKvRect(const QRect& rect);

// One widget seen through the window port. Operations that do not fit the widget's kind
// do nothing; once the widget is gone every operation does nothing.
class QtControl : public KvWindow {
public:
    // `children` is the registry a window's child() looks in; null for plain controls.
    QtControl(QWidget* widget, KvDesktop& desktop, const ControlRegistry* children = nullptr);

    QWidget* widget() const { return widget_; }

    KvWindow* child(int controlId) override;
    std::wstring text(std::size_t maxLength) const override;
    void setText(const std::wstring& text) override;
    bool isVisible() const override;
    void setVisible(bool visible) override;
    KvRect geometry() const override;
    void move(int x, int y) override;
    void resize(int width, int height) override;
    KvRect screenRect() const override;
    std::pair<int, int> selection() const override;
    void setSelection(int start, int end) override;
    void replaceSelection(const std::wstring& replacement) override;
    void clearItems() override;
    void addItem(const std::wstring& item) override;
    int itemCount() const override;
    std::wstring item(int index) const override;
    int currentIndex() const override;
    void setCurrentIndex(int index) override;
    void raiseWithoutActivating() override;
    void invalidate(bool eraseBackground) override;
    KvDesktop& desktop() override { return desktop_; }

private:
    QPointer<QWidget> widget_;
    KvDesktop& desktop_;
    const ControlRegistry* children_;
};

// The controls of the main window by identifier: the library's only way to them.
class ControlRegistry {
public:
    explicit ControlRegistry(KvDesktop& desktop) : desktop_(desktop) {}

    // Registers the widget under the identifier (replacing an earlier one) and returns it.
    template <typename Widget>
    Widget* add(int controlId, Widget* widget) {
        entries_[controlId] = std::make_unique<QtControl>(widget, desktop_);
        return widget;
    }
    // Forgets the identifier and destroys its widget.
    void destroy(int controlId);

    QWidget* widget(int controlId) const;
    template <typename Widget>
    Widget* get(int controlId) const {
        return qobject_cast<Widget*>(widget(controlId));
    }
    // The port of a living control, or null.
    QtControl* port(int controlId) const;

    // Shows or hides every control whose identifier is in [first, last].
    void setRangeVisible(int first, int last, bool visible) const;

private:
    KvDesktop& desktop_;
    std::map<int, std::unique_ptr<QtControl>> entries_;
};

// Message boxes and the Steps window. Closing the main window ends every nested loop.
class QtDesktop : public KvDesktop {
public:
    QtDesktop();
    ~QtDesktop() override;

    // The program's own message boxes go through here too, so they look alike.
    QMessageBox::StandardButton showMessage(QWidget* owner, const QString& text, const QString& caption,
                                            QMessageBox::Icon icon, QMessageBox::StandardButtons buttons);

    // From now on no nested loop starts and the running ones return.
    void quit();

    KvMessageAnswer messageBox(KvWindow* owner, const std::wstring& text, const std::wstring& caption,
                               KvMessageIcon icon, KvMessageButtons buttons) override;
    KvTextWindow createTextWindow(KvWindow* owner, const KvTextWindowSpec& request) override;
    bool windowExists(const KvWindow* window) const override;
    bool bringToFront(KvWindow* window) override;
    void runUntilClosed(KvWindow* window) override;

    // The open text windows' widgets, oldest first.
    std::vector<QWidget*> openTextWindows() const;

private:
    struct TextWindow {
        std::unique_ptr<QtControl> window;
        std::unique_ptr<QtControl> text;
        int waiters = 0;  // nested loops waiting for it to close
    };

    TextWindow* find(const KvWindow* window) const;
    void forgetClosedWindows();

    std::vector<std::unique_ptr<TextWindow>> textWindows_;
    bool quitting_ = false;
};

// The canvas the library draws the number line on.
class QtCanvas : public KvCanvas {
public:
    QtCanvas(QPainter& painter, QColor windowColor) : painter_(painter), windowColor_(windowColor) {}

    KvColor windowColor() const override;
    void fillRect(const KvRect& rect, KvColor color) override;
    void fillHatchedRect(const KvRect& rect, KvColor color) override;
    void drawLine(int x1, int y1, int x2, int y2, const KvPen& pen) override;
    void drawEllipse(const KvRect& box, const KvPen& pen, KvColor brush) override;
    void drawText(int x, int y, const std::wstring& text, const KvFont& font, KvColor color,
                  KvTextAlign align) override;

private:
    QPainter& painter_;
    QColor windowColor_;
};

}  // namespace kelvora
