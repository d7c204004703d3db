// The horizontal slider: a knob dragged along a well. The drag itself is the toolkit's (a left
// drag of the knob, which a press makes active); the slider turns the pointer's distance from
// the drag's start into a knob position each pass, reports it through dragValue, and commits it
// to value only when the knob is dropped near the slider. A focused knob also moves by keys and
// the wheel, each step committed at once, as a drop would commit it.
#include "gui/slider.h"

#include "gui/behavior.h"
#include "gui/palette.h"
#include "gui/progress.h"
#include "gui/render.h"

#include <algorithm>
#include <cmath>

namespace gui {

using orbotk::ControlID;

namespace {
// Clamped to lo ... hi; NaN (from an empty range) goes to lo, so the knob stays on the track.
float clampTo(float v, float lo, float hi) {
    return v >= lo ? std::min(v, hi) : lo;
}

// The keys of a focused knob: Left and Down a step back, Right and Up a step on (step, or 1 %
// of the range when it is not positive), Page Down and Page Up a tenth of the range (a step
// when that is more), Home and End the ends; the wheel, which a focused knob takes before anything
// behind it, a step a notch. Whether value moved.
bool keyStep(Box& knob, float& value, float min, float max, float step) {
    if (!(step > 0.0f))
        step = (max - min) / 100.0f;
    const float page = std::max(step, (max - min) / 10.0f);
    float to = value;
    if (const int wheel = knob.wheelRotation())
        to = value +
             step * static_cast<float>(wheel / 120 != 0 ? wheel / 120 : (wheel > 0 ? 1 : -1));
    else if (knob.keyDown(WXK_LEFT) || knob.keyDown(WXK_DOWN))
        to = value - step;
    else if (knob.keyDown(WXK_RIGHT) || knob.keyDown(WXK_UP))
        to = value + step;
    else if (knob.keyDown(WXK_PAGEDOWN))
        to = value - page;
    else if (knob.keyDown(WXK_PAGEUP))
        to = value + page;
    else if (knob.keyDown(WXK_HOME))
        to = min;
    else if (knob.keyDown(WXK_END))
        to = max;
    to = clampTo(to, min, max);
    if (to == value)
        return false;
    value = to;
    return true;
}
} // namespace

bool doHSlider(Ui& ui, ControlID id, float& value, float& dragValue, float min, float max,
               const wchar_t* tooltip, bool enabled) {
    return doHSlider(ui, id, value, dragValue, min, max, 0.0f, tooltip, enabled);
}

bool doHSlider(Ui& ui, ControlID id, float& value, float& dragValue, float min, float max,
               float step, const wchar_t* tooltip, bool enabled) {
    requirePass(ui, "doHSlider");
    const bool on = ui.enabled() && enabled;
    Box slider(ui, FILL, PROGRESS_H, id, false);
    // The knob's left edge travels from left (min) to right - 1 (max).
    const drag_bounds travel =
        make_bounds(slider.pos(), shape_t(slider.w() - ui.look().checkboxTex.w(), slider.h()));
    const float left = travel.left(), right = travel.right();
    // A range with a non-finite end or width, or with max not above min, has no positions to move
    // between: the knob rests at the left and nothing is committed.
    const bool usable = std::isfinite(max - min) && max > min;
    const float knobPos =
        usable ? left + (right - 1.0f - left) * (value - min) / (max - min) : left;

    const std::wstring knobName = id.name() + L"dragger";
    bool dropped = false;
    {
        // A disabled knob takes no keyboard focus; an enabled one does, like any named control.
        Box knob(ui, ui.look().checkboxTex.w(), PROGRESS_H, ControlID(knobName), on);
        if (knob.describing()) { // the knob takes the focus: it stands for the slider
            orbotk::Description d;
            d.role = orbotk::Role::Slider;
            // Named by the label beside it (or its tooltip), never by its identity.
            d.description = tooltip ? tooltip : L"";
            d.states = (on ? orbotk::ACC_ENABLED : 0u) | orbotk::ACC_FOCUSABLE;
            d.hasValue = true;
            d.value = value, d.minimum = min, d.maximum = max;
            knob.describe(d);
        }
        if (on) {
            {
                // The drop area: 15 pixels beside and 45 above and below the slider.
                Box area(ui);
                area.setPos(slider.x() - 15.0f, slider.y() - 45.0f);
                area.setShape(slider.w() + 30.0f, slider.h() + 90.0f);
                dropped = area.leftDropped(
                    [&knobName](const ControlID& dragged) { return dragged.name() == knobName; });
            }
            // Only this knob's drag moves it: another control's drag leaves it alone.
            const float dx =
                knob.leftDragging() ? static_cast<float>(ui->mouseX() - ui->dragStartX()) : 0.0f;
            const float x = usable ? clampTo(knobPos + dx, left, right - 1.0f) : left;
            if (!usable)
                dragValue = value;
            else if (right - left - 1.0f > 0.0f)
                dragValue = min + (max - min) * (x - left) / (right - left - 1.0f);
            else
                dragValue = min;
            if (dropped && usable)
                value = dragValue;
            if (usable && knob.focused() && !knob.active() &&
                keyStep(knob, value, min, max, step)) {
                dragValue = value;
                dropped = true;
                ui.refresh();
            }
            if (knob.active() && ui->eventType() == wxEVT_MOTION)
                ui.refresh();
            knob.setX(x);
            if (knob.leftClicked())
                knob.makeActive(); // the toolkit's drag starts from the active knob
            if (knob.focused())
                drawFocusBorder(ui);
            ui.color(orbopal::Light);
            renderDiced(ui, ui.look().dicedButtonShade, ui.look().dicedButtonShadeHBounds,
                        ui.look().dicedButtonShadeVBounds);
            ui.color(orbopal::HSlider);
            renderDiced(ui, ui.look().dicedButton, ui.look().dicedButtonHBounds,
                        ui.look().dicedButtonVBounds);
        } else {
            knob.setX(clampTo(knobPos, left, right - 1.0f));
            ui.color(orbopal::DisabledHSlider);
            doToolTip(ui, tooltip); // over the knob only
            renderDiced(ui, ui.look().dicedButton, ui.look().dicedButtonHBounds,
                        ui.look().dicedButtonVBounds);
        }
    }
    drawWell(ui); // behind the knob
    return dropped && usable;
}

bool doHSlider(Ui& ui, ControlID id, float& value, float min, float max, const wchar_t* tooltip,
               bool enabled) {
    float discarded = value;
    return doHSlider(ui, id, value, discarded, min, max, tooltip, enabled);
}

bool doHSlider(Ui& ui, ControlID id, float& value, float& dragValue, const wchar_t* tooltip,
               bool enabled) {
    return doHSlider(ui, id, value, dragValue, 0.0f, 100.0f, tooltip, enabled);
}

bool doHSlider(Ui& ui, ControlID id, float& value, const wchar_t* tooltip, bool enabled) {
    float discarded = value;
    return doHSlider(ui, id, value, discarded, 0.0f, 100.0f, tooltip, enabled);
}

} // namespace gui
