// The scroll bars: step arrows, page areas beside the thumb, and a thumb dragged in steps of
// more than 5 pixels; the horizontal bar is the vertical one turned on its side. The caller owns
// the position and the two floats of drag state; the bar keeps nothing between passes.
//
//   bar (23 wide, along the parent's right edge)
//   +-----------+  up arrow, 23 x 23            press, release: pos - 1
//   |  page up  |  from 19 down to the thumb    press, release: pos - visible
//   |   thumb   |  visible / range of the track drag: pos follows the thumb
//   | page down |  from the thumb to 19 above the bottom
//   +-----------+  down arrow, 23 x 23          press, release: pos + 1
// The track is the bar less 19 pixels at each end; the arrows overlap it by 4.
#include "gui/scroll_bar.h"

#include "gui/behavior.h"
#include "gui/palette.h"
#include "gui/push_button.h"
#include "gui/render.h"
#include "widgets/icon.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace gui {

using orbotk::ControlID;

namespace {
// The click-and-release rule of the arrows and page areas: true on the release that follows a
// press on the same box.
bool released(Box& box) {
    if (box.leftClicked())
        box.makeActive();
    if (!(box.active() && box.leftReleased()))
        return false;
    box.clearActive();
    return true;
}
} // namespace

namespace {
// Both bars: the vertical one as drawn above, the horizontal one the same turned on its side,
// its arrows drawn as triangles. `along` is a position down (or across) the bar, `size` a
// length along it; the other side is the bar's width.
int scrollBar(Ui& ui, ControlID id, int& pos, int visible, float& dragTop, float& dragMouse,
              int min, int max, bool enabled, bool vertical) {
    // A drag state that is not a number is no drag at all.
    dragTop = std::isfinite(dragTop) ? std::floor(dragTop) : 0.0f;
    dragMouse = std::isfinite(dragMouse) ? std::floor(dragMouse) : 0.0f;
    visible = std::max(visible, 1); // a page shows at least one row
    // In 64 bits: min and max may be anywhere in the int range. max below min is an empty list.
    const std::int64_t rows = static_cast<std::int64_t>(max) - min + 1;
    if (rows <= visible)
        return pos; // every row fits: no bar
    const bool on = ui.enabled() && enabled;
    const int last = static_cast<int>(max - visible + 1); // the largest first row
    pos = std::min(std::max(pos, min), last);             // the first row lies in the list
    // Row steps in 64 bits too, kept between min and last.
    const auto step = [&](std::int64_t by) {
        pos = static_cast<int>(std::min<std::int64_t>(std::max<std::int64_t>(pos + by, min), last));
    };
    const float pages = static_cast<float>(rows - visible); // first rows beyond min

    Box bar(ui, vertical ? SCROLL_SIZE : FILL, vertical ? FILL : SCROLL_SIZE, ControlID(), true);
    if (vertical)
        bar.setRight(FILL);
    else
        bar.setBottom(FILL);
    // A box of `size` along the bar, at `at` from the bar's start (the window's, when absolute).
    const auto shape = [&](Box& b, float size) {
        if (vertical)
            b.setShape(SCROLL_SIZE, size);
        else
            b.setShape(size, SCROLL_SIZE);
    };
    const auto place = [&](Box& b, float at) {
        if (vertical)
            b.setTop(at);
        else
            b.setLeft(at);
    };
    const auto placeAbsolute = [&](Box& b, float at) {
        if (vertical)
            b.setY(at);
        else
            b.setX(at);
    };
    const float barStart = vertical ? bar.y() : bar.x(), barSize = vertical ? bar.h() : bar.w();
    // Described on the bar, or on the thumb where the thumb takes the focus, so that screen
    // readers follow the focus to it.
    const bool focusable = on && !id.anonymous() && id.tabIdx() != orbotk::TabIdx::DISABLED;
    const auto describe = [&](Box& box) {
        orbotk::Description d;
        d.role = orbotk::Role::ScrollBar;
        d.states = (on ? orbotk::ACC_ENABLED : 0u) | (focusable ? orbotk::ACC_FOCUSABLE : 0u);
        d.hasValue = true;
        d.value = pos, d.minimum = min, d.maximum = last;
        box.describe(d);
    };
    if (bar.describing() && !focusable)
        describe(bar);
    const float trackH = barSize - 38.0f;
    float thumbH =
        std::floor(static_cast<float>(visible) * trackH / static_cast<float>(rows) + 0.5f);
    thumbH = std::max(thumbH, std::floor(ui.look().checkboxTex.h()));
    const float travel = std::floor(trackH - thumbH);
    const drag_bounds bounds =
        vertical ? make_bounds(pos_t(bar.x(), bar.y() + 19.0f), shape_t(1.0f, travel))
                 : make_bounds(pos_t(bar.y(), bar.x() + 19.0f), shape_t(1.0f, travel));
    float thumbTop = dragTop != 0.0f
                         ? dragTop
                         : bounds.top() + static_cast<float>(static_cast<std::int64_t>(pos) - min) /
                                              pages * travel;

    {
        Box up(ui, SCROLL_SIZE, SCROLL_SIZE, ControlID(), true);
        ui.color(orbopal::Button);
        if (vertical) {
            Box icon(ui, ui.look().scrollbarUp.shape());
            icon.setLeft(6.0f);
            icon.setTop(7.0f);
            render(ui, ui.look().scrollbarUp);
        } else {
            drawTriangle(ui, Pointing::Left);
        }
        renderPushButton(ui, orbopal::ScrollBar, on);
        if (on && released(up)) {
            step(-1);
            ui.refresh();
        }
    }
    {
        Box pageUp(ui);
        shape(pageUp, thumbTop - barStart - 19.0f);
        place(pageUp, 19.0f);
        if (on && released(pageUp)) {
            step(-visible);
            ui.refresh();
        }
    }
    {
        Box pageDown(ui);
        shape(pageDown, barStart + barSize - (thumbTop + thumbH) - 19.0f);
        placeAbsolute(pageDown, thumbTop + thumbH);
        if (on && released(pageDown)) {
            step(visible);
            ui.refresh();
        }
    }
    {
        Box down(ui, SCROLL_SIZE, SCROLL_SIZE, ControlID(), true);
        if (vertical)
            down.setBottom(FILL);
        else
            down.setRight(FILL);
        ui.color(orbopal::Button);
        if (vertical) {
            Box icon(ui, ui.look().scrollbarDown.shape());
            icon.setLeft(6.0f);
            icon.setBottom(-9.0f);
            render(ui, ui.look().scrollbarDown);
        } else {
            drawTriangle(ui, Pointing::Right);
        }
        renderPushButton(ui, orbopal::ScrollBar, on);
        if (on && released(down)) {
            step(1);
            ui.refresh();
        }
    }
    if (on) {
        // A named bar takes the focus; its thumb stands for it.
        Box thumb(ui, ControlID(id), true);
        shape(thumb, thumbH);
        placeAbsolute(thumb, thumbTop);
        if (thumb.focused()) {
            const int before = pos;
            if (thumb.keyDown(vertical ? WXK_UP : WXK_LEFT))
                step(-1);
            else if (thumb.keyDown(vertical ? WXK_DOWN : WXK_RIGHT))
                step(1);
            else if (thumb.keyDown(WXK_PAGEUP))
                step(-visible);
            else if (thumb.keyDown(WXK_PAGEDOWN))
                step(visible);
            else if (thumb.keyDown(WXK_HOME))
                pos = min;
            else if (thumb.keyDown(WXK_END))
                pos = last;
            if (pos != before) {
                thumbTop = bounds.top() + static_cast<float>(static_cast<std::int64_t>(pos) - min) /
                                              pages * travel;
                placeAbsolute(thumb, thumbTop);
                ui.refresh();
            }
            drawFocusBorder(ui);
        }
        if (thumb.describing() && focusable)
            describe(thumb);
        const wxEventType type = ui->eventType();
        if (thumb.active() && type == wxEVT_MOTION)
            ui.refresh(); // repaint while dragging
        const float pointerY = static_cast<float>(vertical ? ui->mouseY() : ui->mouseX());
        if (thumb.leftClicked()) {
            dragTop = thumbTop;
            dragMouse = pointerY;
            thumb.makeActive();
        }
        // Any left release or double click in the window ends the drag, wherever it happens.
        if (type == wxEVT_LEFT_UP || type == wxEVT_LEFT_DCLICK) {
            dragTop = 0.0f;
            dragMouse = 0.0f;
            ui.refresh();
        }
        if (dragMouse != 0.0f) {
            const float delta = pointerY - dragMouse;
            // A dead zone of 5 pixels: the thumb follows the pointer in larger steps only.
            if (std::fabs(delta) > 5.0f) {
                thumbTop = std::min(std::max(thumbTop + delta, bounds.top()), bounds.bottom());
                if (travel > 0.0f) {
                    const double row = std::floor(static_cast<float>(min) +
                                                  (thumbTop - bounds.top()) /
                                                      (bounds.bottom() - bounds.top()) * pages +
                                                  0.5f);
                    pos = static_cast<int>(std::clamp<double>(row, min, last));
                }
                dragTop = thumbTop;
                dragMouse = pointerY;
                placeAbsolute(thumb, thumbTop);
            }
        }
        ui.color(orbopal::Light);
        renderDiced(ui, ui.look().dicedButtonShade, ui.look().dicedButtonShadeHBounds,
                    ui.look().dicedButtonShadeVBounds);
        ui.color(orbopal::ScrollBar);
        renderDiced(ui, ui.look().dicedButton, ui.look().dicedButtonHBounds,
                    ui.look().dicedButtonVBounds);
    }
    // The track, behind everything else of the bar.
    ui.color(orbopal::ScrollTrack);
    renderDiced(ui, ui.look().dicedButton, ui.look().dicedButtonHBounds,
                ui.look().dicedButtonVBounds);
    return pos;
}
} // namespace

int doVScroll(Ui& ui, ControlID id, int& pos, int visible, float& dragTop, float& dragMouse,
              int min, int max, bool enabled) {
    requirePass(ui, "doVScroll");
    return scrollBar(ui, id, pos, visible, dragTop, dragMouse, min, max, enabled, true);
}

int doHScroll(Ui& ui, ControlID id, int& pos, int visible, float& dragLeft, float& dragMouse,
              int min, int max, bool enabled) {
    requirePass(ui, "doHScroll");
    return scrollBar(ui, id, pos, visible, dragLeft, dragMouse, min, max, enabled, false);
}

} // namespace gui
