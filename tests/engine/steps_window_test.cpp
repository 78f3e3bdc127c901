#include "core/steps_window.h"

#include <gtest/gtest.h>

#include <string>

#include "abacor.h"
#include "core/engine_state.h"
#include "headless_platform.h"

namespace {

using abacor::Engine;

class StepsWindowTest : public ::testing::Test {
protected:
    StepsWindowTest() {
        owner_.move(100, 100);
        owner_.resize(335, 510);
        InitFractions(&owner_);
        abacor::SetStepsLog(L"┌─ Шаг 1\r\n│ x = 2\r\n");
    }
    ~StepsWindowTest() override { InitFractions(nullptr); }

    headless::Desktop desktop_;
    headless::Window owner_{desktop_, 0};
};

TEST_F(StepsWindowTest, CreatesTheWindowCentredOverItsOwnerAndWaitsForItToClose) {
    KvRect placed{};
    desktop_.setEventLoopHook([&](headless::Window& window) {
        placed = window.screenRect();
        EXPECT_EQ(Engine().StepsWindowHandle, &window);
    });
    EXPECT_EQ(ShowStepsWindow(&owner_), 0);

    EXPECT_EQ(placed.left, 43);  // 100 + (335 - 450) / 2, truncated toward zero
    EXPECT_EQ(placed.top, 80);   // 100 + (510 - 550) / 2
    EXPECT_EQ(placed.right - placed.left, 450);
    EXPECT_EQ(placed.bottom - placed.top, 550);
    const KvTextWindowSpec* request = desktop_.lastTextWindowSpec();
    ASSERT_NE(request, nullptr);
    EXPECT_EQ(request->title, L"Пошаговое решение");
    EXPECT_EQ(request->font, (KvFont{L"Consolas", 16, 400}));
    EXPECT_EQ(request->text, GetLastSteps());
    EXPECT_EQ(desktop_.lastTextWindowOwner(), &owner_);
    EXPECT_EQ(Engine().StepsWindowHandle, nullptr);
    EXPECT_TRUE(desktop_.openTextWindows().empty());
}

TEST_F(StepsWindowTest, ReopeningAnOpenWindowRefreshesItInsteadOfOpeningAnother) {
    int nested = -1;
    std::wstring shownAfterRefresh;
    desktop_.setEventLoopHook([&](headless::Window&) {
        abacor::SetStepsLog(L"новый отчёт\r\n");
        nested = ShowStepsWindow(nullptr);  // the main window owns it
        shownAfterRefresh = Engine().StepsEdit->text(1024);
    });
    EXPECT_EQ(ShowStepsWindow(&owner_), 0);
    EXPECT_NE(nested, 0);
    EXPECT_EQ(shownAfterRefresh, L"новый отчёт\r\n");
    EXPECT_EQ(desktop_.textWindowsCreated(), 1);
    EXPECT_EQ(desktop_.broughtToFront(), 1);

    // Once closed, the next call opens a new window.
    desktop_.setEventLoopHook(nullptr);
    EXPECT_EQ(ShowStepsWindow(&owner_), 0);
    EXPECT_EQ(desktop_.textWindowsCreated(), 2);
}

TEST_F(StepsWindowTest, ShowsNothingWhenNoWindowCanBeMade) {
    desktop_.setFailTextWindows(true);
    EXPECT_EQ(ShowStepsWindow(&owner_), 0);
    EXPECT_EQ(Engine().StepsWindowHandle, nullptr);
    EXPECT_TRUE(desktop_.openTextWindows().empty());

    desktop_.setFailTextWindows(false);
    InitFractions(nullptr);  // no owner and no main window to take its place
    EXPECT_EQ(ShowStepsWindow(nullptr), 0);
    EXPECT_EQ(desktop_.textWindowsCreated(), 0);
}

}  // namespace
