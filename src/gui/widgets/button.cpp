// Image buttons: an icon alone, or an icon with a caption beside it placed from the left or
// (mirrored) the right edge. The click area is the icon with its caption.
#include "gui/button.h"

#include "gui/behavior.h"
#include "gui/labels.h"
#include "gui/palette.h"
#include "gui/render.h"

namespace gui {

using orbo::tk::RGBA;
using orbotk::ControlID;

namespace {
// Activation and icon tint of a captioned image button (ActiveButton while held, focused or
// activated; DisabledButton when off).
RGBA iconButtonBehavior(Ui& ui, Box& button, bool on, bool& result) {
    result = false;
    if (!on)
        return orbopal::DisabledButton;
    result = controlSelectionBehavior(ui, button);
    if (result)
        ui.refresh();
    return result || button.active() || button.focused() ? orbopal::ActiveButton : orbopal::Button;
}

// An image button with a caption, placed from the left or (mirrored) the right edge.
bool captionedButton(Ui& ui, ControlID id, const Image& image, const wchar_t* label,
                     const wchar_t* tooltip, const wchar_t* disabledTooltip, bool enabled,
                     bool right) {
    requirePass(ui, right ? "doButtonRight" : "doButton");
    const bool on = ui.enabled() && enabled;
    // The caption starts icon width + 8 in from the near edge; the button box spans icon and
    // caption from that edge, and is the click area.
    float width = image.w() + 8.0f;
    if (label != nullptr) {
        ui.caption = true;
        if (right)
            doLabelIndentRight(ui, width, 4.0f, label, enabled);
        else
            doLabelIndent(ui, width, 4.0f, label, enabled);
        ui.caption = false;
    }
    Box button(ui, width, FILL, id, on);
    if (right)
        button.setRight(FILL);
    // The icon is centred vertically, with the same inset from the near edge.
    Box icon(ui, image.shape());
    const float offset = (button.h() - image.h()) * 0.5f;
    if (right)
        icon.setRight(-offset); // an offset of 0 gives -0.0: flush with the right edge
    else
        icon.setLeft(offset);
    icon.setTop(offset);
    doToolTip(ui, chooseTip(on, tooltip, disabledTooltip));
    describeControl(button, orbotk::Role::PushButton,
                    label     ? label
                    : tooltip ? tooltip
                              : id.name().c_str(),
                    on, 0u, chooseTip(on, tooltip, disabledTooltip));
    bool result = false;
    ui.color(iconButtonBehavior(ui, button, on, result));
    render(ui, image);
    return result;
}
} // namespace

bool doButton(Ui& ui, ControlID id, const Image& image, const Image& pressedImage,
              const wchar_t* tooltip, const wchar_t* disabledTooltip, bool enabled) {
    requirePass(ui, "doButton");
    const bool on = ui.enabled() && enabled;
    Box button(ui, id, on);
    doToolTip(ui, chooseTip(on, tooltip, disabledTooltip));
    describeControl(button, orbotk::Role::PushButton, tooltip ? tooltip : id.name().c_str(), on, 0u,
                    chooseTip(on, tooltip, disabledTooltip));
    bool result = false;
    if (on) {
        result = controlSelectionBehavior(ui, button);
        if (result)
            ui.refresh();
    }
    const Image& shown = button.active() ? pressedImage : image;
    Box icon(ui, shown.shape()); // at the button's origin
    ui.color(on ? Color::White : orbopal::Disabled);
    render(ui, shown);
    return result;
}

bool doButton(Ui& ui, ControlID id, const Image& image, const wchar_t* label,
              const wchar_t* tooltip, const wchar_t* disabledTooltip, bool enabled) {
    return captionedButton(ui, id, image, label, tooltip, disabledTooltip, enabled, false);
}

bool doButton(Ui& ui, const Image& image, const wchar_t* label, bool enabled) {
    return doButton(ui, ControlID(label), image, label, nullptr, nullptr, enabled);
}

bool doButton(Ui& ui, const Image& image, const wchar_t* label, const wchar_t* tooltip) {
    return doButton(ui, ControlID(label), image, label, tooltip, tooltip, true);
}

bool doButton(Ui& ui, const Image& image, const wchar_t* label, const wchar_t* tooltip,
              const wchar_t* disabledTooltip, bool enabled) {
    return doButton(ui, ControlID(label), image, label, tooltip, disabledTooltip, enabled);
}

bool doButtonRight(Ui& ui, ControlID id, const Image& image, const wchar_t* label,
                   const wchar_t* tooltip, const wchar_t* disabledTooltip, bool enabled) {
    return captionedButton(ui, id, image, label, tooltip, disabledTooltip, enabled, true);
}

bool doButtonRight(Ui& ui, const Image& image, const wchar_t* label, bool enabled) {
    return doButtonRight(ui, ControlID(label), image, label, nullptr, nullptr, enabled);
}

bool doButtonRight(Ui& ui, const Image& image, const wchar_t* label, const wchar_t* tooltip) {
    return doButtonRight(ui, ControlID(label), image, label, tooltip, tooltip, true);
}

bool doButtonRight(Ui& ui, const Image& image, const wchar_t* label, const wchar_t* tooltip,
                   const wchar_t* disabledTooltip, bool enabled) {
    return doButtonRight(ui, ControlID(label), image, label, tooltip, disabledTooltip, enabled);
}

} // namespace gui
