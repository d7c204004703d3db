// Image construction, views and the conversions to and from wxImage.
#include "gui/image.h"

#include <algorithm>
#include <atomic>
#include <boost/make_shared.hpp>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <string>
#include <wx/log.h>

namespace gui {

using orbo::tk::RGBA;

namespace {
// Straight alpha to premultiplied: c -> floor(c * (a + 1) / 256), exact for opaque pixels.
std::uint32_t premultiply(unsigned r, unsigned g, unsigned b, unsigned a) {
    const unsigned k = a + 1;
    return (a << 24) | (((r * k) >> 8) << 16) | (((g * k) >> 8) << 8) | ((b * k) >> 8);
}

boost::shared_array<RGBA> allocate(int stride, int height) {
    const size_t n =
        static_cast<size_t>(std::max(0, stride)) * static_cast<size_t>(std::max(0, height));
    return boost::shared_array<RGBA>(new RGBA[n]);
}
} // namespace

void Image::initCoords(int x, int y, int w, int h) {
    // Fractions of the whole buffer. An empty image divides by zero here and gets NaN edges,
    // which is harmless: nothing samples an image without a buffer.
    const float rx = 1.0f / static_cast<float>(stride_);
    const float ry = 1.0f / static_cast<float>(height_);
    l_ = static_cast<float>(x) * rx;
    t_ = static_cast<float>(y) * ry;
    r_ = static_cast<float>(x + w) * rx;
    b_ = static_cast<float>(y + h) * ry;
}

Image::Image() {
    initCoords(0, 0, 0, 0);
}

Image::Image(const wxImage& image) : written_(boost::make_shared<std::atomic<std::uint64_t>>(0)) {
    stride_ = image.IsOk() ? image.GetWidth() : 0;
    height_ = image.IsOk() ? image.GetHeight() : 0;
    pixels_ = allocate(stride_, height_);
    if (stride_ > 0 && height_ > 0) {
        const unsigned char* rgb = image.GetData();
        const unsigned char* alpha = image.HasAlpha() ? image.GetAlpha() : nullptr;
        const size_t n = static_cast<size_t>(stride_) * static_cast<size_t>(height_);
        for (size_t i = 0; i < n; ++i, rgb += 3)
            pixels_[i] = RGBA(premultiply(rgb[0], rgb[1], rgb[2], alpha ? alpha[i] : 255u));
    }
    initCoords(0, 0, stride_, height_);
}

namespace {
boost::shared_array<RGBA> copyOf(const boost::shared_array<RGBA>& pixels, int stride, int height) {
    boost::shared_array<RGBA> out = allocate(stride, height);
    std::memcpy(out.get(), pixels.get(),
                sizeof(RGBA) * static_cast<size_t>(stride) * static_cast<size_t>(height));
    return out;
}
} // namespace

// A sharper variant: its pixels, or how to load them the first time they are drawn (once, even
// when several threads draw the image at once).
struct Image::ScaledVariant {
    boost::function<Image()> load;
    std::once_flag once;
    Pixels pixels;
};

const Image::Pixels& Image::pixelsOf(const Sharper& s, int expectW, int expectH) {
    ScaledVariant& v = *s.variant;
    if (v.load)
        std::call_once(v.once, [&] {
            Image drawn;
            try {
                drawn = v.load();
            } catch (const std::exception& e) {
                wxLogError("The image's variant at %dx could not be loaded: %s", s.scale, e.what());
                return;
            }
            if (!drawn.pixels_ || drawn.stride_ != s.scale * expectW ||
                drawn.height_ != s.scale * expectH) {
                wxLogError("The image's variant at %dx is %d x %d pixels, not %d x %d; the image "
                           "is drawn without it",
                           s.scale, drawn.stride_, drawn.height_, s.scale * expectW,
                           s.scale * expectH);
                return;
            }
            v.pixels = Pixels{drawn.pixels_, drawn.stride_, drawn.height_};
        });
    return v.pixels;
}

Image::Image(const Image& other)
    : written_(boost::make_shared<std::atomic<std::uint64_t>>(0)), stride_(other.stride_),
      height_(other.height_) {
    if (other.pixels_)
        pixels_ = copyOf(other.pixels_, stride_, height_);
    if (other.sharper_) {
        auto copies = boost::make_shared<std::vector<Sharper>>();
        for (const Sharper& s : *other.sharper_) {
            // Loaded pixels are copied; one not loaded yet is loaded by the copy when needed.
            auto v = boost::make_shared<ScaledVariant>();
            const Pixels& p = s.variant->pixels;
            if (p.pixels)
                v->pixels = Pixels{copyOf(p.pixels, p.stride, p.height), p.stride, p.height};
            else
                v->load = s.variant->load;
            copies->push_back(Sharper{s.scale, v});
        }
        sharper_ = copies;
    }
    initCoords(0, 0, stride_, height_);
}

Image::Image(const Image& other, int x, int y, int w, int h)
    : pixels_(other.pixels_), written_(other.written_), sharper_(other.sharper_),
      stride_(other.stride_), height_(other.height_) {
    initCoords(x, y, w, h);
}

Image& Image::operator=(const Image& other) {
    pixels_ = other.pixels_;
    written_ = other.written_;
    sharper_ = other.sharper_;
    stride_ = other.stride_;
    height_ = other.height_;
    l_ = other.l_;
    r_ = other.r_;
    t_ = other.t_;
    b_ = other.b_;
    return *this;
}

Image::~Image() = default;

const RGBA& Image::get(float u, float v) const {
    const int row = static_cast<int>(static_cast<float>(height_) * v);
    const int col = static_cast<int>(static_cast<float>(stride_) * u);
    return pixels_[static_cast<size_t>(row) * static_cast<size_t>(stride_) +
                   static_cast<size_t>(col)];
}

namespace {
std::atomic<std::uint64_t> imageWrites{0};
}

std::uint64_t Image::writes() {
    return imageWrites.load(std::memory_order_relaxed);
}

std::uint64_t Image::ownWrites() const {
    return written_ ? written_->load(std::memory_order_relaxed) : 0;
}

void Image::countWrite() {
    imageWrites.fetch_add(1, std::memory_order_relaxed);
    if (!written_)
        written_ = boost::make_shared<std::atomic<std::uint64_t>>(0);
    written_->fetch_add(1, std::memory_order_relaxed);
}

orbo::tk::RGBA* Image::get() {
    countWrite();
    return pixels_.get();
}

void Image::addScaled(int scale, const Image& sharper) {
    if (scale < 2 || scale > 3)
        throw std::invalid_argument("Image::addScaled: the scale must be 2 or 3");
    if (!pixels_ || !sharper.pixels_ || sharper.stride_ != scale * stride_ ||
        sharper.height_ != scale * height_)
        throw std::invalid_argument("Image::addScaled: the variant must be " +
                                    std::to_string(scale) + " times the image's size");
    auto variant = boost::make_shared<ScaledVariant>();
    variant->pixels = Pixels{sharper.pixels_, sharper.stride_, sharper.height_};
    addVariant(scale, variant);
}

void Image::addScaled(int scale, const boost::function<Image()>& load) {
    if (scale < 2 || scale > 3)
        throw std::invalid_argument("Image::addScaled: the scale must be 2 or 3");
    if (!pixels_ || !load)
        throw std::invalid_argument("Image::addScaled: an empty image, or nothing to load");
    auto variant = boost::make_shared<ScaledVariant>();
    variant->load = load;
    addVariant(scale, variant);
}

void Image::addVariant(int scale, const boost::shared_ptr<ScaledVariant>& variant) {
    // The list is shared by views and assignments: a new one, so that images assigned from
    // this one before keep theirs.
    auto all = sharper_ ? boost::make_shared<std::vector<Sharper>>(*sharper_)
                        : boost::make_shared<std::vector<Sharper>>();
    all->erase(std::remove_if(all->begin(), all->end(),
                              [scale](const Sharper& v) { return v.scale == scale; }),
               all->end());
    all->push_back(Sharper{scale, variant});
    std::sort(all->begin(), all->end(),
              [](const Sharper& a, const Sharper& b) { return a.scale < b.scale; });
    sharper_ = all;
    countWrite(); // what was drawn of it may change
}

bool Image::hasScaled(int scale) const {
    if (sharper_)
        for (const Sharper& v : *sharper_)
            if (v.scale == scale)
                return true;
    return false;
}

bool Image::scaledLoaded(int scale) const {
    if (sharper_)
        for (const Sharper& v : *sharper_)
            if (v.scale == scale)
                return !v.variant->load || v.variant->pixels.pixels;
    return false;
}

int Image::forScale(int s, Image& out) const {
    out = *this;
    int scale = 1;
    if (sharper_)
        for (const Sharper& v : *sharper_)
            if (v.scale <= s) {
                const Pixels& p = pixelsOf(v, stride_, height_);
                if (!p.pixels)
                    continue;
                out.pixels_ = p.pixels;
                out.stride_ = p.stride;
                out.height_ = p.height;
                scale = v.scale;
            }
    return scale;
}

void Image::data(int x, int y, int w, int h, void* src) {
    countWrite();
    sharper_.reset();
    initCoords(x, y, w, h);
    const auto* in = static_cast<const unsigned char*>(src);
    for (int j = 0; j < h; ++j) {
        RGBA* row = pixels_.get() + static_cast<size_t>(y + j) * static_cast<size_t>(stride_) + x;
        for (int i = 0; i < w; ++i, in += 4) // memory order: blue, green, red, alpha
            row[i] = RGBA(premultiply(in[2], in[1], in[0], in[3]));
    }
}

void Image::data(int w, int h, void* src) {
    data(0, 0, w, h, src);
}

wxImage Image::convertToWXImage() const {
    wxImage out(stride_, height_, false);
    if (!out.IsOk() || out.GetData() == nullptr || !pixels_)
        return out;
    out.InitAlpha();
    unsigned char* rgb = out.GetData();
    unsigned char* alpha = out.GetAlpha();
    const size_t n = static_cast<size_t>(stride_) * static_cast<size_t>(height_);
    for (size_t i = 0; i < n; ++i) {
        const RGBA p = pixels_[i];
        *rgb++ = static_cast<unsigned char>(p.r());
        *rgb++ = static_cast<unsigned char>(p.g());
        *rgb++ = static_cast<unsigned char>(p.b());
        *alpha++ = static_cast<unsigned char>(p.a());
    }
    return out;
}

Image Image::toGreyScale() const {
    Image grey(*this);
    auto toGrey = [](RGBA* pixels, int stride, int height) {
        const size_t n = static_cast<size_t>(stride) * static_cast<size_t>(height);
        for (size_t i = 0; i < n; ++i) {
            const RGBA p = pixels[i];
            const unsigned g = static_cast<unsigned>(0.3 * p.r() + 0.59 * p.g() + 0.11 * p.b());
            pixels[i] = RGBA(g, g, g, p.a());
        }
    };
    if (grey.pixels_)
        toGrey(grey.pixels_.get(), stride_, height_);
    if (grey.sharper_) // the copy's own variants, loaded now to be made grey
        for (const Sharper& v : *grey.sharper_)
            if (const Pixels& p = pixelsOf(v, stride_, height_); p.pixels)
                toGrey(p.pixels.get(), p.stride, p.height);
    return Image(grey);
}

Image Image::load(const boost::filesystem::path& path) {
    wxImage image;
    {
        // A file that does not decode is reported by the exception, not by a wx log line.
        wxLogNull quiet;
        if (!image.LoadFile(wxString(path.wstring()), wxBITMAP_TYPE_ANY, -1) || !image.IsOk())
            throw std::runtime_error("Image load failed");
    }
    return Image(image);
}

} // namespace gui
