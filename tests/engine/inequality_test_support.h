// Shared by the inequality tests: a number line in the CLI's notation ("-2* 2" for the
// points, "+1 -1" for the selection).
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "inequalities/inequality_solver.h"

inline std::wstring PointsText(const std::vector<double>& points, const std::vector<bool>& closed) {
    std::wstring text;
    for (std::size_t i = 0; i < points.size(); ++i) {
        text += (i ? L" " : L"") + abacor::FormatBound(points[i]) + (closed[i] ? L"*" : L"");
    }
    return text;
}

template <class Selection>
std::wstring SelectionText(const Selection& selection) {
    std::wstring text;
    for (std::size_t i = 0; i < selection.size(); ++i) {
        text += (i ? L" " : L"") + std::wstring(selection[i] > 0 ? L"+1" : L"-1");
    }
    return text;
}

struct ResultCase {
    std::wstring text;
    std::wstring answer;
    std::wstring points;
    std::wstring selection;
};

// Each text solved by `solve` gives its answer and number line.
template <class Solve>
void ExpectResults(Solve solve, std::initializer_list<ResultCase> cases) {
    for (const ResultCase& c : cases) {
        const abacor::InequalityResult r = solve(c.text);
        EXPECT_EQ(r.answer, c.answer) << c.text;
        EXPECT_EQ(PointsText(r.points, r.closed), c.points) << c.text;
        EXPECT_EQ(SelectionText(r.selection), c.selection) << c.text;
    }
}
