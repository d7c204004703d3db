// The progress bar across the current box, 32 high, its fill in the current colour (which is
// left as it was). A fill narrower than 32 pixels shows as a 32-pixel stub fading from
// half-transparent grey to white. Returns true in the pass of a double click. Forms without
// min and max take value as a percentage; forms without an id use the tooltip as identity.
#pragma once

#include "gui/ui.h"
#include "orbotk/control_id.h"

namespace gui {

// The height of progress bars and sliders.
constexpr float PROGRESS_H = 32.0f;

bool doProgress(Ui& ui, orbotk::ControlID id, float value, float min, float max,
                const wchar_t* tooltip);
bool doProgress(Ui& ui, orbotk::ControlID id, float value, const wchar_t* tooltip);
void doProgress(Ui& ui, float value, float min, float max, const wchar_t* tooltip);
void doProgress(Ui& ui, float value, const wchar_t* tooltip);
// The thin white well of sliders and progress bars: 4 high, 10 in from each side and 14 down
// in the current box.
void drawWell(Ui& ui);

} // namespace gui
