// Layout arithmetic of the layout box. The float steps are deliberate: positions are summed in
// single precision and truncated toward zero exactly where the layout rules say, so that
// fractional sizes and offsets land on the same pixels everywhere in the library.
#include "gui/box.h"

#include "layout/pixels.h"
#include "orboutil/log.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace gui {

void failOutsidePass(const char* operation) {
    const std::string message =
        std::string(operation) +
        " called outside a pass: widgets are called from a window's scene (doScene and the "
        "other scene hooks), which the toolkit runs once per event";
    ORBO_LOG(2) << message;
    throw std::logic_error(message);
}

namespace {
// Layout arithmetic works on a live context outside a pass too (a box opened there has no
// parent and measures against itself), but without any context there is nothing to open a box
// in: that is a widget used outside its window's scene.
void requireContext(const boost::shared_ptr<orbotk::UIContext>& ui) {
    if (!ui)
        requirePass(ui, "gui::Box");
}

// The sign convention's "negative": the sign bit, so -0.0 (FILL) counts; NaN never does.
bool negative(float v) {
    return std::signbit(v) && !std::isnan(v);
}
} // namespace

Box::Box(const boost::shared_ptr<orbotk::UIContext>& ui, const orbotk::ControlID& id, bool enabled)
    : box_((requireContext(ui), orbotk::Box::makeBox(ui, id, enabled))) {
    box_->enter();
}

Box::Box(const boost::shared_ptr<orbotk::UIContext>& ui, const shape_t& shape,
         const orbotk::ControlID& id, bool enabled)
    : Box(ui, id, enabled) {
    setShape(shape);
}

Box::Box(const boost::shared_ptr<orbotk::UIContext>& ui, float width, float height,
         const orbotk::ControlID& id, bool enabled)
    : Box(ui, id, enabled) {
    setShape(width, height);
}

Box::~Box() {
    if (box_)
        box_->exit();
}

// A box without parent measures against itself: origin 0, its own size.
int Box::parentX() const {
    return box_->parent ? box_->parent->x : 0;
}
int Box::parentY() const {
    return box_->parent ? box_->parent->y : 0;
}
int Box::parentW() const {
    return box_->parent ? box_->parent->w : box_->w;
}
int Box::parentH() const {
    return box_->parent ? box_->parent->h : box_->h;
}

float Box::l() const {
    return static_cast<float>(box_->x - parentX());
}
float Box::t() const {
    return static_cast<float>(box_->y - parentY());
}
float Box::r() const {
    return static_cast<float>((box_->x + box_->w) - parentX());
}
float Box::b() const {
    return static_cast<float>((box_->y + box_->h) - parentY());
}

void Box::setX(float v) {
    box_->x = pixels(v);
}
void Box::setY(float v) {
    box_->y = pixels(v);
}
void Box::setPos(const pos_t& p) {
    setPos(p.x, p.y);
}
void Box::setPos(float px, float py) {
    setX(px);
    setY(py);
}

namespace {
// size <- trunc(v); a negative v counts back from the parent's size.
int signedSize(float v, int parentSize) {
    int s = pixels(v);
    if (negative(v))
        s = pixels(static_cast<double>(parentSize) + s);
    return s;
}

// The near edge lands at parent + v; for negative v the box is then pushed by the parent's
// size, so it starts |v| short of the parent's far edge. The truncation happens before the
// parent size is added, which is why -10.5 and -10 differ from the far edge by the same amount.
int leftEdge(float v, int parentPos, int parentSize, int size) {
    const float d = static_cast<float>(parentSize - size);
    int pos = pixels(static_cast<float>(parentPos) + v);
    if (negative(v))
        pos = pixels((static_cast<float>(size) + static_cast<float>(pos)) + d);
    return pos;
}

// The far edge lands at parent + v, or at the parent's far edge + v for negative v.
int rightEdge(float v, int parentPos, int parentSize, int size) {
    const float d = static_cast<float>(parentSize - size);
    int pos = pixels((v - static_cast<float>(size)) + static_cast<float>(parentPos));
    if (negative(v))
        pos = pixels((static_cast<float>(size) + static_cast<float>(pos)) + d);
    return pos;
}

int centred(int parentPos, int parentSize, int size) {
    return pixels(static_cast<double>(parentSize - size) * 0.5 + parentPos);
}
} // namespace

void Box::setWidth(float v) {
    box_->w = signedSize(v, parentW());
}
void Box::setHeight(float v) {
    box_->h = signedSize(v, parentH());
}

void Box::setShape(float width, float height) {
    setWidth(width);
    setHeight(height);
}
void Box::setShape(const shape_t& s) {
    setShape(s.width, s.height);
}

