// Radio buttons, and the radio group that drives a set of them from one selected label. A press
// on an unselected button selects it and returns true; nothing clears it. Buttons that follow
// one another form a group for the keyboard: Tab stops once in it, at the selected button; the
// arrows move the focus within it, selecting the button they reach.
#include "gui/radio.h"

#include "gui/behavior.h"
#include "gui/labels.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "widgets/icon.h"

#include <string>

namespace gui {

using orbotk::ControlID;

bool doRadio(Ui& ui, bool& value, const wchar_t* label, const wchar_t* tooltip,
             const wchar_t* disabledTooltip, bool enabled) {
    requirePass(ui, "doRadio");
    // The caption leaves its colour current (text, or disabled text in a disabled window): the
    // button is drawn in it.
    float width = ui.look().checkboxTex.w() + 8.0f;
    if (label != nullptr) {
        ui.caption = true;
        doLabelIndent(ui, width, 4.0f, label, enabled);
        ui.caption = false;
    }
    const bool on = enabled && ui.enabled();
    // Named, to take the focus; by the caption and the box it lies in, since groups often share
    // captions ("None", "Auto") and buttons of one name would answer each other's clicks.
    const std::wstring name =
        std::wstring(label ? label : L"") + L"\x1f" + std::to_wstring(ui->current()->key());
    Box control(ui, width, FILL, ControlID(name), on);
    control.markRadio(value);
    describeControl(control, orbotk::Role::RadioButton, label, on,
                    orbotk::ACC_CHECKABLE | (value ? orbotk::ACC_CHECKED : 0u),
                    chooseTip(enabled, tooltip, disabledTooltip));
    bool result = false;
    // A focused button is selected by Space, and by the arrow that moved the focus to it.
    if (on && !value && control.focused() &&
        (control.keyDown(WXK_SPACE) || control.keyDown(WXK_UP) || control.keyDown(WXK_DOWN) ||
         control.keyDown(WXK_LEFT) || control.keyDown(WXK_RIGHT))) {
        value = true;
        result = true;
        ui.refresh();
    }
    if (on && control.focused())
        drawFocusBorder(ui);
    {
        Box icon(ui, ui.look().radio.shape());
        placeIcon(icon, control, ui.look().radio);
        if (!enabled)
            ui.color(orbopal::DisabledButton);
        // The selected mark lies in front of the ring, in the same colour, so a user can see
        // which button of a group is chosen.
        if (value)
            render(ui, ui.look().radioCheck);
        render(ui, ui.look().radio);
        // The press selects; a selected button ignores it.
        if (enabled && !value && control.leftClicked()) {
            value = true;
            result = true;
            ui.refresh();
        }
    }
    doToolTip(ui, chooseTip(enabled, tooltip, disabledTooltip));
    return result;
}

unsigned int doRadioEasy(Ui& ui, const wchar_t*& selected, unsigned int count,
                         const wchar_t* const* labels, bool enabled) {
    requirePass(ui, "doRadioEasy");
    unsigned int result = 0xFFFFFFFFu;
    for (unsigned int i = 0; i < count; ++i) {
        Box row(ui, FILL, 24.0f, ControlID(), true);
        row.setTop(24.0f * static_cast<float>(i));
        bool on = selected == labels[i]; // the address, not the text
        if (doRadio(ui, on, labels[i], nullptr, nullptr, enabled))
            result = i;
        if (on)
            selected = labels[i];
    }
    return result;
}

} // namespace gui
