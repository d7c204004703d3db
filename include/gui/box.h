// The layout box: the library's handle on one toolkit control rectangle for one pass. Making a
// Box enters it (later boxes become its children) and destroying it leaves it again, so boxes
// nest like the scopes that hold them.
//
// One sign convention places everything:
//   - a size >= 0 is used as it is; a negative size is the parent's size plus that amount, so
//     FILL (-0.0) is exactly the parent's size;
//   - an edge position >= 0 counts from the parent's left (top) edge; a negative one, including
//     -0.0, from the parent's right (bottom) edge.
// "Negative" means the sign bit is set. Every float-to-integer conversion truncates toward zero.
#pragma once

#include "orbotk/box.h"
#include "orbotk/context.h"

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>

namespace gui {

// The parent's full extent as a size, its far edge as a position.
constexpr float FILL = -0.0f;

// Width then height, in window pixels.
struct shape_t {
    float width = 0, height = 0;
    shape_t() = default;
    shape_t(float w, float h) : width(w), height(h) {}
};

// x then y, in window pixels.
struct pos_t {
    float x = 0, y = 0;
    pos_t() = default;
    pos_t(float px, float py) : x(px), y(py) {}
};

// A rectangle in window coordinates, used by the dragging widgets.
struct drag_bounds {
    float x = 0, y = 0, width = 0, height = 0;
    drag_bounds() = default;
    drag_bounds(float px, float py, float w, float h) : x(px), y(py), width(w), height(h) {}
    float left() const { return x; }
    float top() const { return y; }
    float right() const { return x + width; }
    float bottom() const { return y + height; }
};

class Box {
public:
    // A child of the current box for id, covering its parent until placed. enabled is the
    // control's effective enablement (layout regions pass true).
    explicit Box(const boost::shared_ptr<orbotk::UIContext>& ui,
                 const orbotk::ControlID& id = orbotk::ControlID(), bool enabled = true);
    Box(const boost::shared_ptr<orbotk::UIContext>& ui, const shape_t& shape,
        const orbotk::ControlID& id = orbotk::ControlID(), bool enabled = true);
    Box(const boost::shared_ptr<orbotk::UIContext>& ui, float width, float height,
        const orbotk::ControlID& id = orbotk::ControlID(), bool enabled = true);
    // A copy shares the toolkit box, and leaves it when destroyed: it must not outlive the
    // scope of the box it was copied from.
    Box(const Box& other) = default;
    Box& operator=(const Box& other) = default;
    ~Box();

    const orbotk::ControlID& id() const { return box_->id; }

    // ---- Geometry (absolute window pixels unless said otherwise)
    float x() const { return static_cast<float>(box_->x); }
    float y() const { return static_cast<float>(box_->y); }
    float width() const { return static_cast<float>(box_->w); }
    float height() const { return static_cast<float>(box_->h); }
    float w() const { return width(); }
    float h() const { return height(); }
    pos_t pos() const { return pos_t(x(), y()); }
    shape_t shape() const { return shape_t(width(), height()); }
    // Edges relative to the parent's origin.
    float l() const;
    float t() const;
    float r() const;
    float b() const;

    // Absolute position, truncated; no parent offset.
    void setX(float v);
    void setY(float v);
    void setPos(const pos_t& p);
    void setPos(float px, float py);
    // Sizes with the sign convention; set the size before placing edges, which use it.
    void setWidth(float v);
    void setHeight(float v);
    void setShape(float width, float height);
    void setShape(const shape_t& s);
    void setLeft(float v);
    void setRight(float v);
    void setTop(float v);
    void setBottom(float v);
    void setCenterX();
    void setCenterY();

    // ---- Hit tests
    bool over() const; // the toolkit's answer: under the pointer and nothing clickable in front
    bool overAbsolute(double ax, double ay) const;
    void eventPosition(double& ex, double& ey) const;
    // Pure geometry in box-local coordinates: 0 <= x < width and 0 <= y < height.
    bool over(double lx, double ly) const;

    // ---- Input (forwarded to the toolkit box; true only in the pass of the causing event)
    bool active() const;
    void makeActive();
    void clearActive();
    bool focused() const;
    void makeFocused();
    void clearFocused();
    // The control hides what is typed into it: recordings keep nothing of it (see docs).
    void markSecret();
    // The control edits text: the keys it edits with are its own while it has the focus.
    void markText();
    // Marks the box a radio button: those that follow one another form a group for the keys
    // (Tab stops at the selected one; arrows move within the group).
    void markRadio(bool selected);
    // ---- Accessibility. What the control is to screen readers (docs/accessibility.md): describe
    // it in its box, in every pass, while describing() holds (something reads the window's
    // accessible tree; nothing is kept otherwise):
    //     if (box.describing())
    //         box.describe(orbotk::Role::PushButton, L"Save", orbotk::ACC_ENABLED |
    //                      orbotk::ACC_FOCUSABLE);
    bool describing() const;
    void describe(const orbotk::Description& d);
    void describe(orbotk::Role role, const std::wstring& name, std::uint32_t states,
                  const wchar_t* tooltip = nullptr);
    bool leftClicked();
    bool leftReleased();
    bool leftDoubleClicked();
    bool rightClicked();
    bool rightReleased();
    bool rightDoubleClicked();
    bool middleClicked();
    bool middleReleased();
    bool middleDoubleClicked();
    bool leftDragging() const;
    bool middleDragging() const;
    bool rightDragging() const;
    int wheelRotation() const;
    // See orbotk::Box: the pointer and keys held by this box and its children (an open
    // drop-down list), and a press outside them.
    void holdPointer();
    bool pressedOutside() const;
    bool keyDown(int key);
    bool keyUp(int key);
    bool keyDown(boost::function<bool(int, bool, bool, bool, bool)> accepts);
    bool keyUp(boost::function<bool(int, bool, bool, bool, bool)> accepts);
    bool characterInput(boost::function<bool(int)> accepts);
    bool leftDragging(boost::function<bool(const orbotk::ControlID&)> accepts) const;
    bool middleDragging(boost::function<bool(const orbotk::ControlID&)> accepts) const;
    bool rightDragging(boost::function<bool(const orbotk::ControlID&)> accepts) const;
    bool leftDropped(boost::function<bool(const orbotk::ControlID&)> accepts);
    bool middleDropped(boost::function<bool(const orbotk::ControlID&)> accepts);
    bool rightDropped(boost::function<bool(const orbotk::ControlID&)> accepts);

protected:
    boost::shared_ptr<orbotk::UIContext> ui() const { return box_->ui(); }

private:
    int parentX() const;
    int parentY() const;
    int parentW() const;
    int parentH() const;

    boost::shared_ptr<orbotk::Box> box_;
};

// Throws std::logic_error, after logging it, unless a pass of ui's window is running. Widgets
// live inside a pass: outside one there is no event to answer and nothing to draw into.
// operation names the call in the message. (A Box itself only needs a context: without one its
// constructor throws the same way.) Inline, since every widget asks, often several times a
// pass; failOutsidePass logs and throws.
[[noreturn]] void failOutsidePass(const char* operation);
inline void requirePass(const boost::shared_ptr<orbotk::UIContext>& ui, const char* operation) {
    if (!ui || !ui->inPass())
        failOutsidePass(operation);
}

drag_bounds make_bounds(const pos_t& pos, const shape_t& shape);
drag_bounds make_bounds(const Box& box);

} // namespace gui
