// A settings window of switches, shared by the demo program and the switch's tests: three
// switches and a disabled one, laid out in rows on the panel colour without the window's
// bands, so that the tests' pictures hold the switches alone.
#pragma once

#include "toggle_switch.h"

#include <gui/app_window.h>
#include <gui/palette.h>
#include <gui/render.h>

namespace example {

class Switches : public gui::AppWindow {
public:
    Switches()
        : gui::AppWindow(static_cast<wxWindow*>(nullptr), L"Switches", 220, 132,
                         gui::NO_SCALE_WINDOW) {}

    bool wifi = true, bluetooth = false, location = false, airplane = true;
    int changes = 0; // passes in which a switch reported a change

    void uiProcedure() override {
        using orbotk::ControlID;
        gui::Box root(ui_);
        row(0, ControlID(L"wifi"), wifi, L"Wi-Fi", true);
        row(1, ControlID(L"bluetooth"), bluetooth, L"Bluetooth", true);
        row(2, ControlID(L"location"), location, L"Location", true);
        row(3, ControlID(L"airplane"), airplane, L"Airplane mode", false);
        gui::render(ui_, gui::orbopal::Panel);
    }

private:
    void row(int i, orbotk::ControlID id, bool& value, const wchar_t* caption, bool enabled) {
        gui::Box box(ui_, gui::FILL, 28.0f);
        box.setLeft(12.0f);
        box.setTop(10.0f + 28.0f * static_cast<float>(i));
        changes += doToggleSwitch(ui(), id, value, caption, enabled) ? 1 : 0;
    }
};

} // namespace example
