// Checkboxes: a two-state control bound to the caller's bool, activated as buttons are.
//
// Frame by frame:
//   press on the control       -> active; the tick shows grey, whatever value is
//   release anywhere           -> value toggles, returns true once, repaint
//   Return/Space down and up   -> the same, while it has keyboard focus
#include "gui/checkbox.h"

#include "gui/behavior.h"
#include "gui/labels.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "widgets/icon.h"

namespace gui {

using orbotk::ControlID;

bool doCheckbox(Ui& ui, ControlID id, bool& value, const wchar_t* label, const wchar_t* tooltip,
                const wchar_t* disabledTooltip, bool enabled) {
    requirePass(ui, "doCheckbox");
    const bool on = ui.enabled() && enabled;
    // The caption first: its width decides the click area.
    float width = ui.look().checkboxTex.w() + 8.0f;
    if (label != nullptr) {
        ui.caption = true;
        doLabelIndent(ui, width, 4.0f, label, enabled);
        ui.caption = false;
    }
    Box control(ui, width, FILL, id, on);
    bool toggled = false;
    if (on) {
        toggled = controlSelectionBehavior(ui, control);
        if (toggled)
            value = !value;
    }
    doToolTip(ui, chooseTip(on, tooltip, disabledTooltip));
    describeControl(control, orbotk::Role::CheckBox, label, on,
                    orbotk::ACC_CHECKABLE | (value ? orbotk::ACC_CHECKED : 0u),
                    chooseTip(on, tooltip, disabledTooltip));

    Box icon(ui, ui.look().checkboxTex.shape());
    placeIcon(icon, control, ui.look().checkboxTex);
    if (on) {
        // Front to back: tick, shade, box.
        if (toggled || control.active()) {
            ui.color(orbopal::Disabled);
            render(ui, ui.look().checkboxCheck);
            if (toggled)
                ui.refresh();
        } else if (value) {
            ui.color(Color::White);
            render(ui, ui.look().checkboxCheck);
        }
        ui.color(orbopal::Light);
        render(ui, ui.look().checkboxShade);
        ui.color(orbopal::Checkbox);
        render(ui, ui.look().checkboxTex);
    } else {
        // Disabled: a grey tick and shade, and no box body.
        ui.color(orbopal::Disabled);
        if (value)
            render(ui, ui.look().checkboxCheck);
        render(ui, ui.look().checkboxShade);
    }
    return toggled;
}

bool doCheckbox(Ui& ui, bool& value, const wchar_t* label, bool enabled) {
    return doCheckbox(ui, ControlID(label ? label : L""), value, label, nullptr, nullptr, enabled);
}

bool doCheckbox(Ui& ui, bool& value, const wchar_t* label, const wchar_t* tooltip,
                const wchar_t* disabledTooltip, bool enabled) {
    return doCheckbox(ui, ControlID(label ? label : L""), value, label, tooltip, disabledTooltip,
                      enabled);
}

} // namespace gui
