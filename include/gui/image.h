// Image: a reference-counted buffer of premultiplied pixels (rows top-down, 0xAARRGGBB words)
// with a view rectangle into it, kept as fractions of the buffer size. Views cut from one
// texture share its buffer.
//
// Copying is deliberately asymmetric: the copy constructor makes a deep copy of the whole buffer
// (and resets the view to all of it), while assignment shares the buffer and keeps the view.
#pragma once

#include "gui/box.h"
#include "orbotk/rgba.h"

#include <atomic>
#include <boost/filesystem/path.hpp>
#include <boost/function.hpp>
#include <boost/shared_array.hpp>
#include <boost/shared_ptr.hpp>
#include <cstdint>
#include <vector>
#include <wx/image.h>

namespace gui {

class Image {
public:
    Image();
    // Converts and premultiplies: each colour becomes floor(c * (alpha + 1) / 256).
    explicit Image(const wxImage& image);
    Image(const Image& other);                             // deep copy, whole-buffer view
    Image(const Image& other, int x, int y, int w, int h); // shared buffer, view in pixels
    Image& operator=(const Image& other);                  // shared buffer, same view
    ~Image();

    // The view, as fractions of the buffer's width (l, r) and height (t, b).
    float l() const { return l_; }
    float r() const { return r_; }
    float t() const { return t_; }
    float b() const { return b_; }
    // The view's size in pixels.
    float w() const { return (r_ - l_) * static_cast<float>(stride_); }
    float h() const { return (b_ - t_) * static_cast<float>(height_); }
    shape_t shape() const { return shape_t(w(), h()); }
    int stride() const { return stride_; }
    int bufferHeight() const { return height_; } // rows of the whole buffer

    // The start of the whole buffer (not of the view); null for an empty image. The writable
    // form counts as a write (see writes()).
    orbo::tk::RGBA* get();
    const orbo::tk::RGBA* get() const { return pixels_.get(); }
    // How many times, in the whole process, pixels were handed out for writing (get()) or
    // written (data()).
    static std::uint64_t writes();
    // The same count for this image's pixels: shared with its views, assignments and the
    // images forScale gives, begun afresh by a copy; it counts sharper variants added too.
    // What is kept of drawn images (a window's panel) is drawn again when it changes, and only
    // then: a host writing into pictures of its own costs a window's panel nothing.
    std::uint64_t ownWrites() const;
    // The pixel at row trunc(height * v), column trunc(stride * u). No bounds check.
    const orbo::tk::RGBA& get(float u, float v) const;

    // Sets the view to (x, y, w, h) and writes w * h straight (not premultiplied) pixels from
    // src into it, premultiplying them. No bounds check: the rectangle must lie in the buffer.
    void data(int x, int y, int w, int h, void* src);
    void data(int w, int h, void* src);

    // ---- Device scales. An image is drawn at the resolution of the frame it is drawn on: on
    // a frame of device scale 2 a box of logical size w x h covers 2w x 2h device pixels. An
    // image with only its own pixels is magnified there by repeating each pixel (sharp edges,
    // as pixel art wants); one given a sharper variant for that scale is drawn from it.
    //
    // Adds the same picture drawn at scale times the resolution (2 or 3): its buffer is scale
    // times this one's in each direction, and the view keeps to the same part of it. Views cut
    // from this image afterwards (Image(other, x, y, w, h), nine-patch cells) cut the variant
    // too. Throws std::invalid_argument for another scale or size. Writing pixels through
    // data() drops the variants; writing through get() leaves them as they are.
    void addScaled(int scale, const Image& sharper);
    // The same, drawn only when first needed: load runs the first time a frame of that scale
    // (or above, where no sharper variant is) draws the image, and its picture is kept from
    // then on. A picture of the wrong size, or none, is logged and leaves the variant out, so
    // the image is drawn from the next variant down. A program never shown on a HiDPI screen
    // never holds the sharper pictures.
    void addScaled(int scale, const boost::function<Image()>& load);
    // The image to draw on a frame of device scale s: out becomes this view over the sharpest
    // variant whose scale is at most s (sharing its buffer); returns that variant's scale (1:
    // this image itself).
    int forScale(int s, Image& out) const;
    bool hasScaled(int scale) const; // given, loaded or not
    bool scaledLoaded(int scale) const;

    // The whole buffer as a wxImage with alpha. The colour stays premultiplied.
    wxImage convertToWXImage() const;
    // A deep copy with each colour set to trunc(0.3 r + 0.59 g + 0.11 b).
    Image toGreyScale() const;
    // Any format wxWidgets decodes; throws std::runtime_error("Image load failed").
    static Image load(const boost::filesystem::path& path);

private:
    void initCoords(int x, int y, int w, int h);

    // A buffer drawn at a device scale, for the same view fractions, or the way to load it.
    struct Pixels {
        boost::shared_array<orbo::tk::RGBA> pixels;
        int stride = 0, height = 0;
    };
    struct ScaledVariant;
    struct Sharper {
        int scale;
        boost::shared_ptr<ScaledVariant> variant;
    };
    // The variant's pixels, loaded first if they are not yet; empty if they cannot be.
    static const Pixels& pixelsOf(const Sharper& s, int expectW, int expectH);
    void addVariant(int scale, const boost::shared_ptr<ScaledVariant>& variant);
    void countWrite();
    boost::shared_array<orbo::tk::RGBA> pixels_;
    boost::shared_ptr<std::atomic<std::uint64_t>> written_; // see ownWrites()
    // At most one per scale, sharpest last; shared by views and assignments, copied by the
    // copy constructor.
    boost::shared_ptr<const std::vector<Sharper>> sharper_;
    int stride_ = 0;
    int height_ = 0;
    float l_ = 0, r_ = 0, t_ = 0, b_ = 0;
};

} // namespace gui
