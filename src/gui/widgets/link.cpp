// Links: underlined text that activates like a button, in the link colour.
#include "gui/link.h"

#include "gui/behavior.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "gui/text_layout.h"

namespace gui {

using orbo::tk::RGBA;
using orbotk::ControlID;

bool doLink(Ui& ui, ControlID id, const wchar_t* text, const wchar_t* tooltip, const wxFont& font,
            bool enabled) {
    requirePass(ui, "doLink");
    const bool on = ui.enabled() && enabled;
    const RGBA colour = on ? orbopal::Link : orbopal::DisabledText;
    const std::wstring_view t = text ? text : L"";
    float w = static_cast<float>(ui->current()->w);
    // Only the width is used: the full text is drawn, clipped.
    fit(ui, font, w, t, false, ui->scratch.label);
    const float h = getFontHeight(ui, font) + 1.0f;
    Box link(ui, w, h, id, on);
    describeControl(link, orbotk::Role::Link, t.data(), on, 0u, tooltip);
    render(ui, colour, BORDER_BOTTOM); // the underline, drawn first: it lies in front
    render(ui, font, t, 0);
    bool result = false;
    if (on) {
        result = controlSelectionBehavior(ui, link);
        doToolTip(ui, tooltip);
    }
    return result;
}

bool doLink(Ui& ui, ControlID id, const wchar_t* text, const wchar_t* tooltip, bool enabled) {
    return doLink(ui, id, text, tooltip, ui.look().tinyFont, enabled);
}

bool doLink(Ui& ui, const wchar_t* text, const wchar_t* tooltip, const wxFont& font, bool enabled) {
    return doLink(ui, ControlID(tooltip), text, tooltip, font, enabled);
}

bool doLink(Ui& ui, const wchar_t* text, const wchar_t* tooltip, bool enabled) {
    return doLink(ui, ControlID(tooltip), text, tooltip, ui.look().tinyFont, enabled);
}

} // namespace gui
