// The number field: a line of text that holds what is typed until it is committed, the step
// buttons, the label that drags the value, and the number written and read with the locale's
// decimal separator.
#include "gui/number_field.h"

#include "gui/behavior.h"
#include "gui/labels.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "gui/text_box.h"
#include "widgets/caret.h"
#include "widgets/icon.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <locale>
#include <memory>
#include <sstream>
#include <wx/numformatter.h>

namespace gui {

namespace {

constexpr float BUTTONS_W = 18.0f;
constexpr float DRAG_PIXELS = 4.0f; // a step for every so many pixels of a drag

// What a field keeps between passes: the text being typed, the value it last showed, whether
// it had the focus, and the value a drag of the label started from.
struct NumberMemory {
    std::unique_ptr<TextState> text;
    orbotk::ControlID label, up, down; // the parts' names, made once
    double shown = std::nan("");
    bool focused = false;
    double dragFrom = 0.0;
};

bool numberCharacter(char c) {
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == ',';
}

wchar_t separator() {
    return static_cast<wchar_t>(wxNumberFormatter::GetDecimalSeparator());
}

// Places a double can show: past 17 every digit is noise.
int places(int decimals) {
    return std::clamp(decimals, 0, 17);
}

std::wstring format(double value, int decimals) {
    wchar_t text[400]; // the largest double written out, and 17 places
    std::swprintf(text, 400, L"%.*f", places(decimals), value);
    std::wstring s(text);
    std::replace(s.begin(), s.end(), L'.', separator());
    return s;
}

// The typed text as a number: '.' or the locale's separator, read in the classic locale.
bool parse(std::wstring text, double& out) {
    std::replace(text.begin(), text.end(), separator(), L'.');
    std::replace(text.begin(), text.end(), L',', L'.');
    std::wistringstream in(text);
    in.imbue(std::locale::classic());
    double v = 0;
    if (!(in >> v))
        return false;
    wchar_t rest = 0;
    if (in >> rest)
        return false;
    out = v;
    return std::isfinite(v);
}

// Rounded to the places and clamped to the limits; a limit that is not a number does not limit.
// Not a number, or an infinity, where the step or the limits made one.
double settle(double v, const NumberOptions& o) {
    const double scale = std::pow(10.0, places(o.decimals));
    if (std::fabs(v) < 1e15) // beyond, a double has no places to round
        v = std::round(v * scale) / scale;
    if (v < o.minimum)
        v = o.minimum;
    if (v > std::max(o.minimum, o.maximum))
        v = std::max(o.minimum, o.maximum);
    return v;
}

// A step button: a small triangle pointing up or down, highlighted under the pointer.
bool stepButton(Ui& ui, const orbotk::ControlID& id, bool up, bool on) {
    Box b(ui, id, on);
    bool pressed = false;
    if (on && b.leftClicked()) {
        b.makeActive();
        pressed = true;
    }
    if (!ui->isPaint())
        return pressed;
    ui.color(on ? orbopal::Text : orbopal::DisabledText);
    drawTriangle(ui, up ? Pointing::Up : Pointing::Down);
    if (on && (b.over() || b.active()))
        render(ui, orbopal::Hover);
    return pressed;
}

} // namespace

bool doNumberField(Ui& ui, orbotk::ControlID id, double& value, const wchar_t* label,
                   const NumberOptions& o, bool enabled) {
    requirePass(ui, "doNumberField");
    const bool on = enabled && ui.enabled();
    NumberMemory& m = ui.memory<NumberMemory>(id);
    if (!m.text) {
        m.text = std::make_unique<TextState>(ui.look().textFont, L"");
        m.text->setValidator(numberCharacter);
        m.label = orbotk::ControlID(id.name() + L":label", orbotk::TabIdx::DISABLED);
        m.up = orbotk::ControlID(id.name() + L":up", orbotk::TabIdx::DISABLED);
        m.down = orbotk::ControlID(id.name() + L":down", orbotk::TabIdx::DISABLED);
    }
    TextState& text = *m.text;
    text.beginPass();
    const double before = value;
    if (!m.focused && !(value == m.shown)) {
        text.setText(format(value, o.decimals));
        text.setModified(false);
        m.shown = value;
    }
    const auto set = [&](double v) {
        v = settle(v, o);
        if (!std::isfinite(v))
            return; // a step or a limit that is not a number moves nothing
        value = v;
        text.setText(format(value, o.decimals));
        m.shown = value;
        ui.refresh();
    };

    const float parentW = static_cast<float>(ui->current()->w);
    float indent = 0.0f;
    if (label != nullptr) {
        // The label's column, right-aligned in it; it drags the value.
        indent = o.labelWidth > 0.0f ? o.labelWidth
                                     : getTextShape(ui, label, ui.look().configFont).width + 12.0f;
        Box column(ui, indent, -5.0f, m.label, on);
        column.setTop(5.0f);
        {
            Box text(ui, indent - 4.0f, FILL);
            doLabelRight(ui, label, on);
        }
        if (on) {
            if (column.leftClicked()) {
                column.makeActive();
                m.dragFrom = value;
            }
            if (column.leftDragging()) {
                const float dx = static_cast<float>(ui->mouseX() - ui->dragStartX());
                const double step = ui->shiftDown() ? o.step / 10.0 : o.step;
                const double v = settle(m.dragFrom + std::trunc(dx / DRAG_PIXELS) * step, o);
                if (v != value)
                    set(v);
            }
            if (column.over() || column.leftDragging())
                ui->showCursor(wxCURSOR_SIZEWE);
        }
    }

    if (label != nullptr)
        indent += 6.0f; // the gap a line edit leaves after its label
    Box whole(ui, parentW - indent, FILL);
    whole.setLeft(indent);
    if (on) {
        const int wheel = whole.wheelRotation();
        if (wheel != 0) // a step a notch; a finer wheel's part-notches make one
            set(value + o.step * std::max(1, std::abs(wheel) / 120) * (wheel > 0 ? 1 : -1));
    }
    {
        Box buttons(ui, BUTTONS_W, -8.0f);
        buttons.setRight(-0.0f);
        buttons.setTop(4.0f);
        {
            Box up(ui, FILL, buttons.h() / 2);
            if (stepButton(ui, m.up, true, on))
                set(value + o.step);
        }
        {
            Box down(ui, FILL, buttons.h() / 2);
            down.setTop(buttons.h() / 2);
            if (stepButton(ui, m.down, false, on))
                set(value - o.step);
        }
        if (ui->isPaint())
            render(ui, orbopal::ActiveTextEditBorder, BORDER_ALL);
    }

    LineEdit field(ui, whole.w() - BUTTONS_W - 2.0f, id, text, on);
    field.box().setTop(4.0f);
    if (field.box().describing()) {
        orbotk::Description d;
        d.role = orbotk::Role::SpinButton;
        d.name = label ? label : L"";
        d.states = (on ? orbotk::ACC_ENABLED | orbotk::ACC_EDITABLE : 0u) | orbotk::ACC_FOCUSABLE;
        d.hasValue = true;
        d.value = value;
        d.minimum = o.minimum;
        d.maximum = o.maximum;
        d.text = text.text();
        d.caret = static_cast<int>(text.caret());
        field.box().describe(d);
    }
    bool focused = false;
    if (on) {
        Box& box = field.box();
        if (box.keyDown(WXK_UP))
            set(value + o.step);
        else if (box.keyDown(WXK_DOWN))
            set(value - o.step);
        else if (box.keyDown(WXK_PAGEUP))
            set(value + o.page);
        else if (box.keyDown(WXK_PAGEDOWN))
            set(value - o.page);
        else if (field.typed())
            ui.refresh();
        focused = box.focused();
        // Committed at Return and when the focus leaves: clamped, or the value given back.
        if (box.keyDown(WXK_RETURN) || box.keyDown(WXK_NUMPAD_ENTER) || (m.focused && !focused)) {
            double typed = value;
            set(parse(text.text(), typed) ? typed : value);
        }
    }
    m.focused = focused;

    if (ui->isPaint()) {
        ui.color(on ? orbopal::Text : orbopal::DisabledText);
        if (o.unit != nullptr) {
            const float w = getTextShape(ui, o.unit, ui.look().textFont).width;
            Box unit(ui, w, FILL);
            unit.setRight(-4.0f);
            ui.color(orbopal::DisabledText);
            render(ui, ui.look().textFont, o.unit, 0);
            ui.color(on ? orbopal::Text : orbopal::DisabledText);
        }
        if (focused)
            composeAtCaret(ui, field.box(), text);
        else
            render(ui, text, orbopal::SelectedText, false);
        // As a line edit: white while focused, shaded otherwise, bare when disabled.
        render(ui, orbopal::ActiveTextEditBorder, BORDER_ALL);
        if (focused)
            render(ui, orbopal::ActiveTextEdit);
        else if (on)
            render(ui, orbopal::TextEditGradientTop, orbopal::TextEditGradientBottom);
    }
    return value != before;
}

bool doNumberField(Ui& ui, orbotk::ControlID id, int& value, const wchar_t* label,
                   const NumberOptions& options, bool enabled) {
    NumberOptions whole = options;
    whole.decimals = 0;
    double v = value;
    const bool changed = doNumberField(ui, id, v, label, whole, enabled);
    value = static_cast<int>(std::lround(v));
    return changed;
}

} // namespace gui
