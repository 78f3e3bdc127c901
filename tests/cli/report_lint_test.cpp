// The check every golden report passes must catch the lines that state false equalities
// or that a teacher would correct, and let the right forms through.
#include "report_lint.h"

#include <gtest/gtest.h>

namespace {

TEST(ReportLint, StrikesOutWhatATeacherWould) {
    const struct {
        const char* line;
        bool strikesOut;
    } cases[] = {
        // Lines the reports used to print.
        {"│   -3² = 9", true},
        {"│   2*-0.5² - 3*-0.5 - 2 = 0", true},
        {"│ I1: f(-3) = -3^2 - 4 = 5 > 0  (+)", true},
        {"│ 1x + -7 = 0", true},
        {"│ 1x = 7", true},
        {"│ x = 7 / 1", true},
        {"│ D = 9 - -16", true},
        {"│ x₁ = (-(1) + 2.236067977) / (2·-1)", true},
        {"│ Строка 3 = Строка 3 - -0.500000 * Строка 2", true},
        {"│   (-1)^-2 = 1", true},
        {"│   x = -1.7320508076²", true},
        // The forms that replace them.
        {"│   (-3)² = 9", false},
        {"│   2·(-0.5)² - 3·(-0.5) - 2 = 0", false},
        {"│ I₁: f(-3) = (-3)² - 4 = 5 > 0  (+)", false},
        {"│ x - 7 = 0", false},
        {"│ x = 7 / 10", false},
        {"│ 11x = 0.1", false},
        {"│ y = 0.1x", false},
        {"│ D = 9 + 16", false},
        {"│ x² - 3² = 0", false},
        {"│ x ∈ (-∞, -2) ∪ (2, +∞)", false},
        {"│ x = 1e-11", false},
        // Outside sections a line echoes what the user typed.
        {"Исходное уравнение: 1x - -3^2 = 0", false},
    };
    for (const auto& [line, strikesOut] : cases) EXPECT_EQ(report_lint::IsFalseLine(line), strikesOut) << line;
}

TEST(ReportLint, ListsEveryStruckLine) {
    const std::string report = "═══\n│ 1x = 7\n│ x = 7\n│ D = 9 - -16\n";
    EXPECT_EQ(report_lint::FalseLines(report), (std::vector<std::string>{"│ 1x = 7", "│ D = 9 - -16"}));
}

}  // namespace
