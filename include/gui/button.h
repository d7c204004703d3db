// Image buttons: an icon, or an icon with a caption beside it. Each returns true in the one
// pass in which the user completes an activation (gui/behavior.h): a press on the button and a
// release anywhere, or Return or Space released while it has keyboard focus. A button that is
// disabled (itself or its window) ignores input and shows disabledTooltip (or tooltip when
// that is null). Without a ControlID the caption is the identity.
#pragma once

#include "gui/image.h"
#include "gui/ui.h"
#include "orbotk/control_id.h"

namespace gui {

// An icon covering the current box that shows pressedImage while held.
bool doButton(Ui& ui, orbotk::ControlID id, const Image& image, const Image& pressedImage,
              const wchar_t* tooltip, const wchar_t* disabledTooltip, bool enabled);
// An icon with a caption right of it; icon and caption are the click area.
bool doButton(Ui& ui, orbotk::ControlID id, const Image& image, const wchar_t* label,
              const wchar_t* tooltip, const wchar_t* disabledTooltip, bool enabled);
bool doButton(Ui& ui, const Image& image, const wchar_t* label, bool enabled);
bool doButton(Ui& ui, const Image& image, const wchar_t* label, const wchar_t* tooltip);
bool doButton(Ui& ui, const Image& image, const wchar_t* label, const wchar_t* tooltip,
              const wchar_t* disabledTooltip, bool enabled);
// The same, flush with the right edge, the caption left of the icon.
bool doButtonRight(Ui& ui, orbotk::ControlID id, const Image& image, const wchar_t* label,
                   const wchar_t* tooltip, const wchar_t* disabledTooltip, bool enabled);
bool doButtonRight(Ui& ui, const Image& image, const wchar_t* label, bool enabled);
bool doButtonRight(Ui& ui, const Image& image, const wchar_t* label, const wchar_t* tooltip);
bool doButtonRight(Ui& ui, const Image& image, const wchar_t* label, const wchar_t* tooltip,
                   const wchar_t* disabledTooltip, bool enabled);

} // namespace gui
