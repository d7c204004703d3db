// Small marks that widgets draw: the icon of a checkbox or radio button, placed so that the
// captions of radio buttons and checkboxes line up, and a small triangle (a step button's,
// a scrolling arrow's) drawn in the current colour, sharp at every scale.
#pragma once

#include "gui/box.h"
#include "gui/image.h"
#include "gui/render.h"

namespace gui {

inline void placeIcon(Box& icon, const Box& control, const Image& image) {
    const float offset = (control.h() - image.h()) * 0.5f;
    icon.setLeft(offset);
    icon.setTop(offset);
}

enum class Pointing { Up, Down, Left, Right };

// A triangle 7 pixels across and 4 deep, centred in the current box, in the current colour.
inline void drawTriangle(const ui_t& ui, Pointing to) {
    constexpr int ROWS = 4; // 1, 3, 5 and 7 pixels across from the tip
    const bool across = to == Pointing::Up || to == Pointing::Down;
    Box triangle(ui, across ? 2.0f * ROWS - 1.0f : ROWS, across ? ROWS : 2.0f * ROWS - 1.0f);
    triangle.setCenterX();
    triangle.setCenterY();
    for (int i = 0; i < ROWS; ++i) {
        const float at =
            static_cast<float>(to == Pointing::Up || to == Pointing::Left ? i : ROWS - 1 - i);
        Box row(ui, across ? 2.0f * i + 1.0f : 1.0f, across ? 1.0f : 2.0f * i + 1.0f);
        if (across) {
            row.setCenterX();
            row.setTop(at);
        } else {
            row.setCenterY();
            row.setLeft(at);
        }
        render(ui);
    }
}

} // namespace gui
