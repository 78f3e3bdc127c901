// The ports through which the engine reaches the program's windows and drawing.
//
// The engine finds the program's controls by their fixed identifiers and reads and
// writes them itself, but never includes a toolkit header: everything it needs from
// the platform goes through the three interfaces below. The program implements them
// on Qt; kelvora-cli and the tests implement them in memory.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "abacor.h"

struct KvDesktop;

struct KvColor {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    bool operator==(const KvColor&) const = default;
};

struct KvPen {
    KvColor color;
    int width;
    bool operator==(const KvPen&) const = default;
};

struct KvFont {
    std::wstring family;
    int pixelHeight;
    int weight;  // 400 normal, 700 bold
    bool operator==(const KvFont&) const = default;
};

enum class KvMessageIcon { Warning, Information, Question };
enum class KvMessageButtons { Ok, YesNo };
enum class KvMessageAnswer { Ok, Yes, No };

// What the Steps window is made of: a top-level window owned by another window, holding
// one read-only, scrollable, multi-line text in a monospace font that fills it.
struct KvTextWindowSpec {
    std::wstring title;
    int width;
    int height;
    KvFont font;
    std::wstring text;
};

struct KvTextWindow {
    KvWindow* window = nullptr;  // the top-level window, null when creation failed
    KvWindow* text = nullptr;    // its text control
};

// A window or control of the program. Every operation that does not apply to the kind
// of control it is called on does nothing (and getters return empty values).
struct KvWindow {
    virtual ~KvWindow() = default;

    // The child with this control identifier, searched through the whole subtree; null
    // when there is none.
    virtual KvWindow* child(int controlId) = 0;

    // The text, cut to at most maxLength characters.
    virtual std::wstring text(std::size_t maxLength) const = 0;
    virtual void setText(const std::wstring& text) = 0;

    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;

    // Geometry in parent coordinates (screen coordinates for a top-level window).
    virtual KvRect geometry() const = 0;
    virtual void move(int x, int y) = 0;
    virtual void resize(int width, int height) = 0;
    virtual KvRect screenRect() const = 0;

    // Edit fields: the selection as [start, end) character positions.
    virtual std::pair<int, int> selection() const = 0;
    virtual void setSelection(int start, int end) = 0;
    virtual void replaceSelection(const std::wstring& replacement) = 0;  // undoable

    // Drop-down lists.
    virtual void clearItems() = 0;
    virtual void addItem(const std::wstring& item) = 0;
    virtual int itemCount() const = 0;
    virtual std::wstring item(int index) const = 0;
    virtual int currentIndex() const = 0;  // -1 when nothing is selected
    virtual void setCurrentIndex(int index) = 0;
    // Top of the sibling order, without moving, resizing or activating it.
    virtual void raiseWithoutActivating() = 0;

    // Ask for a repaint, with or without erasing the background first.
    virtual void invalidate(bool eraseBackground) = 0;

    virtual KvDesktop& desktop() = 0;
};

// Services of the desktop rather than of one window.
struct KvDesktop {
    virtual ~KvDesktop() = default;

    // owner may be null (a message box of no window).
    virtual KvMessageAnswer messageBox(KvWindow* owner, const std::wstring& text,
                                       const std::wstring& caption, KvMessageIcon icon,
                                       KvMessageButtons buttons) = 0;

    // Creates and shows the text window at the desktop's default position.
    virtual KvTextWindow createTextWindow(KvWindow* owner, const KvTextWindowSpec& request) = 0;

    // Whether a window created here is still open. Never dereferences a closed one.
    virtual bool windowExists(const KvWindow* window) const = 0;

    // Returns whether the window was brought to the front.
    virtual bool bringToFront(KvWindow* window) = 0;

    // Runs the program's events until the window is closed (or the program quits).
    virtual void runUntilClosed(KvWindow* window) = 0;
};

enum class KvTextAlign { CenterBottom };

// The surface the number line is drawn on.
struct KvCanvas {
    virtual ~KvCanvas() = default;

    // The desktop's window background colour.
    virtual KvColor windowColor() const = 0;

    virtual void fillRect(const KvRect& rect, KvColor color) = 0;
    // Red-or-any-colour back-diagonal hatch (lines from bottom left to top right) on a
    // transparent background.
    virtual void fillHatchedRect(const KvRect& rect, KvColor color) = 0;
    virtual void drawLine(int x1, int y1, int x2, int y2, const KvPen& pen) = 0;
    virtual void drawEllipse(const KvRect& box, const KvPen& pen, KvColor brush) = 0;
    virtual void drawText(int x, int y, const std::wstring& text, const KvFont& font, KvColor color,
                          KvTextAlign align) = 0;
};
