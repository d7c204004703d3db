// The toolkit's box: one control rectangle in one pass, with the input queries that widgets ask
// about it. Boxes are made anew every pass; what persists between passes (hot, active, focused,
// dragged) is kept by the context per control identity, and answered here.
//
// Routing rules, in short:
// - Mouse queries answer for the *hot* box: the front-most box under the pointer among those
//   that asked a mouse question in the last complete pass. Front-most is the box closed first,
//   matching front-to-back drawing (children before parents, earlier siblings before later).
// - The wheel goes to the front-most box under the pointer that asked for the wheel, and the
//   right button to the front-most one that asked about the right button, whatever boxes in
//   front of them asked: a list scrolls, and offers its menu, over the controls in its rows.
// - A box that holds the pointer (an open drop-down list) confines all of this to itself and
//   its children, and takes the keys; a press outside them reaches nobody else.
// - A left release goes to the active box wherever the pointer is; to the hot box when nothing is
//   active.
// - Key and character events go to the focused control, or to the window's top-level boxes when
//   nothing has focus.
#pragma once

#include "orbotk/accessible.h"
#include "orbotk/control_id.h"

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>
#include <cstdint>
#include <string>

namespace orbotk {

class UIContext;

// The identity under which the toolkit remembers a box between passes: a 64-bit digest of a
// control's name, or of an anonymous box's parent and place. 0 is no box.
typedef std::uint64_t BoxKey;

class Box {
public:
    typedef boost::function<bool(int key, bool shift, bool alt, bool meta, bool ctrl)> KeyPredicate;
    typedef boost::function<bool(int ch)> CharPredicate;
    typedef boost::function<bool(const ControlID&)> IdPredicate;

    // A new child of the context's current box, starting with its parent's rectangle. enabled
    // false keeps it out of keyboard focus; mouse queries still answer.
    static boost::shared_ptr<Box> makeBox(const boost::shared_ptr<UIContext>& ui,
                                          const ControlID& id, bool enabled);

    // enter() makes this the current box, so later boxes become its children; exit() restores
    // the box that was current before and records this one in the pass's tree.
    void enter();
    void exit();
    // Counts n anonymous children as opened and closed without making them. A widget that
    // skips boxes which only draw (outside paint passes) calls it, so the anonymous boxes after
    // them keep the identities they have in paint passes.
    void skipAnonymous(int n) { anonymousChildren_ += n; }

    // Geometry in window pixels, y downward; read and written directly by the layout code.
    boost::shared_ptr<Box> parent;
    int x = 0, y = 0, w = 0, h = 0;
    ControlID id;

    boost::shared_ptr<UIContext> ui() const;
    bool enabled() const { return enabled_; }

    // Mouse buttons, true only in the pass of the causing event. A double click is also a press,
    // so leftClicked() is true for it as well as leftDoubleClicked().
    bool leftClicked();
    bool leftReleased();
    bool leftDoubleClicked();
    bool rightClicked();
    bool rightReleased();
    bool rightDoubleClicked();
    bool middleClicked();
    bool middleReleased();
    bool middleDoubleClicked();
    int wheelRotation() const; // signed wheel rotation of this event, 0 when not for this box
    // While this box is in the last complete pass's tree, the pointer and the keys belong to it
    // and its children: nothing else is hot, gets the wheel or a key. Called in every pass the
    // hold should last (a drop-down list calls it while open).
    void holdPointer() { holdsPointer_ = true; }
    // In the pass of a press of any button outside this box and its children, while it holds
    // the pointer: the press reached no control.
    bool pressedOutside() const;

    // Drags: the plain forms are true for the dragged control while the drag lasts; the
    // predicate forms also require the predicate to accept the dragged control's identity.
    bool leftDragging() const;
    bool middleDragging() const;
    bool rightDragging() const;
    bool leftDragging(const IdPredicate& accepts) const;
    bool middleDragging(const IdPredicate& accepts) const;
    bool rightDragging(const IdPredicate& accepts) const;
    // In the release pass of a drag: the pointer is over this box (a geometric test, so drop
    // areas may be anonymous) and the predicate accepts the dragged control.
    bool leftDropped(const IdPredicate& accepts) const;
    bool middleDropped(const IdPredicate& accepts) const;
    bool rightDropped(const IdPredicate& accepts) const;

    // The pointer is over this box and no mouse-input box is in front of it.
    bool over() const;
    // The absolute window point lies inside this box.
    bool overAbsolute(double ax, double ay) const;
    // The pointer relative to this box's top-left corner.
    void eventPosition(double& ex, double& ey) const;

    // The pressed control: kept across passes until cleared; a left release anywhere goes to it.
    bool active() const;
    void makeActive();
    void clearActive();
    // Keyboard focus. makeFocused() claims focus for the end of this pass.
    bool focused() const;
    void makeFocused();
    void clearFocused();
    // This control hides what is typed into it (a password field): while it has the focus,
    // recordings keep nothing of the keys and characters it takes.
    void markSecret() { secret_ = true; }
    // This control edits text: while it has the focus, the keys it edits with are its own and
    // no shortcut of the window hears them.
    void markText() { text_ = true; }
    // Marks the box a radio button (selected or not). Radio buttons whose boxes follow one
    // another in the focus order form a group: Tab stops once in it, at the selected button,
    // and the arrow keys move the focus within it.
    void markRadio(bool selected) {
        radio_ = selected ? 2 : 1;
    } // What the control is to assistive technologies; kept only while something reads the
    // window's accessible tree (UIContext::accessibility()), so build it only then.
    void describe(const Description& d);
    bool describing() const;

    // Keys on this box: the focused control, or the top-level boxes when nothing has focus.
    bool keyDown(int key) const;
    bool keyUp(int key) const;
    bool keyDown(const KeyPredicate& accepts) const;
    bool keyUp(const KeyPredicate& accepts) const;
    bool characterInput(const CharPredicate& accepts) const;

    // The identity under which the toolkit remembers this box across passes: its name for named
    // controls, its place in the tree for anonymous ones.
    BoxKey key() const { return key_; }

private:
    friend class UIContext;
    Box() = default;
    // Returns a box's memory to the pool it came from.
    static void release(Box* b);

    bool dragging(int button) const;
    bool dropped(int button, const IdPredicate& accepts) const;
    bool pressed(int button, bool doubleClick) const;
    bool released(int button) const;
    // The box a button's events go to, noting that this box asked.
    BoxKey target(int button) const;
    bool receivesKeys() const;
    void askedMouse() const { mouseInput_ = true; }

    UIContext* context_ = nullptr;
    BoxKey key_ = 0;
    int anonymousChildren_ = 0;
    int openIndex_ = 0;
    bool enabled_ = true;
    bool secret_ = false;
    bool text_ = false;
    std::uint8_t radio_ = 0;     // 1 a radio button, 2 the selected one
    int description_ = -1;       // in the pass's descriptions
    BoxKey describedParent_ = 0; // the nearest enclosing box with a description
    bool entered_ = false;
    mutable bool mouseInput_ = false;
    mutable bool wheelInput_ = false, rightInput_ = false;
    bool holdsPointer_ = false;
    boost::shared_ptr<Box> previous_;
    // The box's own handle, for entering it. Kept by hand rather than by deriving from
    // enable_shared_from_this, whose handing over costs two more atomic counts per box.
    boost::weak_ptr<Box> self_;
};

} // namespace orbotk
