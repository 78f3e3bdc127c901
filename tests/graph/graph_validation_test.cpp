// The check before a build: which message each kind of text gets, and how it is shown.
#include <gtest/gtest.h>

#include "graph_validation.h"
#include "headless_platform.h"

namespace kelvora::graph {
namespace {

// The one message a text gets, or an empty text when it is accepted.
std::wstring MessageFor(const std::wstring& text) {
    headless::Desktop desktop;
    const bool valid = ValidateGraphFormula(text, desktop);
    EXPECT_EQ(valid, desktop.messageBoxes().empty()) << text;
    EXPECT_LE(desktop.messageBoxes().size(), 1u) << text;
    return desktop.messageBoxes().empty() ? L"" : desktop.messageBoxes().front().text;
}

TEST(ValidateGraphFormula, GivesTheFirstProblemsMessage) {
    const struct { std::wstring text; std::wstring message; } cases[] = {
        {L"", L"Пустая строка"},
        {L"1/0", L"Деление на ноль"},
        {L"1/ 0", L"Деление на ноль"},
        {L"y=x/(1/0)", L"Деление на ноль"},
        {L"(1/0", L"Деление на ноль"},  // before the brackets
        {L"1/0.5", L""},
        {L"1/05", L""},
        {L"x+*1", L"Двойной символ операции"},
        {L"x+-1", L""},  // a sign after an operator
        {L"x+ -1", L""},
        {L"floor(x)", L"Недопустимые символы"},
        {L"x²", L"Недопустимые символы"},
        {L"(x", L"Скобки не сбалансированы"},
        {L"y=(x))", L"Скобки не сбалансированы"},
        {L"y^2=x^", L""},  // implicit curves are not tried out
        {L"x=2", L"Невозможно вычислить выражение"},
        // Without a value at x = 1 but a graph elsewhere: not refused for that.
        {L"1/(x-1)", L""},
        {L"sqrt(x-5)", L""},
        {L"ln(x-3)", L""},
        {L"sqrt(x-5);ln(x-3)", L""},
        // No value anywhere: it cannot be read, or it is never defined.
        {L"2 (x)", L""},  // blanks do not part an implied product
        {L"sqrt(x)+", L"Невозможно вычислить выражение"},
        {L"sqrt(-1)+x", L"Невозможно вычислить выражение"},
        {L"x^2;2 3x", L"Невозможно вычислить выражение"},
        {L";", L"Невозможно вычислить выражение"},
        {L"exp(x)", L""},
        {L"2x", L""},
        // A list is tried formula by formula: as one expression it would never compute.
        {L"x^2;sin(x);;2x", L""},
        {L"x^2;1/(x-1)", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(MessageFor(c.text), c.message) << c.text;
}

TEST(ValidateGraphFormula, ShowsAWarningOfNoWindowWithTheGraphCaption) {
    headless::Desktop desktop;
    EXPECT_FALSE(ValidateGraphFormula(L"x+*1", desktop));
    ASSERT_EQ(desktop.messageBoxes().size(), 1u);
    const headless::RecordedMessageBox& box = desktop.messageBoxes().front();
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.caption, L"Ошибка");
    EXPECT_EQ(box.icon, KvMessageIcon::Warning);
    EXPECT_EQ(box.buttons, KvMessageButtons::Ok);
}

}  // namespace
}  // namespace kelvora::graph
