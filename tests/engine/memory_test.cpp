#include <string>
#include <vector>

#include "control_ids.h"
#include "core/engine_state.h"
#include "engine_fixture.h"

namespace {

using abacor::Engine;

enum {
    kMemoryClear = KV_MEMORY_CLEAR,
    kRecall = KV_MEMORY_RECALL,
    kAdd = KV_MEMORY_ADD,
    kSubtract = KV_MEMORY_SUBTRACT,
    kStore = KV_MEMORY_STORE,
    kList = KV_MEMORY_SHOW_LIST,
};

class MemoryTest : public EngineTest {
protected:
    MemoryTest() : list_(AddControl(KV_MEMORY_LIST, {0, 0, 0, 0}, false)) {}

    void Store(const std::wstring& value, int key = kStore) {
        SetDisplay(value);
        Press(key);
    }

    std::vector<std::wstring> ListItems() {
        std::vector<std::wstring> items;
        for (int i = 0; i < list_.itemCount(); ++i) items.push_back(list_.item(i));
        return items;
    }

    headless::Window& list_;
};

TEST_F(MemoryTest, StoreAndRecallTheNewest) {
    for (const wchar_t* value : {L"5", L"6", L"7"}) Store(value);
    SetDisplay(L"0");
    Engine().NewNumber = false;
    Press(kRecall);
    EXPECT_EQ(Display(), L"7");
    EXPECT_TRUE(Engine().NewNumber);
    EXPECT_TRUE(Engine().ResultShown);
    Press(KV_STD_4);
    EXPECT_EQ(Display(), L"4");
}

TEST_F(MemoryTest, TheEleventhValueDropsTheOldest) {
    for (int i = 1; i <= 11; ++i) Store(std::to_wstring(i));
    EXPECT_EQ(Engine().MemoryCount, 10);
    Press(kList);
    std::vector<std::wstring> expected;
    for (int i = 1; i <= 10; ++i) expected.push_back(L"[" + std::to_wstring(i) + L"] " + std::to_wstring(i + 1));
    EXPECT_EQ(ListItems(), expected);
    EXPECT_EQ(list_.currentIndex(), 9);
    EXPECT_TRUE(list_.visibleFlag());
    EXPECT_TRUE(list_.raised());
}

TEST_F(MemoryTest, AddAndSubtract) {
    Store(L"4", kSubtract);  // nothing stored yet: stores the negative
    EXPECT_EQ(Engine().MemoryCount, 1);
    EXPECT_EQ(Engine().Memory[0], -4);
    Store(L"10", kAdd);
    Store(L"2.5", kSubtract);
    EXPECT_EQ(Engine().Memory[0], 3.5);
    EXPECT_EQ(Display(), L"2.5");  // the display is left alone
    Press(kMemoryClear);
    Store(L"8", kAdd);  // after clearing, add stores again
    EXPECT_EQ(Engine().MemoryCount, 1);
    EXPECT_EQ(Engine().Memory[0], 8);
}

TEST_F(MemoryTest, ClearedMemoryRecallsNothing) {
    Store(L"5");
    Press(kMemoryClear);
    SetDisplay(L"12");
    Engine().NewNumber = false;
    Press(kRecall);
    EXPECT_EQ(Display(), L"12");
    EXPECT_FALSE(Engine().NewNumber);
    Press(kList);
    EXPECT_EQ(ListItems(), std::vector<std::wstring>{L"Память пуста"});
    EXPECT_EQ(list_.currentIndex(), -1);
}

TEST_F(MemoryTest, ListTextsUseTheGeneralFormat) {
    for (const wchar_t* value : {L"100", L"0.3333333333333", L"1e15", L"-0.5"}) Store(value);
    Press(kList);
    EXPECT_EQ(ListItems(), (std::vector<std::wstring>{L"[1] 100", L"[2] 0.3333333333", L"[3] 1e+15", L"[4] -0.5"}));
    Press(kList);  // a second press closes it
    EXPECT_FALSE(list_.visibleFlag());
}

TEST_F(MemoryTest, ChoosingFromTheList) {
    for (const wchar_t* value : {L"1.5", L"2.5"}) Store(value);
    Press(kList);
    list_.setCurrentIndex(0);
    Engine().Memory[0] = 9;  // the list is a snapshot; the register's current value is recalled
    EXPECT_EQ(ProcessMemoryComboSelect(display_), 1);
    EXPECT_EQ(Display(), L"9");
    EXPECT_TRUE(Engine().ResultShown);
    EXPECT_FALSE(list_.visibleFlag());
    EXPECT_EQ(ProcessMemoryComboSelect(display_), 0);  // already hidden
}

TEST_F(MemoryTest, ChoosingTheEmptyEntryShowsNothing) {
    Press(kList);
    list_.setCurrentIndex(0);
    SetDisplay(L"3");
    EXPECT_EQ(ProcessMemoryComboSelect(display_), 1);
    EXPECT_EQ(Display(), L"3");
    EXPECT_FALSE(list_.visibleFlag());
}

TEST(MemoryWithoutList, NothingHappensWithoutTheControl) {
    abacor::Engine() = abacor::EngineState{};
    headless::Desktop desktop;
    headless::Window main(desktop, 0);
    headless::Window& display = main.addChild(KV_DISPLAY);
    InitFractions(&main);
    ProcessButtonClick(&display, kList);
    EXPECT_EQ(ProcessMemoryComboSelect(&display), 0);
    abacor::Engine() = abacor::EngineState{};
}

TEST_F(MemoryTest, ResetCalculatorDropsThePendingPower) {
    SetDisplay(L"2");
    Press(KV_SCI_POWER);
    SetDisplay(L"3+1");
    Engine().LastResult = 5;
    ResetCalculator();
    EXPECT_EQ(GetResult(), 0);
    EXPECT_TRUE(Engine().NewNumber);
    Press(KV_STD_EQUALS);
    EXPECT_EQ(Display(), L"4");  // evaluated as an expression, not 2^3
}

}  // namespace
