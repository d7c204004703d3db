// Split panes: the divider's drag, keys and double click, the position following the box's
// size, and the two panes' boxes.
#include "gui/split.h"

#include "gui/behavior.h"
#include "gui/palette.h"
#include "gui/render.h"

#include <algorithm>
#include <cmath>

namespace gui {

namespace {

// What a split keeps between passes: the size its box had, and where in the divider the
// pointer took hold of it.
struct SplitMemory {
    float size = -1.0f;
    float grab = 0.0f;
};

constexpr float KEY_STEP = 8.0f;

} // namespace

bool doSplit(Ui& ui, orbotk::ControlID id, float& position, const SplitOptions& o,
             const std::function<void()>& first, const std::function<void()>& second) {
    requirePass(ui, "doSplit");
    const bool on = ui.enabled();
    const bool side = o.axis == SplitOptions::SIDE_BY_SIDE;
    Box whole(ui);
    const float size = side ? whole.w() : whole.h();
    const float start = side ? whole.x() : whole.y();
    SplitMemory& m = ui.memory<SplitMemory>(id);
    if (m.size > SPLIT_DIVIDER && size > SPLIT_DIVIDER && size != m.size) {
        if (o.keeps == SplitOptions::PROPORTION)
            position = position * (size - SPLIT_DIVIDER) / (m.size - SPLIT_DIVIDER);
        else if (o.keeps == SplitOptions::SECOND)
            position += size - m.size;
    }
    m.size = size;
    // Minimums that are not numbers or below 0 are 0; a position that is not a number starts
    // where the default says, or in the middle.
    const auto atLeast0 = [](float v) { return std::isfinite(v) ? std::max(v, 0.0f) : 0.0f; };
    // A first minimum past the box gives the first pane all there is.
    const float room = std::max(size - SPLIT_DIVIDER, 0.0f);
    const float lo = std::min(atLeast0(o.minFirst), room),
                hi = std::max(lo, room - atLeast0(o.minSecond));
    const auto clamped = [lo, hi](float p) { return std::round(std::min(std::max(p, lo), hi)); };
    if (!std::isfinite(position))
        position = std::isfinite(o.defaultPosition) && o.defaultPosition >= 0.0f
                       ? o.defaultPosition
                       : (size - SPLIT_DIVIDER) / 2.0f;
    position = clamped(position);
    const float before = position;

    {
        Box divider(ui, id, on);
        if (side) {
            divider.setShape(SPLIT_DIVIDER, FILL);
            divider.setLeft(position);
        } else {
            divider.setShape(FILL, SPLIT_DIVIDER);
            divider.setTop(position);
        }
        if (divider.describing()) {
            orbotk::Description d;
            d.role = orbotk::Role::SplitPane;
            d.name = id.name();
            d.states = (on ? orbotk::ACC_ENABLED : 0u) | orbotk::ACC_FOCUSABLE;
            d.hasValue = true;
            d.value = position;
            d.minimum = lo;
            d.maximum = hi;
            divider.describe(d);
        }
        if (on) {
            const float pointer = static_cast<float>(side ? ui->mouseX() : ui->mouseY());
            if (divider.leftDoubleClicked() && o.defaultPosition >= 0.0f) {
                position = clamped(o.defaultPosition);
            } else if (divider.leftClicked()) {
                divider.makeActive();
                divider.makeFocused();
                m.grab = pointer - start - position;
            }
            if (divider.leftDragging())
                position = clamped(pointer - start - m.grab);
            if (divider.focused() && !divider.active()) {
                const float step = ui->ctrlDown() ? 1.0f : KEY_STEP;
                if (divider.keyDown(side ? WXK_LEFT : WXK_UP))
                    position = clamped(position - step);
                if (divider.keyDown(side ? WXK_RIGHT : WXK_DOWN))
                    position = clamped(position + step);
                if (divider.keyDown(WXK_HOME))
                    position = lo;
                if (divider.keyDown(WXK_END))
                    position = hi;
            }
            if (divider.over() || divider.leftDragging())
                ui->showCursor(side ? wxCURSOR_SIZEWE : wxCURSOR_SIZENS);
        }
        if (ui->isPaint()) {
            // Front to back: the focus border, a grip of three dots at the middle that says the
            // divider can be taken hold of, the groove's line, the highlight under the pointer.
            if (divider.focused())
                drawFocusBorder(ui);
            ui.color(on ? orbopal::DisabledText : orbopal::ListBorder);
            for (int i = -1; i <= 1; ++i) {
                Box dot(ui, 2.0f, 2.0f);
                const float along =
                    std::floor((side ? divider.h() : divider.w()) / 2) + 5.0f * i - 1;
                const float across = std::floor(SPLIT_DIVIDER / 2) - 1;
                dot.setLeft(side ? across : along);
                dot.setTop(side ? along : across);
                render(ui);
            }
            {
                Box line(ui, side ? 1.0f : FILL, side ? FILL : 1.0f);
                if (side)
                    line.setLeft(std::floor(SPLIT_DIVIDER / 2));
                else
                    line.setTop(std::floor(SPLIT_DIVIDER / 2));
                render(ui, on ? orbopal::ListBorder : orbopal::DisabledText);
            }
            if (on && (divider.over() || divider.active()))
                render(ui, orbopal::Hover);
        }
    }
    {
        Box pane(ui);
        if (side)
            pane.setShape(position, FILL);
        else
            pane.setShape(FILL, position);
        if (first)
            first();
    }
    {
        Box pane(ui);
        const float rest = std::max(0.0f, size - position - SPLIT_DIVIDER);
        if (side) {
            pane.setShape(rest, FILL);
            pane.setLeft(position + SPLIT_DIVIDER);
        } else {
            pane.setShape(FILL, rest);
            pane.setTop(position + SPLIT_DIVIDER);
        }
        if (second)
            second();
    }
    return position != before;
}

} // namespace gui
