// The tooltip choice shared by the widgets that take an enabled and a disabled tooltip.
#pragma once

namespace gui {

// tooltip while the control is enabled; disabledTooltip when not, or tooltip when there is none.
inline const wchar_t* chooseTip(bool enabled, const wchar_t* tooltip,
                                const wchar_t* disabledTooltip) {
    return enabled || disabledTooltip == nullptr ? tooltip : disabledTooltip;
}

} // namespace gui
