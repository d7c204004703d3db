// Push buttons: a raised body in the current colour (set it before the call) covering the
// current box, with an optional icon and caption. Activation as every button's
// (gui/behavior.h): true in the one pass that completes a click or a Return or Space. Without
// a ControlID the caption is the identity.
#pragma once

#include "gui/image.h"
#include "gui/ui.h"
#include "orbotk/control_id.h"
#include "orbotk/rgba.h"

namespace gui {

bool doPushButton(Ui& ui, orbotk::ControlID id, const Image& image, const wchar_t* label,
                  bool enabled);
bool doPushButton(Ui& ui, orbotk::ControlID id, const wchar_t* label, bool enabled);
bool doPushButton(Ui& ui, const Image& image, const wchar_t* label, bool enabled);
bool doPushButton(Ui& ui, const wchar_t* label, bool enabled);
bool doPushButton(Ui& ui, orbotk::ControlID id, bool enabled);
// The push-button body over the current box: shade (light when raised), then the body.
void renderPushButton(Ui& ui, const orbo::tk::RGBA& colour, bool raised);

} // namespace gui
