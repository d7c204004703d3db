// Nine-patch textures: cutting the frame-like images into cells, the position sets that place
// the cells in a box, and the diced drawing routine that puts them back together at any size.
// The look the widgets draw with lives here too.
#include "gui/textures.h"

#include "gui/look.h"

#include <cstring>

namespace gui {

// ---- Position sets and cutting

bool Less::operator()(float a, float b) const {
    // The bits of a float with its sign bit set, low 31 bits inverted, order negative values
    // from the most negative up to -0.0, after every value whose sign bit is clear.
    auto key = [](float f) {
        std::uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        return (bits & 0x80000000u) ? (bits ^ 0x7FFFFFFFu) : bits;
    };
    return key(a) < key(b);
}

diced_t diceTexture(const Image& texture, const std::vector<int>& rowCuts,
                    const std::vector<int>& columnCuts) {
    if (rowCuts.size() < 2 || columnCuts.size() < 2)
        throw BadShape("too few tex bounds");
    const size_t rows = rowCuts.size() - 1, columns = columnCuts.size() - 1;
    diced_t cells(boost::extents[rows][columns]);
    for (size_t i = 0; i < rows; ++i)
        for (size_t j = 0; j < columns; ++j)
            cells[i][j] = Image(texture, columnCuts[j], rowCuts[i],
                                columnCuts[j + 1] - columnCuts[j], rowCuts[i + 1] - rowCuts[i]);
    return cells;
}

std::vector<int> threeCellCuts(int a, int b, int c) {
    return {a, b, b, c};
}

std::vector<int> oneCellCuts(int a, int b) {
    return {a, b};
}

bounds_t capBounds(float first, float second) {
    return bounds_t{0.0f, first, second, FILL};
}

void renderDiced(const ui_t& ui, const diced_t& images, const bounds_t& hBounds,
                 const bounds_t& vBounds) {
    const size_t rows = images.shape()[0], columns = images.shape()[1];
    if (hBounds.size() != columns + 1 || vBounds.size() != rows + 1)
        throw BadShape("incorrect number of position bounds");
    // The cells only draw: outside paint passes they are counted, not made.
    if (!ui->isPaint()) {
        ui->current()->skipAnonymous(static_cast<int>(rows * columns));
        return;
    }
    // A paint draws dozens of these, and should not allocate.
    std::vector<float>&h = ui->scratch.cutsH, &v = ui->scratch.cutsV;
    h.assign(hBounds.begin(), hBounds.end());
    v.assign(vBounds.begin(), vBounds.end());
    for (size_t i = 0; i < rows; ++i)
        for (size_t j = 0; j < columns; ++j) {
            // Sizes and places follow the sign convention: a negative difference is the
            // parent's extent less that much, a negative position counts from the far edge.
            Box cell(ui, h[j + 1] - h[j], v[i + 1] - v[i]);
            cell.setLeft(h[j]);
            cell.setTop(v[i]);
            render(ui, images[i][j]);
        }
}

// ---- The look

Look::Look()
    : dicedButton(boost::extents[3][3]), dicedButtonShade(boost::extents[3][3]),
      dicedWell(boost::extents[1][3]), dicedProgress(boost::extents[1][3]) {}

namespace {
Look& current() {
    static Look look;
    return look;
}
} // namespace

const Look& look() {
    return current();
}

void setStandardLook(const Look& look) {
    current() = look;
}

} // namespace gui
