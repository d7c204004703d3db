// Links: underlined text at the current box's origin, as wide as its (fitted) text. Activation
// as every button's (gui/behavior.h); without a ControlID the tooltip is the identity.
#pragma once

#include "gui/ui.h"
#include "orbotk/control_id.h"

#include <wx/font.h>

namespace gui {

bool doLink(Ui& ui, orbotk::ControlID id, const wchar_t* text, const wchar_t* tooltip,
            const wxFont& font, bool enabled);
bool doLink(Ui& ui, orbotk::ControlID id, const wchar_t* text, const wchar_t* tooltip,
            bool enabled);
bool doLink(Ui& ui, const wchar_t* text, const wchar_t* tooltip, const wxFont& font, bool enabled);
bool doLink(Ui& ui, const wchar_t* text, const wchar_t* tooltip, bool enabled);

} // namespace gui
