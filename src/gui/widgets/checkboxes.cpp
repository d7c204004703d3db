// Checkboxes and radio buttons: two-state controls bound to the caller's bool, and the radio
// group that drives a set of radio buttons from one selected label.
//
// Checkbox, frame by frame (the activation rule of buttons):
//   press on the control       -> active; the tick shows grey, whatever value is
//   release anywhere           -> value toggles, returns true once, repaint
//   Return/Space down and up   -> the same, while it has keyboard focus
// Radio button: a press on an unselected button selects it and returns true; nothing clears it.
// Buttons that follow one another form a group for the keyboard: Tab stops once in it, at the
// selected button; the arrows move the focus within it, selecting the button they reach.
#include "gui/app_window.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "widgets/tooltips.h"

namespace gui {

using orbotk::ControlID;

namespace {
// An icon box of image's size, centred vertically in the control with the same left inset, so
// captions of radio buttons and checkboxes line up.
void placeIcon(Box& icon, const Box& control, const Image& image) {
    const float offset = (control.h() - image.h()) * 0.5f;
    icon.setLeft(offset);
    icon.setTop(offset);
}
} // namespace

bool AppWindow::doCheckbox(ControlID id, bool& value, const wchar_t* label, const wchar_t* tooltip,
                           const wchar_t* disabledTooltip, bool enabled) {
    requirePass(ui_, "doCheckbox");
    const bool on = IsEnabled() && enabled;
    // The caption first: its width decides the click area.
    float width = checkboxTex_.w() + 8.0f;
    if (label != nullptr) {
        caption_ = true;
        doLabelIndent(width, 4.0f, label, enabled);
        caption_ = false;
    }
    Box control(ui_, width, FILL, id, on);
    bool toggled = false;
    if (on) {
        toggled = controlSelectionBehavior(control);
        if (toggled)
            value = !value;
    }
    doToolTip(chooseTip(on, tooltip, disabledTooltip));
    if (control.describing())
        control.describe(orbotk::Role::CheckBox, label ? label : L"",
                         (on ? orbotk::ACC_ENABLED : 0u) | orbotk::ACC_FOCUSABLE |
                             orbotk::ACC_CHECKABLE | (value ? orbotk::ACC_CHECKED : 0u),
                         chooseTip(on, tooltip, disabledTooltip));

    Box icon(ui_, checkboxTex_.shape());
    placeIcon(icon, control, checkboxTex_);
    if (on) {
        // Front to back: tick, shade, box.
        if (toggled || control.active()) {
            glColor(orbopal::Disabled);
            render(ui_, checkboxCheck_);
            if (toggled)
                Refresh();
        } else if (value) {
            glColor(Color::White);
            render(ui_, checkboxCheck_);
        }
        glColor(orbopal::Light);
        render(ui_, checkboxShade_);
        glColor(orbopal::Checkbox);
        render(ui_, checkboxTex_);
    } else {
        // Disabled: a grey tick and shade, and no box body.
        glColor(orbopal::Disabled);
        if (value)
            render(ui_, checkboxCheck_);
        render(ui_, checkboxShade_);
    }
    return toggled;
}

bool AppWindow::doCheckbox(bool& value, const wchar_t* label, bool enabled) {
    return doCheckbox(ControlID(label ? label : L""), value, label, nullptr, nullptr, enabled);
}

bool AppWindow::doCheckbox(bool& value, const wchar_t* label, const wchar_t* tooltip,
                           const wchar_t* disabledTooltip, bool enabled) {
    return doCheckbox(ControlID(label ? label : L""), value, label, tooltip, disabledTooltip,
                      enabled);
}

bool AppWindow::doRadio(bool& value, const wchar_t* label, const wchar_t* tooltip,
                        const wchar_t* disabledTooltip, bool enabled) {
    requirePass(ui_, "doRadio");
    // The caption leaves its colour current (text, or disabled text in a disabled window): the
    // button is drawn in it.
    float width = checkboxTex_.w() + 8.0f;
    if (label != nullptr) {
        caption_ = true;
        doLabelIndent(width, 4.0f, label, enabled);
        caption_ = false;
    }
    const bool on = enabled && IsEnabled();
    // Named, to take the focus; by the caption and the box it lies in, since groups often share
    // captions ("None", "Auto") and buttons of one name would answer each other's clicks.
    const std::wstring name =
        std::wstring(label ? label : L"") + L"\x1f" + std::to_wstring(ui_->current()->key());
    Box control(ui_, width, FILL, ControlID(name), on);
    control.markRadio(value);
    if (control.describing())
        control.describe(orbotk::Role::RadioButton, label ? label : L"",
                         (on ? orbotk::ACC_ENABLED : 0u) | orbotk::ACC_FOCUSABLE |
                             orbotk::ACC_CHECKABLE | (value ? orbotk::ACC_CHECKED : 0u),
                         chooseTip(enabled, tooltip, disabledTooltip));
    bool result = false;
    // A focused button is selected by Space, and by the arrow that moved the focus to it.
    if (on && !value && control.focused() &&
        (control.keyDown(WXK_SPACE) || control.keyDown(WXK_UP) || control.keyDown(WXK_DOWN) ||
         control.keyDown(WXK_LEFT) || control.keyDown(WXK_RIGHT))) {
        value = true;
        result = true;
        Refresh();
    }
    if (on && control.focused())
        drawFocusBorder();
    {
        Box icon(ui_, radio_.shape());
        placeIcon(icon, control, radio_);
        if (!enabled)
            glColor(orbopal::DisabledButton);
        // The selected mark lies in front of the ring, in the same colour, so a user can see
        // which button of a group is chosen.
        if (value)
            render(ui_, radioCheck_);
        render(ui_, radio_);
        // The press selects; a selected button ignores it.
        if (enabled && !value && control.leftClicked()) {
            value = true;
            result = true;
            Refresh();
        }
    }
    doToolTip(chooseTip(enabled, tooltip, disabledTooltip));
    return result;
}

unsigned int AppWindow::doRadioEasy(const wchar_t*& selected, unsigned int count,
                                    const wchar_t* const* labels, bool enabled) {
    requirePass(ui_, "doRadioEasy");
    unsigned int result = 0xFFFFFFFFu;
    for (unsigned int i = 0; i < count; ++i) {
        Box row(ui_, FILL, 24.0f, ControlID(), true);
        row.setTop(24.0f * static_cast<float>(i));
        bool on = selected == labels[i]; // the address, not the text
        if (doRadio(on, labels[i], nullptr, nullptr, enabled))
            result = i;
        if (on)
            selected = labels[i];
    }
    return result;
}

} // namespace gui
