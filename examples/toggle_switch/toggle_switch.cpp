// The toggle switch: behaviour from the library's activation rule, looks from the standard
// look's nine-patch button (the track) and checkbox (the knob), so that it is as sharp at
// scale 2 as the library's own widgets are.
#include "toggle_switch.h"

#include <gui/behavior.h>
#include <gui/box.h>
#include <gui/labels.h>
#include <gui/palette.h>
#include <gui/render.h>
#include <gui/textures.h>
#include <wx/defs.h>

namespace example {

namespace {
constexpr float TRACK_W = 40.0f, TRACK_H = 20.0f;
// The switch's own colours beside the palette's (premultiplied, opaque): the track while off,
// and the knob while held down.
const orbo::tk::RGBA OFF_TRACK(150, 150, 150, 255);
const orbo::tk::RGBA HELD_KNOB(205, 205, 205, 255);
} // namespace

bool doToggleSwitch(gui::Ui& ui, orbotk::ControlID id, bool& value, const wchar_t* caption,
                    bool enabled) {
    const bool on = enabled && ui.enabled();
    const gui::Look& look = ui.look();

    // The caption first: its width decides the click area. It names the switch, so it is no
    // label of its own to screen readers.
    float width = TRACK_W + 8.0f;
    if (caption != nullptr) {
        ui.caption = true;
        gui::doLabelIndent(ui, width, 4.0f, caption, enabled);
        ui.caption = false;
        width += 3.0f; // room for the focus border after the caption's last letter
    }

    gui::Box control(ui, width, gui::FILL, id, on);
    bool changed = false;
    if (on) {
        // Click, Return or Space flips it; the arrows set it. The focus border comes with the
        // activation rule.
        if (gui::controlSelectionBehavior(ui, control))
            changed = true;
        else if (control.focused() && control.keyDown(value ? WXK_LEFT : WXK_RIGHT))
            changed = true;
        if (changed) {
            value = !value;
            ui.refresh();
        }
    }
    gui::describeControl(control, orbotk::Role::ToggleButton, caption, on,
                         orbotk::ACC_CHECKABLE | (value ? orbotk::ACC_CHECKED : 0u));

    // Front to back: the knob, then the track under it.
    gui::Box track(ui, TRACK_W, TRACK_H);
    track.setTop((control.h() - TRACK_H) * 0.5f);
    {
        gui::Box knob(ui, TRACK_H, TRACK_H);
        if (value)
            knob.setRight(gui::FILL);
        ui.color(on ? gui::orbopal::Light : gui::orbopal::Disabled);
        gui::render(ui, look.checkboxShade);
        ui.color(on && control.active() ? HELD_KNOB : gui::Color::White);
        gui::render(ui, look.checkboxTex);
    }
    ui.color(!on ? gui::orbopal::DisabledButton : value ? gui::orbopal::Checkbox : OFF_TRACK);
    gui::renderDiced(ui, look.dicedButton, look.dicedButtonHBounds, look.dicedButtonVBounds);
    return changed;
}

} // namespace example
