// The graph on a dark window: every colour of the light picture becomes one that reads
// on the dark background, and the picture is otherwise the same.
#include <cmath>

#include <gtest/gtest.h>

#include "graph_session.h"
#include "graph_theme.h"
#include "headless_platform.h"
#include "recording_graph_canvas.h"
#include "render_graph.h"

namespace kelvora::graph {
namespace {

using test::RecordingGraphCanvas;

double Luminance(GraphColor c) {
    const auto linear = [](float v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
}

// The contrast ratio of two colours, 1 (none) to 21 (black on white).
double Contrast(GraphColor a, GraphColor b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct Readable {
    const char* role;
    GraphColor light;
    double minimumContrast;
};

// Text and axes as text must read; curves as large graphics; the grid only faintly.
const Readable kRoles[] = {
    {"axis", kAxisColour, 4.5},         {"label", kLabelColour, 4.5},       {"curve 1", kCurveColours[0], 3},
    {"curve 2", kCurveColours[1], 3},   {"curve 3", kCurveColours[2], 3},   {"curve 4", kCurveColours[3], 3},
    {"curve 5", kCurveColours[4], 3},   {"grid", kGridColour, 1.3},
};

TEST(DarkThemeColour, EveryRoleReadsOnTheDarkBackground) {
    for (const Readable& role : kRoles) {
        const GraphColor dark = DarkThemeColour(role.light);
        EXPECT_GE(Contrast(dark, kDarkBackgroundColour), role.minimumContrast) << role.role;
        EXPECT_FALSE(dark == role.light) << role.role << " kept its light colour";
    }
}

TEST(DarkThemeColour, GridStaysQuieterThanTheAxes) {
    EXPECT_LT(Contrast(DarkThemeColour(kGridColour), kDarkBackgroundColour),
              Contrast(DarkThemeColour(kAxisColour), kDarkBackgroundColour));
}

TEST(DarkThemeColour, BackgroundIsDarkAndOtherColoursStay) {
    EXPECT_EQ(DarkThemeColour(kBackgroundColour), kDarkBackgroundColour);
    EXPECT_LT(Luminance(kDarkBackgroundColour), 0.05);
    const GraphColor other{0.2f, 0.4f, 0.6f, 0.5f};
    EXPECT_EQ(DarkThemeColour(other), other);
}

TEST(DarkThemeColour, CurvesStayDistinct) {
    for (std::size_t i = 0; i < std::size(kCurveColours); ++i) {
        for (std::size_t j = i + 1; j < std::size(kCurveColours); ++j) {
            EXPECT_FALSE(DarkThemeColour(kCurveColours[i]) == DarkThemeColour(kCurveColours[j])) << i << " " << j;
        }
    }
}

// A whole paint: the same drawing in the dark colours, no light colour left.
TEST(DarkGraphCanvas, PaintsTheSamePictureInDarkColours) {
    headless::Desktop desktop;
    GraphSettings settings;
    settings.SampleCount = 100;
    GraphSession session;
    session.enterMode();
    session.build(L"x^2;sin(x)", desktop);
    session.showKeyPoints(true);  // dots and their notes, with the legend's
    RecordingGraphCanvas light;
    session.render(light, 610, 485, settings);
    RecordingGraphCanvas recorded;
    DarkGraphCanvas dark(recorded);
    session.render(dark, 610, 485, settings);

    ASSERT_EQ(recorded.clears, std::vector<GraphColor>{kDarkBackgroundColour});
    EXPECT_EQ(recorded.clips, light.clips);
    EXPECT_EQ(recorded.clipDepth, 0);
    ASSERT_EQ(recorded.lines.size(), light.lines.size());
    for (std::size_t i = 0; i < light.lines.size(); ++i) {
        EXPECT_EQ(recorded.lines[i].from, light.lines[i].from);
        EXPECT_EQ(recorded.lines[i].color, DarkThemeColour(light.lines[i].color));
    }
    ASSERT_EQ(recorded.texts.size(), light.texts.size());
    for (std::size_t i = 0; i < light.texts.size(); ++i) {
        EXPECT_EQ(recorded.texts[i].text, light.texts[i].text);
        EXPECT_EQ(recorded.texts[i].color, DarkThemeColour(light.texts[i].color));
    }
    // What is read off the graph: the legend, the notes and their boxes, the dots.
    ASSERT_FALSE(light.leftTexts.empty());
    ASSERT_EQ(recorded.leftTexts.size(), light.leftTexts.size());
    for (std::size_t i = 0; i < light.leftTexts.size(); ++i) {
        EXPECT_EQ(recorded.leftTexts[i].text, light.leftTexts[i].text);
        EXPECT_EQ(recorded.leftTexts[i].color, DarkThemeColour(light.leftTexts[i].color));
    }
    ASSERT_FALSE(light.rects.empty());
    ASSERT_EQ(recorded.rects.size(), light.rects.size());
    for (std::size_t i = 0; i < light.rects.size(); ++i) {
        EXPECT_EQ(recorded.rects[i].rect, light.rects[i].rect);
        EXPECT_EQ(recorded.rects[i].color, DarkThemeColour(light.rects[i].color));
        EXPECT_FALSE(recorded.rects[i].color == kNoteBackground);
    }
    ASSERT_FALSE(light.dots.empty());
    ASSERT_EQ(recorded.dots.size(), light.dots.size());
    for (std::size_t i = 0; i < light.dots.size(); ++i) {
        EXPECT_EQ(recorded.dots[i].centre, light.dots[i].centre);
        EXPECT_EQ(recorded.dots[i].color, DarkThemeColour(light.dots[i].color));
        EXPECT_FALSE(recorded.dots[i].color == kKeyPointColour);
    }
    ASSERT_EQ(recorded.paths.size(), 2u);
    EXPECT_EQ(recorded.paths[0].color, DarkThemeColour(kCurveColours[0]));
    EXPECT_EQ(recorded.paths[1].color, DarkThemeColour(kCurveColours[1]));
    EXPECT_EQ(recorded.paths[0].figures, light.paths[0].figures);
}

}  // namespace
}  // namespace kelvora::graph