void Box::setLeft(float v) {
    box_->x = leftEdge(v, parentX(), parentW(), box_->w);
}
void Box::setTop(float v) {
    box_->y = leftEdge(v, parentY(), parentH(), box_->h);
}
void Box::setRight(float v) {
    box_->x = rightEdge(v, parentX(), parentW(), box_->w);
}
void Box::setBottom(float v) {
    box_->y = rightEdge(v, parentY(), parentH(), box_->h);
}
void Box::setCenterX() {
    box_->x = centred(parentX(), parentW(), box_->w);
}
void Box::setCenterY() {
    box_->y = centred(parentY(), parentH(), box_->h);
}

bool Box::over() const {
    return box_->over();
}
bool Box::overAbsolute(double ax, double ay) const {
    return box_->overAbsolute(ax, ay);
}
void Box::eventPosition(double& ex, double& ey) const {
    box_->eventPosition(ex, ey);
}
bool Box::over(double lx, double ly) const {
    return lx >= 0 && lx < width() && ly >= 0 && ly < height();
}

bool Box::active() const {
    return box_->active();
}
void Box::makeActive() {
    box_->makeActive();
}
void Box::clearActive() {
    box_->clearActive();
}
bool Box::focused() const {
    return box_->focused();
}
void Box::makeFocused() {
    box_->makeFocused();
}
void Box::clearFocused() {
    box_->clearFocused();
}
void Box::markSecret() {
    box_->markSecret();
}

void Box::markText() {
    box_->markText();
}
void Box::markRadio(bool selected) {
    box_->markRadio(selected);
}

bool Box::describing() const {
    return box_->describing();
}
void Box::describe(const orbotk::Description& d) {
    box_->describe(d);
}
void Box::describe(orbotk::Role role, const std::wstring& name, std::uint32_t states,
                   const wchar_t* tooltip) {
    orbotk::Description d;
    d.role = role;
    d.name = name;
    d.states = states;
    if (tooltip != nullptr)
        d.description = tooltip;
    box_->describe(d);
}
bool Box::leftClicked() {
    return box_->leftClicked();
}
bool Box::leftReleased() {
    return box_->leftReleased();
}
bool Box::leftDoubleClicked() {
    return box_->leftDoubleClicked();
}
bool Box::rightClicked() {
    return box_->rightClicked();
}
bool Box::rightReleased() {
    return box_->rightReleased();
}
bool Box::rightDoubleClicked() {
    return box_->rightDoubleClicked();
}
bool Box::middleClicked() {
    return box_->middleClicked();
}
bool Box::middleReleased() {
    return box_->middleReleased();
}
bool Box::middleDoubleClicked() {
    return box_->middleDoubleClicked();
}
bool Box::leftDragging() const {
    return box_->leftDragging();
}
bool Box::middleDragging() const {
    return box_->middleDragging();
}
bool Box::rightDragging() const {
    return box_->rightDragging();
}
int Box::wheelRotation() const {
    return box_->wheelRotation();
}
void Box::holdPointer() {
    box_->holdPointer();
}
bool Box::pressedOutside() const {
    return box_->pressedOutside();
}
bool Box::keyDown(int key) {
    return box_->keyDown(key);
}
bool Box::keyUp(int key) {
    return box_->keyUp(key);
}
bool Box::keyDown(boost::function<bool(int, bool, bool, bool, bool)> a) {
    return box_->keyDown(a);
}
bool Box::keyUp(boost::function<bool(int, bool, bool, bool, bool)> a) {
    return box_->keyUp(a);
}
bool Box::characterInput(boost::function<bool(int)> a) {
    return box_->characterInput(a);
}
bool Box::leftDragging(boost::function<bool(const orbotk::ControlID&)> a) const {
    return box_->leftDragging(a);
}
bool Box::middleDragging(boost::function<bool(const orbotk::ControlID&)> a) const {
    return box_->middleDragging(a);
}
bool Box::rightDragging(boost::function<bool(const orbotk::ControlID&)> a) const {
    return box_->rightDragging(a);
}
bool Box::leftDropped(boost::function<bool(const orbotk::ControlID&)> a) {
    return box_->leftDropped(a);
}
bool Box::middleDropped(boost::function<bool(const orbotk::ControlID&)> a) {
    return box_->middleDropped(a);
}
bool Box::rightDropped(boost::function<bool(const orbotk::ControlID&)> a) {
    return box_->rightDropped(a);
}

drag_bounds make_bounds(const pos_t& pos, const shape_t& shape) {
    return drag_bounds(pos.x, pos.y, shape.width, shape.height);
}

drag_bounds make_bounds(const Box& box) {
    return drag_bounds(box.x(), box.y(), box.width(), box.height());
}

} // namespace gui
