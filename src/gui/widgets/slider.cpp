// The horizontal slider: a knob dragged along a well. The drag itself is the toolkit's (a left
// drag of the knob, which a press makes active); the slider turns the pointer's distance from
// the drag's start into a knob position each pass, reports it through dragValue, and commits it
// to value only when the knob is dropped near the slider.
#include "gui/app_window.h"
#include "gui/palette.h"
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
} // namespace

bool AppWindow::doHSlider(ControlID id, float& value, float& dragValue, float min, float max,
                          const wchar_t* tooltip, bool enabled) {
    requirePass(ui_, "doHSlider");
    const bool on = IsEnabled() && enabled;
    Box slider(ui_, FILL, PROGRESS_H, id, false);
    // The knob's left edge travels from left (min) to right - 1 (max).
    const drag_bounds travel =
        make_bounds(slider.pos(), shape_t(slider.w() - checkboxTex_.w(), slider.h()));
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
        Box knob(ui_, checkboxTex_.w(), PROGRESS_H, ControlID(knobName), on);
        if (knob.describing()) { // the knob takes the focus: it stands for the slider
            orbotk::Description d;
            d.role = orbotk::Role::Slider;
            d.name = tooltip ? tooltip : id.name();
            d.states = (on ? orbotk::ACC_ENABLED : 0u) | orbotk::ACC_FOCUSABLE;
            d.hasValue = true;
            d.value = value, d.minimum = min, d.maximum = max;
            knob.describe(d);
        }
        if (on) {
            {
                // The drop area: 15 pixels beside and 45 above and below the slider.
                Box area(ui_);
                area.setPos(slider.x() - 15.0f, slider.y() - 45.0f);
                area.setShape(slider.w() + 30.0f, slider.h() + 90.0f);
                dropped = area.leftDropped(
                    [&knobName](const ControlID& dragged) { return dragged.name() == knobName; });
            }
            // Only this knob's drag moves it: another control's drag leaves it alone.
            const float dx =
                knob.leftDragging() ? static_cast<float>(ui_->mouseX() - ui_->dragStartX()) : 0.0f;
            const float x = usable ? clampTo(knobPos + dx, left, right - 1.0f) : left;
            if (!usable)
                dragValue = value;
            else if (right - left - 1.0f > 0.0f)
                dragValue = min + (max - min) * (x - left) / (right - left - 1.0f);
            else
                dragValue = min;
            if (dropped && usable)
                value = dragValue;
            if (knob.active() && ui_->eventType() == wxEVT_MOTION)
                Refresh();
            knob.setX(x);
            if (knob.leftClicked())
                knob.makeActive(); // the toolkit's drag starts from the active knob
            glColor(orbopal::Light);
            renderDiced(ui_, dicedButtonShade_, dicedButtonShadeHBounds_, dicedButtonShadeVBounds_);
            glColor(orbopal::HSlider);
            renderDiced(ui_, dicedButton_, dicedButtonHBounds_, dicedButtonVBounds_);
        } else {
            knob.setX(clampTo(knobPos, left, right - 1.0f));
            glColor(orbopal::DisabledHSlider);
            doToolTip(tooltip); // over the knob only
            renderDiced(ui_, dicedButton_, dicedButtonHBounds_, dicedButtonVBounds_);
        }
    }
    drawWell(); // behind the knob
    return dropped && usable;
}

bool AppWindow::doHSlider(ControlID id, float& value, float min, float max, const wchar_t* tooltip,
                          bool enabled) {
    float discarded = value;
    return doHSlider(id, value, discarded, min, max, tooltip, enabled);
}

bool AppWindow::doHSlider(ControlID id, float& value, float& dragValue, const wchar_t* tooltip,
                          bool enabled) {
    return doHSlider(id, value, dragValue, 0.0f, 100.0f, tooltip, enabled);
}

bool AppWindow::doHSlider(ControlID id, float& value, const wchar_t* tooltip, bool enabled) {
    float discarded = value;
    return doHSlider(id, value, discarded, 0.0f, 100.0f, tooltip, enabled);
}

} // namespace gui
