#include "headless_platform.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string_view>

namespace headless {

// ---------------------------------------------------------------------------------------
// Window

Window::Window(Desktop& desktop, int controlId, Window* parent)
    : desktop_(desktop), controlId_(controlId), parent_(parent) {}

Window::~Window() = default;

Window& Window::addChild(int controlId, KvRect geometry, bool visible) {
    auto& child = children_.emplace_back(std::make_unique<Window>(desktop_, controlId, this));
    child->geometry_ = geometry;
    child->visible_ = visible;
    return *child;
}

KvWindow* Window::child(int controlId) {
    for (const auto& child : children_) {
        if (child->controlId_ == controlId) return child.get();
        if (KvWindow* found = child->child(controlId)) return found;
    }
    return nullptr;
}

std::wstring Window::text(std::size_t maxLength) const { return text_.substr(0, maxLength); }

void Window::setText(const std::wstring& text) {
    text_ = text;
    selectionStart_ = selectionEnd_ = 0;
}

bool Window::isVisible() const { return visible_ && (parent_ == nullptr || parent_->isVisible()); }

void Window::setVisible(bool visible) { visible_ = visible; }

KvRect Window::geometry() const { return geometry_; }

void Window::move(int x, int y) {
    geometry_ = {x, y, x + geometry_.right - geometry_.left, y + geometry_.bottom - geometry_.top};
}

void Window::resize(int width, int height) {
    geometry_.right = geometry_.left + width;
    geometry_.bottom = geometry_.top + height;
}

KvRect Window::screenRect() const {
    KvRect rect = geometry_;
    for (const Window* ancestor = parent_; ancestor != nullptr; ancestor = ancestor->parent_) {
        rect.left += ancestor->geometry_.left;
        rect.right += ancestor->geometry_.left;
        rect.top += ancestor->geometry_.top;
        rect.bottom += ancestor->geometry_.top;
    }
    return rect;
}

std::pair<int, int> Window::selection() const { return {selectionStart_, selectionEnd_}; }

void Window::setSelection(int start, int end) {
    const int length = static_cast<int>(text_.size());
    start = std::clamp(start, 0, length);
    end = std::clamp(end, 0, length);
    selectionStart_ = std::min(start, end);
    selectionEnd_ = std::max(start, end);
}

void Window::replaceSelection(const std::wstring& replacement) {
    undoHistory_.push_back(text_);
    text_.replace(selectionStart_, selectionEnd_ - selectionStart_, replacement);
    selectionStart_ = selectionEnd_ = selectionStart_ + static_cast<int>(replacement.size());
}

void Window::clearItems() {
    items_.clear();
    currentIndex_ = -1;
}

void Window::addItem(const std::wstring& item) { items_.push_back(item); }

int Window::itemCount() const { return static_cast<int>(items_.size()); }

std::wstring Window::item(int index) const {
    return index >= 0 && index < itemCount() ? items_[index] : std::wstring();
}

int Window::currentIndex() const { return currentIndex_; }

void Window::setCurrentIndex(int index) { currentIndex_ = index >= 0 && index < itemCount() ? index : -1; }

void Window::raiseWithoutActivating() { raised_ = true; }

void Window::invalidate(bool eraseBackground) {
    ++invalidations_;
    lastInvalidateErased_ = eraseBackground;
}

KvDesktop& Window::desktop() { return desktop_; }

// ---------------------------------------------------------------------------------------
// Desktop

Desktop::Desktop() = default;
Desktop::~Desktop() = default;

void Desktop::setEventLoopHook(std::function<void(Window& textWindow)> hook) {
    eventLoopHook_ = std::move(hook);
}

// Compares addresses only: `window` may point to a window that no longer exists.
Desktop::TextWindows::const_iterator Desktop::findTextWindow(const KvWindow* window) const {
    return std::find_if(textWindows_.begin(), textWindows_.end(), [window](const auto& open) {
        return static_cast<const KvWindow*>(open.window.get()) == window;
    });
}

void Desktop::closeWindow(KvWindow* window) {
    if (auto open = findTextWindow(window); open != textWindows_.end()) textWindows_.erase(open);
}

std::vector<Window*> Desktop::openTextWindows() const {
    std::vector<Window*> windows;
    for (const auto& open : textWindows_) windows.push_back(open.window.get());
    return windows;
}

const KvTextWindowSpec* Desktop::lastTextWindowSpec() const {
    return specs_.empty() ? nullptr : &specs_.back();
}

KvMessageAnswer Desktop::messageBox(KvWindow* owner, const std::wstring& text, const std::wstring& caption,
                                    KvMessageIcon icon, KvMessageButtons buttons) {
    messageBoxes_.push_back({owner, text, caption, icon, buttons});
    return answer_;
}

KvTextWindow Desktop::createTextWindow(KvWindow* owner, const KvTextWindowSpec& request) {
    if (failTextWindows_) return {};
    auto window = std::make_unique<Window>(*this, 0);
    window->move(kDefaultX, kDefaultY);
    window->resize(request.width, request.height);
    window->setText(request.title);
    Window& text = window->addChild(1, {0, 0, request.width, request.height});
    text.setText(request.text);

    specs_.push_back(request);
    lastOwner_ = owner;
    KvTextWindow created{window.get(), &text};
    textWindows_.push_back({std::move(window), ++textWindowsCreated_});
    return created;
}

bool Desktop::windowExists(const KvWindow* window) const {
    return findTextWindow(window) != textWindows_.end();
}

bool Desktop::bringToFront(KvWindow* window) {
    if (!windowExists(window)) return false;
    ++broughtToFront_;
    return true;
}

void Desktop::runUntilClosed(KvWindow* window) {
    const auto open = findTextWindow(window);
    if (open == textWindows_.end()) return;
    Window& textWindow = *open->window;
    const int serial = open->serial;

    // A copy, because the hook may replace itself while it runs.
    if (const auto hook = eventLoopHook_) hook(textWindow);

    // The hook may have closed the window and opened another at the same address.
    if (const auto stillOpen = findTextWindow(window);
        stillOpen != textWindows_.end() && stillOpen->serial == serial) {
        textWindows_.erase(stillOpen);
    }
}

// ---------------------------------------------------------------------------------------
// Canvas

void RecordingCanvas::fillRect(const KvRect& rect, KvColor color) {
    calls_.push_back({.kind = DrawCall::Kind::FillRect, .rect = rect, .color = color});
}

void RecordingCanvas::fillHatchedRect(const KvRect& rect, KvColor color) {
    calls_.push_back({.kind = DrawCall::Kind::FillHatchedRect, .rect = rect, .color = color});
}

void RecordingCanvas::drawLine(int x1, int y1, int x2, int y2, const KvPen& pen) {
    calls_.push_back({.kind = DrawCall::Kind::Line, .rect = {x1, y1, x2, y2}, .pen = pen});
}

void RecordingCanvas::drawEllipse(const KvRect& box, const KvPen& pen, KvColor brush) {
    calls_.push_back({.kind = DrawCall::Kind::Ellipse, .rect = box, .color = brush, .pen = pen});
}

void RecordingCanvas::drawText(int x, int y, const std::wstring& text, const KvFont& font, KvColor color,
                               KvTextAlign /*align: centre-bottom is the only one*/) {
    calls_.push_back(
        {.kind = DrawCall::Kind::Text, .rect = {x, y, x, y}, .color = color, .font = font, .text = text});
}

namespace {

// A pixel (x, y) covers [x, x+1) x [y, y+1); strokes run through pixel centres so that
// one-pixel lines stay sharp.
constexpr double kPixelCentre = 0.5;

// Written without streams so that the program's locale cannot change the numbers.
std::string number(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string attribute(std::string_view name, std::string_view value) {
    return std::string(" ").append(name).append("=\"").append(value).append("\"");
}

std::string attribute(std::string_view name, double value) { return attribute(name, number(value)); }

std::string hexColor(KvColor color) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex = "#";
    for (const std::uint8_t channel : {color.red, color.green, color.blue}) {
        hex += kDigits[channel >> 4];
        hex += kDigits[channel & 0xF];
    }
    return hex;
}

bool isXmlChar(wchar_t c) {
    return c == L'\t' || c == L'\n' || c == L'\r' || (c >= 0x20 && c != 0xFFFE && c != 0xFFFF);
}

std::string escapeXml(const std::wstring& text) {
    std::wstring escaped;
    for (const wchar_t c : text) {
        switch (c) {
            case L'&': escaped += L"&amp;"; break;
            case L'<': escaped += L"&lt;"; break;
            case L'>': escaped += L"&gt;"; break;
            case L'"': escaped += L"&quot;"; break;
            case L'\'': escaped += L"&apos;"; break;
            default: escaped += isXmlChar(c) ? c : L'\uFFFD';
        }
    }
    return ToUtf8(escaped);  // also replaces what is not a Unicode scalar value
}

// A family name as a quoted CSS string.
std::wstring cssString(const std::wstring& text) {
    std::wstring quoted = L"'";
    for (const wchar_t c : text) {
        if (c == L'\'' || c == L'\\') quoted += L'\\';
        quoted += c;
    }
    return quoted + L"'";
}

std::string hatchPatternId(KvColor color) { return "hatch-" + hexColor(color).substr(1); }

// Lines from bottom left to top right, 8 pixels apart, on a transparent background and
// aligned to the canvas origin rather than to each rectangle. The 8x8 tile holds its own
// diagonal and the ends of its neighbours' diagonals in two corners.
std::string hatchPattern(KvColor color) {
    return "<pattern" + attribute("id", hatchPatternId(color)) +
           R"( patternUnits="userSpaceOnUse" x="0" y="0" width="8" height="8">)" +
           R"(<path d="M-1 1L1-1M0 8L8 0M7 9L9 7")" + attribute("stroke", hexColor(color)) +
           R"( stroke-width="1"/></pattern>)";
}

std::string rectElement(const KvRect& rect, const std::string& fill) {
    const int left = std::min(rect.left, rect.right);
    const int top = std::min(rect.top, rect.bottom);
    return "<rect" + attribute("x", left) + attribute("y", top) +
           attribute("width", std::abs(rect.right - rect.left)) +
           attribute("height", std::abs(rect.bottom - rect.top)) + attribute("fill", fill) + "/>";
}

// A zero width means the thinnest line.
int strokeWidth(const KvPen& pen) { return std::max(1, pen.width); }

std::string strokeAttributes(const KvPen& pen) {
    return attribute("stroke", hexColor(pen.color)) + attribute("stroke-width", strokeWidth(pen));
}

std::string lineElement(const KvRect& ends, const KvPen& pen) {
    // Wide pens have round ends; a thin line ends at its last pixel.
    const char* cap = strokeWidth(pen) > 1 ? "round" : "butt";
    return "<line" + attribute("x1", ends.left + kPixelCentre) + attribute("y1", ends.top + kPixelCentre) +
           attribute("x2", ends.right + kPixelCentre) + attribute("y2", ends.bottom + kPixelCentre) +
           strokeAttributes(pen) + attribute("stroke-linecap", cap) + "/>";
}

// The outline runs through the centres of the box's outermost pixels.
std::string ellipseElement(const KvRect& box, const KvPen& pen, KvColor brush) {
    const auto radius = [](int from, int to) { return std::max(0, std::abs(to - from) - 1) / 2.0; };
    return "<ellipse" + attribute("cx", (box.left + box.right) / 2.0) +
           attribute("cy", (box.top + box.bottom) / 2.0) + attribute("rx", radius(box.left, box.right)) +
           attribute("ry", radius(box.top, box.bottom)) + attribute("fill", hexColor(brush)) +
           strokeAttributes(pen) + "/>";
}

// Centred on x with the bottom of the text on y.
std::string textElement(const DrawCall& call) {
    return "<text" + attribute("x", call.rect.left) + attribute("y", call.rect.top) +
           attribute("font-family", escapeXml(cssString(call.font.family))) +
           attribute("font-size", call.font.pixelHeight) + attribute("font-weight", call.font.weight) +
           attribute("fill", hexColor(call.color)) + attribute("text-anchor", "middle") +
           attribute("dominant-baseline", "text-after-edge") + attribute("xml:space", "preserve") + ">" +
           escapeXml(call.text) + "</text>";
}

std::string svgElement(const DrawCall& call) {
    switch (call.kind) {
        case DrawCall::Kind::FillRect: return rectElement(call.rect, hexColor(call.color));
        case DrawCall::Kind::FillHatchedRect:
            return rectElement(call.rect, "url(#" + hatchPatternId(call.color) + ")");
        case DrawCall::Kind::Line: return lineElement(call.rect, call.pen);
        case DrawCall::Kind::Ellipse: return ellipseElement(call.rect, call.pen, call.color);
        case DrawCall::Kind::Text: return textElement(call);
    }
    return {};
}

// One pattern per hatch colour, in order of first use.
std::string hatchDefinitions(const std::vector<DrawCall>& calls) {
    std::vector<KvColor> colors;
    for (const DrawCall& call : calls) {
        if (call.kind == DrawCall::Kind::FillHatchedRect &&
            std::find(colors.begin(), colors.end(), call.color) == colors.end()) {
            colors.push_back(call.color);
        }
    }
    if (colors.empty()) return {};
    std::string defs = "<defs>\n";
    for (const KvColor color : colors) defs += hatchPattern(color) + "\n";
    return defs + "</defs>\n";
}

}  // namespace

std::string RecordingCanvas::toSvg(int width, int height) const {
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg" +
                      attribute("xmlns", "http://www.w3.org/2000/svg") + attribute("version", "1.1") +
                      attribute("width", width) + attribute("height", height) +
                      attribute("viewBox", "0 0 " + number(width) + " " + number(height)) + ">\n";
    svg += hatchDefinitions(calls_);
    for (const DrawCall& call : calls_) svg += svgElement(call) + "\n";
    return svg + "</svg>\n";
}

// ---------------------------------------------------------------------------------------
// UTF-8

static_assert(sizeof(wchar_t) == 4, "wide text is taken to hold one code point per character");

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isScalarValue(char32_t c) { return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF); }

