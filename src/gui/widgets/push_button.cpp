// Push buttons: a raised body in the caller's colour, cut from the checkbox image as a
// nine-patch, with an optional icon and a caption; shown pressed while held.
#include "gui/push_button.h"

#include "gui/behavior.h"
#include "gui/labels.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "gui/text_layout.h"

namespace gui {

using orbo::tk::RGBA;
using orbotk::ControlID;

namespace {
// The caption's top: centred on five quarters of the font height.
float captionTop(float buttonHeight, float fontHeight) {
    const int fh = static_cast<int>(fontHeight);
    return (buttonHeight - static_cast<float>(fh * 5 / 4)) * 0.5f;
}
// A push button with an optional icon (the caption starts after it, or at 8).
bool pushButton(Ui& ui, ControlID id, const Image* image, const wchar_t* label, bool enabled) {
    requirePass(ui, "doPushButton");
    const bool on = ui.enabled() && enabled;
    Box button(ui, id, on);
    bool result = false;
    if (on) {
        result = controlSelectionBehavior(ui, button);
        if (result)
            ui.refresh();
    }
    describeControl(button, orbotk::Role::PushButton, label ? label : id.name().c_str(), on);
    const RGBA body = ui->colour(); // as the caller left it
    float captionX = 8.0f;
    if (image != nullptr) {
        Box icon(ui, image->shape());
        const float inset = (button.h() - image->h()) * 0.5f;
        icon.setLeft(inset);
        icon.setTop(inset - 1.0f);
        ui.color(on ? orbopal::Button : orbopal::DisabledButton);
        render(ui, *image);
        captionX = image->w() + 8.0f;
    }
    if (label != nullptr) {
        ui.caption = true;
        doLabelIndent(ui, captionX, captionTop(button.h(), getFontHeight(ui, ui.look().configFont)),
                      label, enabled);
        ui.caption = false;
    }
    renderPushButton(ui, body, !(result || button.active()));
    return result;
}

} // namespace

bool doPushButton(Ui& ui, ControlID id, const Image& image, const wchar_t* label, bool enabled) {
    return pushButton(ui, id, &image, label, enabled);
}

bool doPushButton(Ui& ui, ControlID id, const wchar_t* label, bool enabled) {
    return pushButton(ui, id, nullptr, label, enabled);
}

bool doPushButton(Ui& ui, const Image& image, const wchar_t* label, bool enabled) {
    return doPushButton(ui, ControlID(label), image, label, enabled);
}

bool doPushButton(Ui& ui, const wchar_t* label, bool enabled) {
    return doPushButton(ui, ControlID(label), label, enabled);
}

bool doPushButton(Ui& ui, ControlID id, bool enabled) {
    return doPushButton(ui, id, L"", enabled);
}

void renderPushButton(Ui& ui, const RGBA& colour, bool raised) {
    requirePass(ui, "renderPushButton");
    // The shade is drawn first, so it lies in front of the body; tinted grey it looks pressed.
    ui.color(raised ? orbopal::Light : orbopal::Disabled);
    renderDiced(ui, ui.look().dicedButtonShade, ui.look().dicedButtonShadeHBounds,
                ui.look().dicedButtonShadeVBounds);
    ui.color(colour);
    renderDiced(ui, ui.look().dicedButton, ui.look().dicedButtonHBounds,
                ui.look().dicedButtonVBounds);
}

} // namespace gui
