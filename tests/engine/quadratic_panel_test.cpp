#include "algebra/quadratic_panel.h"

#include <string>

#include "control_ids.h"
#include "engine_fixture.h"

namespace {

using abacor::SolveQuadratic;

TEST(SolveQuadratic, TextsAndStatusOfEachCase) {
    const struct {
        const char* name;
        double a, b, c;
        KvStatus status;
        std::wstring first, second;
    } cases[] = {
        {"two roots, the larger first", 1, -3, 2, KV_STATUS_ANSWERED, L"2.0000", L"1.0000"},
        {"negative a swaps the order", -1, 3, -2, KV_STATUS_ANSWERED, L"1.0000", L"2.0000"},
        {"a double root", 1, 2, 1, KV_STATUS_ANSWERED, L"-1.0000", L"—"},
        {"no real roots is an answer", 1, 1, 1, KV_STATUS_ANSWERED, L"Нет действительных корней", L""},
        {"a must not be 0", 0, 2, 1, KV_STATUS_REFUSED, L"Коэффициент 'a' не может быть нулём!", L""},
        {"negative zero is zero", -0.0, 2, 1, KV_STATUS_REFUSED, L"Коэффициент 'a' не может быть нулём!", L""},
        {"rounded to four decimals", 1, 0, -2, KV_STATUS_ANSWERED, L"1.4142", L"-1.4142"},
        {"a huge root is written shorter", 1e-300, 1, 0, KV_STATUS_ANSWERED, L"0.0000", L"-1e+300"},
        {"a zero root is never -0", 1, 0, 0, KV_STATUS_ANSWERED, L"0.0000", L"—"},
        {"nor with a negative a", -2, 0, 0, KV_STATUS_ANSWERED, L"0.0000", L"—"},
        {"nor with -0 coefficients", 1, -0.0, -0.0, KV_STATUS_ANSWERED, L"0.0000", L"—"},
        {"roots four decimals round away", 1, 0, -1e-10, KV_STATUS_ANSWERED, L"1e-05", L"-1e-05"},
        {"a tiny root beside a zero one", 1, -1e-9, 0, KV_STATUS_ANSWERED, L"1e-09", L"0.0000"},
        {"a tiny double root", 1, 0x1p-16, 0x1p-34, KV_STATUS_ANSWERED, L"-7.629394531e-06", L"—"},
        {"what four decimals show stays", 1, 0, -2.5e-9, KV_STATUS_ANSWERED, L"0.0001", L"-0.0001"},
        // Two distinct roots that both overflow: one root shown, as for a double root.
        {"roots equal once computed", 4e-309, 1.6, 1.59e308, KV_STATUS_ANSWERED, L"-inf", L"—"},
    };
    for (const auto& c : cases) {
        const abacor::QuadraticAnswer answer = SolveQuadratic(c.a, c.b, c.c);
        EXPECT_EQ(answer.status, c.status) << c.name;
        EXPECT_EQ(answer.first, c.first) << c.name;
        EXPECT_EQ(answer.second, c.second) << c.name;
    }
}

class QuadraticPanelTest : public EngineTest {
protected:
    QuadraticPanelTest() {
        AddControl(KV_QUADRATIC_A);
        AddControl(KV_QUADRATIC_B);
        AddControl(KV_QUADRATIC_C);
        AddControl(KV_QUADRATIC_ROOT1);
        AddControl(KV_QUADRATIC_ROOT2);
        for (int id : {KV_QUADRATIC_SIGN_B, KV_QUADRATIC_SIGN_C}) {
            AddControl(id).addItem(L"+");
            Control(id).addItem(L"-");
        }
    }

    // Types the coefficients, picks the signs (0 plus, 1 minus, -1 none) and solves.
    void Solve(const std::wstring& a, int signB, const std::wstring& b, int signC, const std::wstring& c) {
        Control(KV_QUADRATIC_A).setText(a);
        Control(KV_QUADRATIC_SIGN_B).setCurrentIndex(signB);
        Control(KV_QUADRATIC_B).setText(b);
        Control(KV_QUADRATIC_SIGN_C).setCurrentIndex(signC);
        Control(KV_QUADRATIC_C).setText(c);
        Press(KV_QUADRATIC_SOLVE);
    }
};

TEST_F(QuadraticPanelTest, RootsAndMessages) {
    const struct {
        std::wstring a;
        int signB;
        std::wstring b;
        int signC;
        std::wstring c;
        std::wstring first, second;
    } cases[] = {
        {L"1", 1, L"3", 0, L"2", L"2.0000", L"1.0000"},
        {L"1", 0, L"2", 0, L"1", L"-1.0000", L"—"},
        {L"0", 0, L"2", 0, L"1", L"Коэффициент 'a' не может быть нулём!", L""},
        {L"", 0, L"2", 0, L"1", L"Коэффициент 'a' не может быть нулём!", L""},
        {L"1", 0, L"1", 0, L"1", L"Нет действительных корней", L""},
        {L"2", 0, L"0", 1, L"8", L"2.0000", L"-2.0000"},
        {L"1", -1, L"1", -1, L"6", L"3.0000", L"-2.0000"},  // no selection means minus
        {L"1e-300", 0, L"1", 0, L"0", L"0.0000", L"-1e+300"},
        {L"1", 1, L"0", 1, L"0", L"0.0000", L"—"},  // -0 coefficients
        {L"1", 0, L"0", 1, L"0.0000000001", L"1e-05", L"-1e-05"},
        // Signs and decimal commas typed into the fields.
        {L"-2.5", 0, L"0", 0, L"10", L"-2.0000", L"2.0000"},
        {L"0,5", 1, L"1,5", 0, L"1", L"2.0000", L"1.0000"},
        {L"1", 1, L"-3", 0, L"2", L"-1.0000", L"-2.0000"},  // minus selected, then a minus typed
        {L"+1", 0, L"+0", 1, L"4", L"2.0000", L"-2.0000"},
    };
    for (const auto& c : cases) {
        SetDisplay(L"42");
        Solve(c.a, c.signB, c.b, c.signC, c.c);
        EXPECT_EQ(Control(KV_QUADRATIC_ROOT1).fullText(), c.first);
        EXPECT_EQ(Control(KV_QUADRATIC_ROOT2).fullText(), c.second);
        EXPECT_EQ(Display(), L"42");
    }
}

TEST(QuadraticPanelWithoutFields, SolvesWithWhatIsThere) {
    abacor::Engine() = abacor::EngineState{};
    headless::Desktop desktop;
    headless::Window main(desktop, 0);
    headless::Window& display = main.addChild(KV_DISPLAY);
    headless::Window& first = main.addChild(KV_QUADRATIC_ROOT1);
    InitFractions(&main);
    // No coefficient fields: a reads as 0.
    ProcessButtonClick(&display, KV_QUADRATIC_SOLVE);
    EXPECT_EQ(first.fullText(), L"Коэффициент 'a' не может быть нулём!");
    EXPECT_EQ(GetLastStatus(), KV_STATUS_REFUSED);
    abacor::Engine() = abacor::EngineState{};
}

}  // namespace
