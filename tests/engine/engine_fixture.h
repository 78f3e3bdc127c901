// A fresh engine on an in-memory main window that starts with only the display; a test
// adds the controls it needs, placed as headless_main_window.h places them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "abacor.h"
#include "core/engine_state.h"
#include "control_ids.h"
#include "headless_main_window.h"
#include "headless_platform.h"

class EngineTest : public ::testing::Test {
protected:
    EngineTest() : main_(desktop_, 0) {
        abacor::Engine() = abacor::EngineState{};
        display_ = &headless::AddMainWindowControl(main_, KV_DISPLAY);
        display_->setText(L"0");
        InitFractions(&main_);
    }
    ~EngineTest() override { abacor::Engine() = abacor::EngineState{}; }

    // A plain control, placed by the test.
    headless::Window& AddControl(int id, KvRect geometry = {0, 0, 0, 0}, bool visible = true) {
        return main_.addChild(id, geometry, visible);
    }
    // A control as the main window has it: placed, shown or hidden, with its items.
    headless::Window& AddMainWindowControl(int id) { return headless::AddMainWindowControl(main_, id); }
    headless::Window& Control(int id) { return static_cast<headless::Window&>(*main_.child(id)); }

    void Press(int buttonId) { ProcessButtonClick(display_, buttonId); }
    void Press(std::initializer_list<int> buttonIds) {
        for (int id : buttonIds) Press(id);
    }
    std::wstring Display() const { return display_->fullText(); }
    void SetDisplay(const std::wstring& text) { display_->setText(text); }

    headless::Desktop desktop_;
    headless::Window main_;
    headless::Window* display_ = nullptr;
};
