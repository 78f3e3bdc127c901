// The ports implemented in memory: a tree of controls with text, visibility, geometry,
// selection and list items; a desktop that records message boxes and text windows; a
// canvas that records its drawing calls and writes them out as SVG. kelvora-cli and
// every engine test run the library on it, without a display.
#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform.h"

namespace headless {

class Desktop;

class Window : public KvWindow {
public:
    // A control; `desktop` must outlive it.
    Window(Desktop& desktop, int controlId, Window* parent = nullptr);
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Creates a child control owned by this window and returns it.
    Window& addChild(int controlId, KvRect geometry = {0, 0, 0, 0}, bool visible = true);

    int controlId() const { return controlId_; }
    Window* parent() const { return parent_; }
    bool raised() const { return raised_; }
    int invalidations() const { return invalidations_; }
    bool lastInvalidateErased() const { return lastInvalidateErased_; }
    const std::vector<std::wstring>& undoHistory() const { return undoHistory_; }

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
    KvDesktop& desktop() override;

    // The full text, uncut.
    const std::wstring& fullText() const { return text_; }
    // A control's own visibility flag, regardless of its parents.
    bool visibleFlag() const { return visible_; }

private:
    Desktop& desktop_;
    int controlId_;
    Window* parent_;
    std::vector<std::unique_ptr<Window>> children_;
    std::wstring text_;
    bool visible_ = true;
    KvRect geometry_{0, 0, 0, 0};
    int selectionStart_ = 0;
    int selectionEnd_ = 0;
    std::vector<std::wstring> items_;
    int currentIndex_ = -1;
    bool raised_ = false;
    int invalidations_ = 0;
    bool lastInvalidateErased_ = false;
    std::vector<std::wstring> undoHistory_;  // texts before each replaceSelection
};

struct RecordedMessageBox {
    KvWindow* owner;
    std::wstring text;
    std::wstring caption;
    KvMessageIcon icon;
    KvMessageButtons buttons;
};

class Desktop : public KvDesktop {
public:
    Desktop();
    ~Desktop() override;

    // Default position of new top-level windows.
    static constexpr int kDefaultX = 0;
    static constexpr int kDefaultY = 0;

    // The answer every message box gives.
    void setMessageAnswer(KvMessageAnswer answer) { answer_ = answer; }
    // Make the next text-window creations fail.
    void setFailTextWindows(bool fail) { failTextWindows_ = fail; }
    // Called by runUntilClosed while the window is "open"; lets a test act as the user
    // (press keys, close the window). Without it the window is closed at once.
    void setEventLoopHook(std::function<void(Window& textWindow)> hook);

    // Closes (destroys) a text window created here.
    void closeWindow(KvWindow* window);

    const std::vector<RecordedMessageBox>& messageBoxes() const { return messageBoxes_; }
    int textWindowsCreated() const { return textWindowsCreated_; }
    int broughtToFront() const { return broughtToFront_; }
    // The open text windows, oldest first.
    std::vector<Window*> openTextWindows() const;
    const KvTextWindowSpec* lastTextWindowSpec() const;
    KvWindow* lastTextWindowOwner() const { return lastOwner_; }

    KvMessageAnswer messageBox(KvWindow* owner, const std::wstring& text, const std::wstring& caption,
                               KvMessageIcon icon, KvMessageButtons buttons) override;
    KvTextWindow createTextWindow(KvWindow* owner, const KvTextWindowSpec& request) override;
    bool windowExists(const KvWindow* window) const override;
    bool bringToFront(KvWindow* window) override;
    void runUntilClosed(KvWindow* window) override;

private:
    // The number a text window was opened as tells it apart from a later window that
    // happens to reuse its address.
    struct OpenTextWindow {
        std::unique_ptr<Window> window;
        int serial;
    };
    using TextWindows = std::vector<OpenTextWindow>;

    TextWindows::const_iterator findTextWindow(const KvWindow* window) const;

    KvMessageAnswer answer_ = KvMessageAnswer::Ok;
    bool failTextWindows_ = false;
    std::function<void(Window&)> eventLoopHook_;
    std::vector<RecordedMessageBox> messageBoxes_;
    TextWindows textWindows_;  // oldest first
    std::vector<KvTextWindowSpec> specs_;
    KvWindow* lastOwner_ = nullptr;
    int textWindowsCreated_ = 0;
    int broughtToFront_ = 0;
};

// One recorded drawing call.
struct DrawCall {
    enum class Kind { FillRect, FillHatchedRect, Line, Ellipse, Text } kind;
    KvRect rect{0, 0, 0, 0};  // fills and ellipses; for lines {x1, y1, x2, y2}; for text {x, y, x, y}
    KvColor color{0, 0, 0};   // fill, brush or text colour
    KvPen pen{{0, 0, 0}, 0};  // lines and ellipses
    KvFont font{L"", 0, 0};   // text
    std::wstring text{};      // text
};

class RecordingCanvas : public KvCanvas {
public:
    explicit RecordingCanvas(KvColor windowColor = {255, 255, 255}) : windowColor_(windowColor) {}

    const std::vector<DrawCall>& calls() const { return calls_; }

    // The drawing as an SVG document (UTF-8) of the given size.
    std::string toSvg(int width, int height) const;

    KvColor windowColor() const override { return windowColor_; }
    void fillRect(const KvRect& rect, KvColor color) override;
    void fillHatchedRect(const KvRect& rect, KvColor color) override;
    void drawLine(int x1, int y1, int x2, int y2, const KvPen& pen) override;
    void drawEllipse(const KvRect& box, const KvPen& pen, KvColor brush) override;
    void drawText(int x, int y, const std::wstring& text, const KvFont& font, KvColor color,
                  KvTextAlign align) override;

private:
    KvColor windowColor_;
    std::vector<DrawCall> calls_;
};

// Wide text to UTF-8 and back.
std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

}  // namespace headless