void appendUtf8(std::string& out, char32_t c) {
    if (!isScalarValue(c)) c = kReplacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    const int length = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    static constexpr unsigned kLeadMarks[] = {0, 0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(kLeadMarks[length] | (c >> (6 * (length - 1))));
    for (int shift = 6 * (length - 2); shift >= 0; shift -= 6) {
        out += static_cast<char>(0x80 | ((c >> shift) & 0x3F));
    }
}

// The length of the sequence a byte starts, 0 when it cannot start one.
int sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// The bytes allowed right after a lead byte: the narrower ranges rule out overlong forms,
// surrogates and values past U+10FFFF as early as possible.
std::pair<unsigned char, unsigned char> secondByteRange(unsigned char lead) {
    switch (lead) {
        case 0xE0: return {0xA0, 0xBF};
        case 0xED: return {0x80, 0x9F};
        case 0xF0: return {0x90, 0xBF};
        case 0xF4: return {0x80, 0x8F};
        default: return {0x80, 0xBF};
    }
}

struct Decoded {
    char32_t codePoint;
    std::size_t bytes;
};

// Decodes the sequence at `at`. An ill-formed one gives one U+FFFD for its longest valid
// beginning (at least one byte), so that decoding resumes on the byte that broke it.
Decoded decodeAt(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const int length = sequenceLength(lead);
    if (length == 0) return {kReplacement, 1};
    char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
    std::size_t taken = 1;
    for (; taken < static_cast<std::size_t>(length) && at + taken < text.size(); ++taken) {
        const auto byte = static_cast<unsigned char>(text[at + taken]);
        const auto [low, high] =
            taken == 1 ? secondByteRange(lead) : std::pair<unsigned char, unsigned char>{0x80, 0xBF};
        if (byte < low || byte > high) break;
        codePoint = codePoint << 6 | (byte & 0x3F);
    }
    return {taken == static_cast<std::size_t>(length) ? codePoint : kReplacement, taken};
}

}  // namespace

std::string ToUtf8(const std::wstring& text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (const wchar_t c : text) appendUtf8(utf8, static_cast<char32_t>(c));
    return utf8;
}

std::wstring FromUtf8(const std::string& text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Decoded decoded = decodeAt(text, at);
        wide += static_cast<wchar_t>(decoded.codePoint);
        at += decoded.bytes;
    }
    return wide;
}

}  // namespace headless
