// The number field: a labelled field for a number between a minimum and a maximum, with two
// small step buttons at its right and an optional unit after the number:
//
//     gui::NumberOptions o;
//     o.maximum = 72;
//     o.unit = L"pt";
//     if (gui::doNumberField(ui(), ControlID(L"size"), size_, L"Font size", o))
//         relayout();
//
// The rules:
//   - Typing takes digits, a sign and a decimal separator (the locale's or '.'); the caller's
//     value changes only when the typing is committed: Return, or the focus leaving the field.
//     Then the number is clamped to the limits and rounded to `decimals` places; what does not
//     read as a number gives the field its value back.
//   - Up and Down step by `step`, Page Up and Page Down by `page`, each at once; so do the step
//     buttons and the wheel over the field (a step a notch).
//   - Dragging the label left or right changes the value by a step every 4 pixels, a tenth of
//     a step with Shift; the resize cursor shows over the label.
//   - True in the pass in which the value changed; the field shows the caller's value whenever
//     it is not being typed into.
//   - Screen readers hear a spin button named by its label, with its value and limits.
#pragma once

#include "gui/ui.h"
#include "orbotk/control_id.h"

namespace gui {

struct NumberOptions {
    double minimum = 0.0, maximum = 100.0;
    double step = 1.0, page = 10.0;
    int decimals = 0;
    const wchar_t* unit = nullptr;
    float labelWidth = 0.0f; // 0: as wide as the label's text
};

bool doNumberField(Ui& ui, orbotk::ControlID id, double& value, const wchar_t* label,
                   const NumberOptions& options, bool enabled = true);
bool doNumberField(Ui& ui, orbotk::ControlID id, int& value, const wchar_t* label,
                   const NumberOptions& options, bool enabled = true);

} // namespace gui
