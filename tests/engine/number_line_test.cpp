#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "abacor.h"
#include "core/engine_state.h"
#include "engine_fixture.h"
#include "headless_platform.h"

namespace {

using abacor::Engine;
using headless::DrawCall;
using Kind = DrawCall::Kind;

// The program's number-line area: the axis runs from x 185 to 375 at y 215.
constexpr KvRect kArea{160, 190, 400, 300};

std::string Color(KvColor c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.red, c.green, c.blue);
    return text;
}

std::string Box(const KvRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// One drawing call as a line of text, everything that matters in it.
std::string Describe(const DrawCall& call) {
    const std::string pen = " pen " + Color(call.pen.color) + "/" + std::to_string(call.pen.width);
    switch (call.kind) {
        case Kind::FillRect: return "fill " + Box(call.rect) + " " + Color(call.color);
        case Kind::FillHatchedRect: return "hatch " + Box(call.rect) + " " + Color(call.color);
        case Kind::Line: return "line " + Box(call.rect) + pen;
        case Kind::Ellipse: return "ellipse " + Box(call.rect) + pen + " brush " + Color(call.color);
        case Kind::Text:
            return "text " + std::to_string(call.rect.left) + "," + std::to_string(call.rect.top) + " " +
                   headless::ToUtf8(call.font.family) + " " + std::to_string(call.font.pixelHeight) + " " +
                   std::to_string(call.font.weight) + " " + Color(call.color) + " " + headless::ToUtf8(call.text);
    }
    return "";
}

class NumberLineTest : public EngineTest {
protected:
    // Draws the line of these data; the calls, optionally only those of one kind.
    std::vector<std::string> Draw(std::vector<double> points, std::vector<bool> closed, std::vector<int> selection,
                                  const char* only = "") {
        Engine().NumberLine = {false, std::move(points), std::move(closed), std::move(selection)};
        headless::RecordingCanvas canvas({240, 240, 240});
        DrawNumberLine(&canvas, kArea);
        std::vector<std::string> calls;
        for (const DrawCall& call : canvas.calls()) {
            const std::string text = Describe(call);
            if (text.rfind(only, 0) == 0) calls.push_back(text);
        }
        return calls;
    }
};

// A single point: its span counts as 2, so it sits in the middle of the axis.
TEST_F(NumberLineTest, OnePointInTheMiddleOfTheAxis) {
    EXPECT_EQ(Draw({3}, {true}, {1, -1}), (std::vector<std::string>{
                                               "fill 160,190,400,300 #f0f0f0",
                                               "hatch 185,193,280,215 #ff0000",
                                               "line 185,215,375,215 pen #000000/3",
                                               "line 365,211,375,215 pen #000000/3",
                                               "line 375,215,365,219 pen #000000/3",
                                               "ellipse 275,210,285,220 pen #000000/3 brush #000000",
                                               "text 280,209 Segoe UI 14 700 #ff0000 3",
                                           }));
}

// Background, bands, axis with its arrow, points, labels: the labels over everything.
TEST_F(NumberLineTest, TwoOpenPointsWithOneBandBetweenThem) {
    EXPECT_EQ(Draw({1, 5}, {false, false}, {-1, 1, -1}), (std::vector<std::string>{
                                                              "fill 160,190,400,300 #f0f0f0",
                                                              "hatch 220,193,339,215 #ff0000",
                                                              "line 185,215,375,215 pen #000000/3",
                                                              "line 365,211,375,215 pen #000000/3",
                                                              "line 375,215,365,219 pen #000000/3",
                                                              "ellipse 215,210,225,220 pen #000000/2 brush #ffffff",
                                                              "ellipse 334,210,344,220 pen #000000/2 brush #ffffff",
                                                              "text 220,209 Segoe UI 14 700 #ff0000 1",
                                                              "text 339,209 Segoe UI 14 700 #ff0000 5",
                                                          }));
}

// 0.5 - 1e-7 is below the narrowest span, so the margins are 0.6.
TEST_F(NumberLineTest, LabelsArePlainGeneralNumbers) {
    EXPECT_EQ(Draw({1e-7, 0.5}, {true, false}, {1, -1, 1}, "text"),
              (std::vector<std::string>{"text 252,209 Segoe UI 14 700 #ff0000 1e-07",
                                        "text 307,209 Segoe UI 14 700 #ff0000 0.5"}));
}

// A label is the bound of the answer: never -0, and a huge one is a number.
TEST_F(NumberLineTest, LabelsAreTheAnswersBounds) {
    EXPECT_EQ(Draw({-0.0, 1e150}, {true, false}, {-1, 1, -1}, "text"),
              (std::vector<std::string>{"text 220,209 Segoe UI 14 700 #ff0000 0",
                                        "text 339,209 Segoe UI 14 700 #ff0000 1e+150"}));
}

TEST_F(NumberLineTest, BandsFollowTheSelection) {
    // Columns 279 and 280: a band that narrow is left out.
    EXPECT_TRUE(Draw({0, 0.001}, {false, false}, {-1, 1, -1}, "hatch").empty());
    // Fewer entries than intervals: only those shaded.
    EXPECT_EQ(Draw({1, 2, 3}, {false, false, false}, {1}, "hatch"),
              std::vector<std::string>{"hatch 185,193,220,215 #ff0000"});
    EXPECT_EQ(Draw({1, 2}, {false, false}, {1, -1, 1}, "hatch"),
              (std::vector<std::string>{"hatch 185,193,220,215 #ff0000", "hatch 339,193,375,215 #ff0000"}));
    // Without points only the background, whatever the flag says.
    Engine().NumberLine.visible = true;
    EXPECT_EQ(Draw({}, {}, {1}).size(), 1u);
    EXPECT_EQ(DrawNumberLine(nullptr, kArea), 0);
}

TEST_F(NumberLineTest, VisibilityDataAndHiding) {
    EXPECT_EQ(IsNumberLineVisible(), 0);
    Engine().NumberLine = {true, {-2, 2}, {true, false}, {1, -1, 1}};
    EXPECT_EQ(IsNumberLineVisible(), 1);
    double values[1] = {0};
    int closed[1] = {0};
    EXPECT_EQ(GetNumberLinePoints(values, closed, 1), 2);  // the count, even beyond the capacity
    EXPECT_EQ(values[0], -2);
    EXPECT_EQ(closed[0], 1);
    int entries[3] = {0, 0, 0};
    EXPECT_EQ(GetNumberLineSelection(entries, 3), 3);
    EXPECT_EQ(entries[1], -1);

    HideNumberLine();
    EXPECT_EQ(IsNumberLineVisible(), 0);
    EXPECT_EQ(GetNumberLinePoints(nullptr, nullptr, 0), 0);
    EXPECT_EQ(GetNumberLineSelection(nullptr, 0), 0);
}

}  // namespace
