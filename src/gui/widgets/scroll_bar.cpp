// The vertical scroll bar: step arrows, page areas beside the thumb, and a thumb dragged in
// steps of more than 5 pixels. The caller owns the position and the two floats of drag state;
// the bar keeps nothing between passes.
//
//   bar (23 wide, along the parent's right edge)
//   +-----------+  up arrow, 23 x 23            press, release: pos - 1
//   |  page up  |  from 19 down to the thumb    press, release: pos - visible
//   |   thumb   |  visible / range of the track drag: pos follows the thumb
//   | page down |  from the thumb to 19 above the bottom
//   +-----------+  down arrow, 23 x 23          press, release: pos + 1
// The track is the bar less 19 pixels at each end; the arrows overlap it by 4.
#include "gui/app_window.h"
#include "gui/palette.h"
#include "gui/render.h"

#include <algorithm>
#include <cmath>

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

int AppWindow::doVScroll(ControlID id, int& pos, int visible, float& dragTop, float& dragMouse,
                         int min, int max, bool enabled) {
    requirePass(ui_, "doVScroll");
    dragTop = std::floor(dragTop);
    dragMouse = std::floor(dragMouse);
    const int range = max - min + 1;
    if (range <= visible)
        return pos; // every row fits: no bar
    const bool on = IsEnabled() && range > 0 && enabled;
    const int last = max - visible + 1; // the largest first row

    Box bar(ui_, SCROLL_SIZE, FILL, ControlID(), true);
    bar.setRight(FILL);
    const float trackH = bar.h() - 38.0f;
    float thumbH =
        std::floor(static_cast<float>(visible) * trackH / static_cast<float>(range) + 0.5f);
    thumbH = std::max(thumbH, std::floor(checkboxTex_.h()));
    const float travel = std::floor(trackH - thumbH);
    const drag_bounds bounds = make_bounds(pos_t(bar.x(), bar.y() + 19.0f), shape_t(1.0f, travel));
    float thumbTop = dragTop != 0.0f
                         ? dragTop
                         : bounds.top() + static_cast<float>(pos - min) /
                                              static_cast<float>(range - visible) * travel;

    {
        Box up(ui_, SCROLL_SIZE, SCROLL_SIZE, ControlID(), true);
        {
            Box icon(ui_, scrollbarUp_.shape());
            icon.setLeft(6.0f);
            icon.setTop(7.0f);
            glColor(orbopal::Button);
            render(ui_, scrollbarUp_);
        }
        renderPushButton(orbopal::ScrollBar, on);
        if (on && released(up)) {
            pos = std::max(pos - 1, min);
            Refresh();
        }
    }
    {
        Box pageUp(ui_, SCROLL_SIZE, thumbTop - bar.y() - 19.0f, ControlID(), true);
        pageUp.setTop(19.0f);
        if (on && released(pageUp)) {
            pos = std::max(pos - visible, min);
            Refresh();
        }
    }
    {
        Box pageDown(ui_, SCROLL_SIZE, bar.y() + bar.h() - (thumbTop + thumbH) - 19.0f, ControlID(),
                     true);
        pageDown.setY(thumbTop + thumbH);
        if (on && released(pageDown)) {
            pos = std::min(pos + visible, last);
            Refresh();
        }
    }
    {
        Box down(ui_, SCROLL_SIZE, SCROLL_SIZE, ControlID(), true);
        down.setBottom(FILL);
        {
            Box icon(ui_, scrollbarDown_.shape());
            icon.setLeft(6.0f);
            icon.setBottom(-9.0f);
            glColor(orbopal::Button);
            render(ui_, scrollbarDown_);
        }
        renderPushButton(orbopal::ScrollBar, on);
        if (on && released(down)) {
            pos = std::min(pos + 1, last);
            Refresh();
        }
    }
    if (on) {
        Box thumb(ui_, SCROLL_SIZE, thumbH, id, false);
        thumb.setY(thumbTop);
        const wxEventType type = ui_->eventType();
        if (thumb.active() && type == wxEVT_MOTION)
            Refresh(); // repaint while dragging
        const float pointerY = static_cast<float>(ui_->mouseY());
        if (thumb.leftClicked()) {
            dragTop = thumbTop;
            dragMouse = pointerY;
            thumb.makeActive();
        }
        // Any left release or double click in the window ends the drag, wherever it happens.
        if (type == wxEVT_LEFT_UP || type == wxEVT_LEFT_DCLICK) {
            dragTop = 0.0f;
            dragMouse = 0.0f;
            Refresh();
        }
        if (dragMouse != 0.0f) {
            const float delta = pointerY - dragMouse;
            // A dead zone of 5 pixels: the thumb follows the pointer in larger steps only.
            if (std::fabs(delta) > 5.0f) {
                thumbTop = std::min(std::max(thumbTop + delta, bounds.top()), bounds.bottom());
                if (travel > 0.0f)
                    pos = static_cast<int>(
                        std::floor(static_cast<float>(min) +
                                   (thumbTop - bounds.top()) / (bounds.bottom() - bounds.top()) *
                                       static_cast<float>(range - visible) +
                                   0.5f));
                dragTop = thumbTop;
                dragMouse = pointerY;
                thumb.setY(thumbTop);
            }
        }
        glColor(orbopal::Light);
        renderDiced(ui_, dicedButtonShade_, dicedButtonShadeHBounds_, dicedButtonShadeVBounds_);
        glColor(orbopal::ScrollBar);
        renderDiced(ui_, dicedButton_, dicedButtonHBounds_, dicedButtonVBounds_);
    }
    // The track, behind everything else of the bar.
    glColor(orbobrand::whitebg::Gray);
    renderDiced(ui_, dicedButton_, dicedButtonHBounds_, dicedButtonVBounds_);
    return pos;
}

} // namespace gui
