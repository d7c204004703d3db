// The icon of a checkbox or radio button: a box of the image's size, centred vertically in the
// control with the same left inset, so that captions of radio buttons and checkboxes line up.
#pragma once

#include "gui/box.h"
#include "gui/image.h"

namespace gui {

inline void placeIcon(Box& icon, const Box& control, const Image& image) {
    const float offset = (control.h() - image.h()) * 0.5f;
    icon.setLeft(offset);
    icon.setTop(offset);
}

} // namespace gui
