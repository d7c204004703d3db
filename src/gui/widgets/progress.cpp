// The progress bar: a well and a fill in the caller's colour, proportional to the value. A fill
// narrower than the bar's height would look like a speck, so it is drawn 32 pixels wide in a
// colour that fades in with the true width instead.
#include "gui/progress.h"

#include "gui/behavior.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "render/pixel.h"

namespace gui {

using orbo::tk::RGBA;
using orbotk::ControlID;

bool doProgress(Ui& ui, ControlID id, float value, float min, float max, const wchar_t* tooltip) {
    requirePass(ui, "doProgress");
    Box bar(ui, FILL, PROGRESS_H, id, false);
    const float v = min > value ? min : (value > max ? max : value);
    if (bar.describing()) {
        orbotk::Description d;
        d.role = orbotk::Role::ProgressBar;
        d.name = tooltip ? tooltip : id.name();
        d.description = tooltip ? tooltip : L"";
        d.hasValue = true;
        d.value = v, d.minimum = min, d.maximum = max;
        bar.describe(d);
    }
    const RGBA entry = ui->colour();
    float w = bar.w() / (max - min) * (v - min);
    if (!(w >= 0.0f))
        w = 0.0f; // an empty range (max == min) gives no width, not NaN
    if (w < PROGRESS_H) {
        // From half-transparent grey at width 0 to white at 32; the caller's colour from there.
        ui.color(RGBA(px::lerpPixel(0x80606060u, 0xFFFFFFFFu, w * 0.03125f)));
        w = PROGRESS_H;
    }
    {
        Box fill(ui, w, PROGRESS_H);
        renderDiced(ui, ui.look().dicedProgress, ui.look().dicedProgressBounds,
                    ui.look().simpleBounds);
    }
    drawWell(ui);
    doToolTip(ui, tooltip);
    ui.color(entry);
    return bar.leftDoubleClicked();
}

void drawWell(Ui& ui) {
    Box well(ui, ui->current()->w - 20.0f, 4.0f);
    well.setLeft(10.0f);
    well.setTop(14.0f);
    ui.color(Color::White);
    renderDiced(ui, ui.look().dicedWell, ui.look().dicedWellBounds, ui.look().simpleBounds);
}

bool doProgress(Ui& ui, ControlID id, float value, const wchar_t* tooltip) {
    return doProgress(ui, id, value, 0.0f, 100.0f, tooltip);
}

void doProgress(Ui& ui, float value, float min, float max, const wchar_t* tooltip) {
    // Without a tooltip there is no name to make an identity from: the bar is anonymous.
    doProgress(ui, tooltip ? ControlID(tooltip) : ControlID(), value, min, max, tooltip);
}

void doProgress(Ui& ui, float value, const wchar_t* tooltip) {
    doProgress(ui, value, 0.0f, 100.0f, tooltip);
}

} // namespace gui
