#include "headless_platform.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <sstream>

static bool operator==(const KvRect& a, const KvRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

static void PrintTo(const KvRect& r, std::ostream* out) {
    *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace headless {
namespace {

// ---------------------------------------------------------------------------------------
// Controls

TEST(WindowTest, ChildSearchesTheSubtreeDepthFirst) {
    Desktop desktop;
    Window root(desktop, 100);
    Window& first = root.addChild(1);
    Window& nested = first.addChild(3);
    Window& deep = nested.addChild(4);
    Window& second = root.addChild(2);
    Window& laterThree = second.addChild(3);  // hidden from the root by the nested 3

    const std::map<int, KvWindow*> expected = {{1, &first}, {2, &second},   {3, &nested},
                                               {4, &deep},  {100, nullptr}, {999, nullptr}};
    for (const auto& [id, window] : expected) EXPECT_EQ(root.child(id), window) << id;
    EXPECT_EQ(second.child(3), &laterThree);
    EXPECT_EQ(&laterThree.desktop(), &desktop);
}

TEST(WindowTest, TextIsCutToTheMaximumLength) {
    Desktop desktop;
    Window edit(desktop, 1);
    edit.setText(L"абвгд");
    for (const auto& [max, expected] :
         std::map<std::size_t, std::wstring>{{0, L""}, {3, L"абв"}, {5, L"абвгд"}, {64, L"абвгд"}}) {
        EXPECT_EQ(edit.text(max), expected) << max;
    }
}

TEST(WindowTest, VisibleOnlyWhenEveryAncestorIsVisible) {
    struct Case {
        bool root, parent, self, expected;
    };
    for (const Case& c : {Case{true, true, true, true}, Case{false, true, true, false},
                          Case{true, false, true, false}, Case{true, true, false, false}}) {
        Desktop desktop;
        Window root(desktop, 0);
        Window& parent = root.addChild(1);
        Window& control = parent.addChild(2);
        root.setVisible(c.root);
        parent.setVisible(c.parent);
        control.setVisible(c.self);
        EXPECT_EQ(control.isVisible(), c.expected) << c.root << c.parent << c.self;
        EXPECT_EQ(control.visibleFlag(), c.self);
    }
}

TEST(WindowTest, GeometryMovesAndResizesInParentCoordinates) {
    Desktop desktop;
    Window top(desktop, 0);
    top.move(100, 50);
    top.resize(400, 300);
    Window& panel = top.addChild(1, {10, 20, 210, 120});
    Window& edit = panel.addChild(2, {5, 6, 55, 26});

    EXPECT_EQ(edit.screenRect(), (KvRect{115, 76, 165, 96}));
    edit.move(7, 8);
    EXPECT_EQ(edit.geometry(), (KvRect{7, 8, 57, 28}));
    edit.resize(10, 12);
    EXPECT_EQ(edit.geometry(), (KvRect{7, 8, 17, 20}));
    EXPECT_EQ(top.screenRect(), (KvRect{100, 50, 500, 350}));
}

TEST(WindowTest, SelectionIsClampedAndOrdered) {
    Desktop desktop;
    Window edit(desktop, 1);
    edit.setText(L"12345");
    struct Case {
        int start, end;
        std::pair<int, int> expected;
    };
    for (const Case& c : {Case{1, 3, {1, 3}}, Case{-1, 2, {0, 2}}, Case{2, 99, {2, 5}}, Case{-1, -1, {0, 0}},
                          Case{4, 1, {1, 4}}}) {
        edit.setSelection(c.start, c.end);
        EXPECT_EQ(edit.selection(), c.expected) << c.start << ".." << c.end;
    }
    edit.setText(L"abc");
    EXPECT_EQ(edit.selection(), std::make_pair(0, 0));  // like an edit control: caret at the start
}

TEST(WindowTest, ReplaceSelectionLeavesTheCaretAfterTheInsertion) {
    struct Case {
        int start, end;
        std::wstring replacement, text;
        int caret;
    };
    for (const Case& c : {Case{1, 3, L"²", L"x²45", 2}, Case{5, 5, L"^2", L"x2345^2", 7},
                          Case{0, 5, L"", L"", 0}, Case{2, 2, L"ab", L"x2ab345", 4}}) {
        Desktop desktop;
        Window edit(desktop, 1);
        edit.setText(L"x2345");
        edit.setSelection(c.start, c.end);
        edit.replaceSelection(c.replacement);
        EXPECT_EQ(edit.fullText(), c.text);
        EXPECT_EQ(edit.selection(), std::make_pair(c.caret, c.caret)) << c.text;
        EXPECT_EQ(edit.undoHistory(), std::vector<std::wstring>{L"x2345"});
    }
}

TEST(WindowTest, ListItemsAndCurrentIndex) {
    Desktop desktop;
    Window list(desktop, 1);
    list.addItem(L"M1");
    list.addItem(L"M2");
    EXPECT_EQ(list.item(1), L"M2");
    EXPECT_EQ(list.item(2), L"");
    EXPECT_EQ(list.item(-1), L"");
    for (const auto& [index, expected] : std::map<int, int>{{1, 1}, {0, 0}, {2, -1}, {-5, -1}}) {
        list.setCurrentIndex(0);
        list.setCurrentIndex(index);
        EXPECT_EQ(list.currentIndex(), expected) << index;
    }
    list.setCurrentIndex(1);
    list.clearItems();
    EXPECT_EQ(list.itemCount(), 0);
    EXPECT_EQ(list.currentIndex(), -1);
}

// ---------------------------------------------------------------------------------------
// Desktop

const KvTextWindowSpec kSteps{L"Пошаговое решение", 640, 480, {L"Consolas", 16, 400}, L"┌─ Шаг 1"};

TEST(DesktopTest, TextWindowIsATopLevelWindowHoldingOneTextControl) {
    Desktop desktop;
    Window owner(desktop, 0);
    const KvTextWindow created = desktop.createTextWindow(&owner, kSteps);
    ASSERT_NE(created.window, nullptr);

    EXPECT_EQ(created.window->child(1), created.text);
    EXPECT_EQ(created.window->text(100), kSteps.title);
    EXPECT_EQ(created.text->text(100), kSteps.text);
    EXPECT_EQ(created.window->screenRect(), (KvRect{Desktop::kDefaultX, Desktop::kDefaultY,
                                                    Desktop::kDefaultX + 640, Desktop::kDefaultY + 480}));
    EXPECT_EQ(created.text->geometry(), (KvRect{0, 0, 640, 480}));
    EXPECT_TRUE(created.text->isVisible());
    EXPECT_EQ(&created.text->desktop(), &desktop);
    EXPECT_EQ(desktop.openTextWindows(), std::vector<Window*>{static_cast<Window*>(created.window)});
    EXPECT_EQ(desktop.lastTextWindowSpec()->text, kSteps.text);
    EXPECT_EQ(desktop.lastTextWindowOwner(), &owner);
    EXPECT_EQ(desktop.textWindowsCreated(), 1);
}

TEST(DesktopTest, FailedCreationGivesNoWindow) {
    Desktop desktop;
    desktop.setFailTextWindows(true);
    const KvTextWindow created = desktop.createTextWindow(nullptr, kSteps);
    EXPECT_EQ(created.window, nullptr);
    EXPECT_EQ(created.text, nullptr);
    EXPECT_EQ(desktop.textWindowsCreated(), 0);
    EXPECT_EQ(desktop.lastTextWindowSpec(), nullptr);
    EXPECT_FALSE(desktop.windowExists(nullptr));
}

// Run under AddressSanitizer: none of these may touch the closed window.
TEST(DesktopTest, ClosedWindowIsOnlyComparedNeverUsed) {
    Desktop desktop;
    Window control(desktop, 5);
    KvWindow* closed = desktop.createTextWindow(nullptr, kSteps).window;
    KvWindow* open = desktop.createTextWindow(nullptr, kSteps).window;
    desktop.closeWindow(closed);
    bool hookCalled = false;
    desktop.setEventLoopHook([&](Window&) { hookCalled = true; });

    EXPECT_FALSE(desktop.windowExists(closed));
    EXPECT_FALSE(desktop.bringToFront(closed));
    desktop.runUntilClosed(closed);
    desktop.closeWindow(closed);
    desktop.closeWindow(&control);
    desktop.closeWindow(open->child(1));
    EXPECT_FALSE(desktop.bringToFront(&control));
    EXPECT_FALSE(hookCalled);

    EXPECT_TRUE(desktop.bringToFront(open));
    EXPECT_EQ(desktop.broughtToFront(), 1);
    EXPECT_EQ(desktop.openTextWindows(), std::vector<Window*>{static_cast<Window*>(open)});
}

TEST(DesktopTest, EventLoopEndsWithTheWindowClosed) {
    struct Case {
        const char* name;
        std::function<void(Desktop&, Window&)> user;
        int stillOpen;
    };
    const std::vector<Case> cases = {
        {"no hook", nullptr, 0},
        {"user reads and leaves it open", [](Desktop&, Window& w) { w.child(1)->text(10); }, 0},
        {"user closes it", [](Desktop& d, Window& w) { d.closeWindow(&w); }, 0},
        {"user closes it and opens another",
         [](Desktop& d, Window& w) {
             d.closeWindow(&w);
             d.setEventLoopHook(nullptr);  // replaced while running
             d.createTextWindow(nullptr, kSteps);
         },
         1},
        {"nested loop on a second window",
         [](Desktop& d, Window&) {
             d.setEventLoopHook(nullptr);
             d.runUntilClosed(d.createTextWindow(nullptr, kSteps).window);
         },
         0},
    };
    for (const Case& c : cases) {
        Desktop desktop;
        KvWindow* window = desktop.createTextWindow(nullptr, kSteps).window;
        Window* seen = nullptr;
        if (c.user) {
            desktop.setEventLoopHook([&](Window& w) {
                c.user(desktop, w);
                seen = &w;  // uses the hook's captures after the user may have replaced it
            });
        }
        desktop.runUntilClosed(window);
        EXPECT_EQ(desktop.openTextWindows().size(), static_cast<std::size_t>(c.stillOpen)) << c.name;
        if (c.user) {
            EXPECT_EQ(seen, window) << c.name;
        }
    }
}

// ---------------------------------------------------------------------------------------
// Canvas

// What the SVG relies on of XML: one root element, properly nested tags, quoted and unique
// attributes without '<', an entity after every '&', valid UTF-8.
testing::AssertionResult IsWellFormedXml(const std::string& xml) {
    const auto fail = [](const std::string& why) { return testing::AssertionFailure() << why; };
    const std::string declaration = R"(<?xml version="1.0" encoding="UTF-8"?>)";
    if (xml.rfind(declaration, 0) != 0) return fail("no declaration");
    if (ToUtf8(FromUtf8(xml)) != xml) return fail("invalid UTF-8");
    for (auto at = xml.find('&'); at != std::string::npos; at = xml.find('&', at + 1)) {
        const std::string name = xml.substr(at + 1, xml.find(';', at) - at - 1);
        static const std::set<std::string> kEntities = {"amp", "lt", "gt", "quot", "apos"};
        if (!kEntities.contains(name) && name.find_first_not_of("#0123456789") != std::string::npos) {
            return fail("bare & before " + name);
        }
    }
    std::vector<std::string> open;
    int roots = 0;
    for (auto at = xml.find('<', declaration.size()); at != std::string::npos; at = xml.find('<', at + 1)) {
        std::istringstream tag(xml.substr(at + 1, xml.find('>', at) - at - 1));
        std::string name;
        tag >> name;
        if (name.starts_with('/')) {
            if (open.empty() || open.back() != name.substr(1)) return fail("unmatched " + name);
            open.pop_back();
            continue;
        }
        const bool empty = xml[xml.find('>', at) - 1] == '/';
        if (empty && name.ends_with('/')) name.pop_back();
        if (open.empty()) ++roots;
        if (!empty) open.push_back(name);
        std::set<std::string> names;
        for (std::string attribute, value; std::getline(tag >> std::ws, attribute, '=');) {
            if (tag.get() != '"' || !std::getline(tag, value, '"') || value.find('<') != std::string::npos ||
                !names.insert(attribute).second) {
                return fail("bad attribute " + attribute + " in <" + name);
            }
            if (tag.peek() == '/') tag.get();
        }
    }
    if (!open.empty() || roots != 1) return fail("unbalanced document");
    return testing::AssertionSuccess();
}

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(RecordingCanvasTest, SvgReproducesEveryKindOfCall) {
    struct Case {
        std::function<void(RecordingCanvas&)> draw;
        std::vector<std::string> expected;
    };
    const KvFont label{L"Segoe UI", 14, 700};
    const std::vector<Case> cases = {
        {[](RecordingCanvas& c) {
             c.fillRect({10, 20, 110, 40}, {240, 240, 240});
         },
         {R"(<rect x="10" y="20" width="100" height="20" fill="#f0f0f0"/>)"}},
        {[](RecordingCanvas& c) {
             c.fillHatchedRect({0, 0, 30, 22}, {255, 0, 0});
             c.fillHatchedRect({40, 0, 90, 22}, {255, 0, 0});
         },
         {R"(<pattern id="hatch-ff0000" patternUnits="userSpaceOnUse" x="0" y="0" width="8" height="8">)"
          R"(<path d="M-1 1L1-1M0 8L8 0M7 9L9 7" stroke="#ff0000" stroke-width="1"/></pattern>)",
          R"x(<rect x="0" y="0" width="30" height="22" fill="url(#hatch-ff0000)"/>)x",
          R"x(<rect x="40" y="0" width="50" height="22" fill="url(#hatch-ff0000)"/>)x"}},
        {[](RecordingCanvas& c) {
             c.drawLine(10, 50, 300, 50, {{0, 0, 0}, 1});
             c.drawLine(10, 45, 10, 55, {{0, 0, 255}, 3});
         },
         {R"(<line x1="10.5" y1="50.5" x2="300.5" y2="50.5" stroke="#000000" stroke-width="1" )"
          R"(stroke-linecap="butt"/>)",
          R"(<line x1="10.5" y1="45.5" x2="10.5" y2="55.5" stroke="#0000ff" stroke-width="3" )"
          R"(stroke-linecap="round"/>)"}},
        {[](RecordingCanvas& c) {
             c.drawEllipse({95, 45, 105, 55}, {{0, 0, 0}, 2}, {255, 255, 255});
         },
         {R"(<ellipse cx="100" cy="50" rx="4.5" ry="4.5" fill="#ffffff" stroke="#000000" )"
          R"(stroke-width="2"/>)"}},
        {[&](RecordingCanvas& c) {
             c.drawText(100, 44, L"x < 2 & \"y\"", label, {255, 0, 0}, KvTextAlign::CenterBottom);
         },
         {R"(<text x="100" y="44" font-family="&apos;Segoe UI&apos;" font-size="14" font-weight="700" )"
          R"(fill="#ff0000" text-anchor="middle" dominant-baseline="text-after-edge" xml:space="preserve">)"
          R"(x &lt; 2 &amp; &quot;y&quot;</text>)"}},
        {[&](RecordingCanvas& c) {
             c.drawText(0, 0, L"Корней нет ∅\x01", label, {}, KvTextAlign::CenterBottom);
         },
         {">Корней нет ∅\uFFFD</text>"}},  // no control characters in XML
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        c.draw(canvas);
        const std::string svg = canvas.toSvg(400, 120);
        EXPECT_TRUE(IsWellFormedXml(svg)) << svg;
        EXPECT_NE(
            svg.find(R"(<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width="400" height="120")"),
            std::string::npos);
        for (const std::string& element : c.expected) {
            EXPECT_EQ(Occurrences(svg, element), 1) << element << "\n" << svg;
        }
    }
}

// ---------------------------------------------------------------------------------------
// UTF-8

TEST(Utf8Test, RoundTripsOneToFourByteSequences) {
    const std::vector<std::pair<std::wstring, std::string>> cases = {
        {L"", ""},
        {L"x^2", "x^2"},
        {L"Пошаговое решение",
         "\xD0\x9F\xD0\xBE\xD1\x88\xD0\xB0\xD0\xB3\xD0\xBE\xD0\xB2\xD0\xBE\xD0\xB5 "
         "\xD1\x80\xD0\xB5\xD1\x88\xD0\xB5\xD0\xBD\xD0\xB8\xD0\xB5"},
        {L"┌─│└", "\xE2\x94\x8C\xE2\x94\x80\xE2\x94\x82\xE2\x94\x94"},
        {L"x²³", "x\xC2\xB2\xC2\xB3"},
        {L"😀", "\xF0\x9F\x98\x80"},
        {std::wstring(1, L'\0') + L"\U0010FFFF", std::string("\0\xF4\x8F\xBF\xBF", 5)},
    };
    for (const auto& [wide, utf8] : cases) {
        EXPECT_EQ(ToUtf8(wide), utf8);
        EXPECT_EQ(FromUtf8(utf8), wide);
    }
}

TEST(Utf8Test, IllFormedInputBecomesReplacementCharacters) {
    const std::vector<std::pair<std::string, std::wstring>> decoded = {
        {"a\x80z", L"a\uFFFDz"},                            // lone continuation byte
        {"\xD0", L"\uFFFD"},                                // cut short at the end
        {"\xE2\x94z", L"\uFFFDz"},                          // cut short before an ASCII byte
        {"\xC0\xAF", L"\uFFFD\uFFFD"},                      // overlong '/'
        {"\xE0\x80\xAF", L"\uFFFD\uFFFD\uFFFD"},            // overlong three-byte form
        {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},            // an encoded surrogate
        {"\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
        {"\xF5\xFF", L"\uFFFD\uFFFD"},                      // bytes that start nothing
    };
    for (const auto& [utf8, wide] : decoded) EXPECT_EQ(FromUtf8(utf8), wide) << testing::PrintToString(utf8);
    for (const wchar_t bad :
         {static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000), static_cast<wchar_t>(-1)}) {
        EXPECT_EQ(ToUtf8(std::wstring(1, bad)), "\xEF\xBF\xBD") << static_cast<long>(bad);
    }
}

}  // namespace
}  // namespace headless
