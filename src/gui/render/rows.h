// The one way the renderer and the text compositor reach the framebuffer's pixels.
#pragma once

#include "orbotk/context.h"
#include "render/kernels.h"

#include <cstdint>

namespace gui {

// Columns x0 .. x0 + n - 1 of window row y, given to fresh(p, i, m) where the pass has not drawn
// yet (p is the first of m pixels, i its offset from x0; write as onto transparent black) and to
// drawn(p, i, m) elsewhere. The second form is for operations that read what they draw on: it
// clears fresh columns first. See UIContext::drawRow.
template <typename Fresh, typename Drawn>
void onRow(orbotk::UIContext& ui, int y, int x0, int n, Fresh fresh, Drawn drawn) {
    auto to = [x0](auto& f) {
        return [&f, x0](orbo::tk::RGBA* row, int a, int m) {
            f(reinterpret_cast<kernels::px_t*>(row) + a, a - x0, m);
        };
    };
    ui.drawRow(y, x0, x0 + n, to(fresh), to(drawn));
}

template <typename Drawn> void onRow(orbotk::UIContext& ui, int y, int x0, int n, Drawn drawn) {
    ui.drawRow(y, x0, x0 + n, [&drawn, x0](orbo::tk::RGBA* row, int a, int m) {
        drawn(reinterpret_cast<kernels::px_t*>(row) + a, a - x0, m);
    });
}

// Columns x0 .. x0 + n - 1 of window row y, each pixel mapped by itself alone with the mapping
// tag names (a modulation by one colour): map(p, m) maps m pixels in place, fresh is as above.
// Where the row shows the window's backdrop, its mapping is kept from pass to pass. See
// UIContext::mapRow.
template <typename Fresh, typename Map>
void mapOnRow(orbotk::UIContext& ui, int y, int x0, int n, std::uint64_t tag, Fresh fresh,
              Map map) {
    ui.mapRow(
        y, x0, x0 + n, tag,
        [&fresh, x0](orbo::tk::RGBA* row, int a, int m) {
            fresh(reinterpret_cast<kernels::px_t*>(row) + a, a - x0, m);
        },
        [&map](orbo::tk::RGBA* p, int m) { map(reinterpret_cast<kernels::px_t*>(p), m); });
}

} // namespace gui
