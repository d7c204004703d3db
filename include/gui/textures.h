// Nine-patch textures: cutting a texture into a grid of shared-pixel views, the position-bound
// sets that place the cells in a box, the drawing routine, and the exceptions for bad tables.
//
// Bound sets use the layout sign convention: non-negative positions count from the box's near
// edge, negative ones (down to -0.0) from its far edge. Less orders them as they lie along the
// edge, so {0, 8, -8, -0.0} cuts fixed 8-pixel caps around a stretching middle.
#pragma once

#include "gui/image.h"
#include "gui/render.h"

#include <boost/multi_array.hpp>
#include <exception>
#include <set>
#include <string>
#include <vector>

namespace gui {

// The library's failures; carries its message.
class GuiException : public std::exception {
public:
    explicit GuiException(const std::string& message) : message_(message) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// A nine-patch table that does not fit its cells.
struct BadShape : public GuiException {
    explicit BadShape(const std::string& message) : GuiException(message) {}
};

// Positions along an edge: values with the sign bit clear ascending, then values with the sign
// bit set from the most negative to -0.0. +0.0 and -0.0 are different positions.
struct Less {
    bool operator()(float a, float b) const;
};

typedef boost::multi_array<Image, 2> diced_t; // [row][column]
typedef std::set<float, Less> bounds_t;

// Cell [i][j] is the view of texture from columnCuts[j] to columnCuts[j + 1] and rowCuts[i] to
// rowCuts[i + 1]; a repeated cut makes a zero-wide cell that the renderer stretches. Throws
// BadShape("too few tex bounds") when a list has fewer than two cuts.
diced_t diceTexture(const Image& texture, const std::vector<int>& rowCuts,
                    const std::vector<int>& columnCuts);
// {a, b, b, c}: a cap, a zero-wide stretch at b, a cap.
std::vector<int> threeCellCuts(int a, int b, int c);
// {a, b}: one cell.
std::vector<int> oneCellCuts(int a, int b);
// {0, first, second, FILL}.
bounds_t capBounds(float first, float second);

// Draws each cell into a box cut from the current box by the bound sets, with the current
// colour as tint. Throws BadShape("incorrect number of position bounds") unless hBounds has
// columns + 1 values and vBounds rows + 1.
void renderDiced(const ui_t& ui, const diced_t& images, const bounds_t& hBounds,
                 const bounds_t& vBounds);

} // namespace gui
