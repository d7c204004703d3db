// Box queries. Each answers from the event in progress and the context's record of hot, active,
// focused and dragged controls; a box that asks any mouse question becomes a candidate for the
// hot box in the next pass.
#include "orbotk/box.h"

#include "internal.h"
#include "orbotk/context.h"

#include <wx/event.h>

#include <utility>

namespace orbotk {

namespace {
// Named controls are known by name; anonymous boxes by parent and ordinal. Both are digested
// into 64 bits (the odds of two controls of one window sharing a key are about n^2 / 2^65), so
// making a key costs a few multiplications and no memory. The two seeds keep a name's digest
// apart from a tree path's.
const std::uint64_t NAMED_SEED = 0x9E3779B97F4A7C15ull;
const std::uint64_t PATH_SEED = 0xD1B54A32D192ED03ull;
const BoxKey ROOT_KEY = 0x2545F4914F6CDD1Dull;

// The finaliser of splitmix64: every input bit reaches every output bit.
std::uint64_t mix(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

BoxKey nonZero(std::uint64_t k) {
    return k == 0 ? 1 : k;
}

BoxKey childKey(BoxKey parent, int ordinal) {
    return nonZero(mix(parent ^ mix(PATH_SEED + static_cast<std::uint64_t>(ordinal))));
}

const wxEventType downTypes[3] = {wxEVT_LEFT_DOWN, wxEVT_MIDDLE_DOWN, wxEVT_RIGHT_DOWN};
const wxEventType upTypes[3] = {wxEVT_LEFT_UP, wxEVT_MIDDLE_UP, wxEVT_RIGHT_UP};
const wxEventType doubleTypes[3] = {wxEVT_LEFT_DCLICK, wxEVT_MIDDLE_DCLICK, wxEVT_RIGHT_DCLICK};
} // namespace

BoxKey namedKey(const wchar_t* name, size_t length) {
    std::uint64_t h = NAMED_SEED;
    for (size_t i = 0; i < length; ++i)
        h = mix(h ^ static_cast<std::uint32_t>(name[i]));
    return nonZero(mix(h ^ length));
}

namespace {

// Boxes are made and dropped by the hundred in every pass. Their memory, and that of the
// shared pointers' counts, is kept on free lists (one per block size) and reused, so a warm
// pass asks nothing of the heap. UI thread only, like the boxes themselves.
template <size_t Size> struct FreeList {
    static void*& head() {
        static void* h = nullptr;
        return h;
    }
    static void* get() {
        void*& h = head();
        if (h == nullptr)
            return ::operator new(Size < sizeof(void*) ? sizeof(void*) : Size);
        void* p = h;
        h = *static_cast<void**>(p);
        return p;
    }
    static void put(void* p) {
        *static_cast<void**>(p) = head();
        head() = p;
    }
};

template <class T> struct PoolAllocator {
    typedef T value_type;
    PoolAllocator() = default;
    template <class U> PoolAllocator(const PoolAllocator<U>&) {}
    T* allocate(size_t n) {
        return n == 1 ? static_cast<T*>(FreeList<sizeof(T)>::get())
                      : static_cast<T*>(::operator new(n * sizeof(T)));
    }
    void deallocate(T* p, size_t n) {
        if (n == 1)
            FreeList<sizeof(T)>::put(p);
        else
            ::operator delete(p);
    }
    template <class U> bool operator==(const PoolAllocator<U>&) const { return true; }
    template <class U> bool operator!=(const PoolAllocator<U>&) const { return false; }
};

} // namespace

void Box::release(Box* b) {
    b->~Box();
    FreeList<sizeof(Box)>::put(b);
}

boost::shared_ptr<Box> Box::makeBox(const boost::shared_ptr<UIContext>& ui, const ControlID& id,
                                    bool enabled) {
    Box* raw = new (FreeList<sizeof(Box)>::get()) Box;
    boost::shared_ptr<Box> b(raw, &Box::release, PoolAllocator<Box>());
    b->self_ = b;
    b->context_ = ui.get();
    b->parent = ui->pass_.current;
    b->id = id;
    b->enabled_ = enabled;
    b->openIndex_ = ui->pass_.openCounter++;
    if (b->parent) {
        b->x = b->parent->x;
        b->y = b->parent->y;
        b->w = b->parent->w;
        b->h = b->parent->h;
    }
    if (!id.anonymous())
        b->key_ = id.key();
    else if (b->parent)
        b->key_ = childKey(b->parent->key_, b->parent->anonymousChildren_++);
    else
        b->key_ = ROOT_KEY;
    return b;
}

boost::shared_ptr<UIContext> Box::ui() const {
    return context_->shared_from_this();
}

void Box::enter() {
    if (entered_)
        return;
    previous_ = std::move(context_->pass_.current);
    context_->pass_.current = boost::shared_ptr<Box>(self_);
    entered_ = true;
}

void Box::exit() {
    if (!entered_)
        return;
    entered_ = false;
    // The box left may hold the last handle on this one (a box the pass closes for its host):
    // it goes only once the box is recorded.
    const boost::shared_ptr<Box> left = std::move(context_->pass_.current);
    context_->pass_.current = std::move(previous_);
    context_->closeBox(*this);
}

// ---- Mouse buttons

BoxKey Box::target(int button) const {
    askedMouse();
    if (button != 2)
        return context_->pass_.hotKey;
    rightInput_ = true;
    return context_->pass_.targets.right;
}

bool Box::pressed(int button, bool doubleClick) const {
    const BoxKey target = this->target(button);
    const wxEventType t = context_->pass_.eventType;
    const bool match = doubleClick ? t == doubleTypes[button]
                                   : (t == downTypes[button] || t == doubleTypes[button]);
    return match && key_ != 0 && target == key_;
}

bool Box::released(int button) const {
    const BoxKey target = this->target(button);
    if (context_->pass_.eventType != upTypes[button])
        return false;
    // The left release belongs to the pressed control wherever the pointer went.
    if (button == 0 && context_->activeKey_ != 0)
        return context_->activeKey_ == key_;
    return target == key_;
}

bool Box::pressedOutside() const {
    const UIContext& c = *context_;
    if (c.pass_.targets.hold != key_ || key_ == 0 || !c.pass_.targets.outside)
        return false;
    for (int b = 0; b < 3; ++b)
        if (c.pass_.eventType == downTypes[b] || c.pass_.eventType == doubleTypes[b])
            return true;
    return false;
}

bool Box::leftClicked() {
    return pressed(0, false);
}
bool Box::leftReleased() {
    return released(0);
}
bool Box::leftDoubleClicked() {
    return pressed(0, true);
}
bool Box::middleClicked() {
    return pressed(1, false);
}
bool Box::middleReleased() {
    return released(1);
}
bool Box::middleDoubleClicked() {
    return pressed(1, true);
}
bool Box::rightClicked() {
    return pressed(2, false);
}
bool Box::rightReleased() {
    return released(2);
}
bool Box::rightDoubleClicked() {
    return pressed(2, true);
}

int Box::wheelRotation() const {
    askedMouse();
    wheelInput_ = true;
    if (context_->pass_.eventType != wxEVT_MOUSEWHEEL || context_->pass_.targets.wheel != key_)
        return 0;
    return context_->pass_.wheel;
}

// ---- Drags

bool Box::dragging(int button) const {
    askedMouse();
    const auto& d = context_->drags_[button];
    return d.dragging && d.key == key_;
}

bool Box::dropped(int button, const IdPredicate& accepts) const {
    const auto& d = context_->drags_[button];
    if (context_->pass_.eventType != upTypes[button] || !d.dragging ||
        !context_->pass_.pointerInside)
        return false;
    if (!overAbsolute(context_->pass_.mouseX, context_->pass_.mouseY))
        return false;
    return accepts && accepts(d.id);
}

bool Box::leftDragging() const {
    return dragging(0);
}
bool Box::middleDragging() const {
    return dragging(1);
}
bool Box::rightDragging() const {
    return dragging(2);
}
bool Box::leftDragging(const IdPredicate& a) const {
    return dragging(0) && a && a(context_->drags_[0].id);
}
bool Box::middleDragging(const IdPredicate& a) const {
    return dragging(1) && a && a(context_->drags_[1].id);
}
bool Box::rightDragging(const IdPredicate& a) const {
    return dragging(2) && a && a(context_->drags_[2].id);
}
bool Box::leftDropped(const IdPredicate& a) const {
    return dropped(0, a);
}
bool Box::middleDropped(const IdPredicate& a) const {
    return dropped(1, a);
}
bool Box::rightDropped(const IdPredicate& a) const {
    return dropped(2, a);
}

// ---- Pointer

bool Box::over() const {
    if (!context_->pass_.pointerInside ||
        !overAbsolute(context_->pass_.mouseX, context_->pass_.mouseY))
        return false;
    if (context_->pass_.hotKey == 0 || context_->pass_.hotKey == key_)
        return true;
    // Not hot itself: still over if it was drawn in front of the hot box.
    const int mine = context_->lastCloseIndex(key_);
    return mine >= 0 && mine < context_->pass_.hotIndex;
}

bool Box::overAbsolute(double ax, double ay) const {
    return ax >= x && ax < static_cast<double>(x) + w && ay >= y && ay < static_cast<double>(y) + h;
}

void Box::eventPosition(double& ex, double& ey) const {
    ex = context_->pass_.mouseX - x;
    ey = context_->pass_.mouseY - y;
}

// ---- Active and focus

bool Box::active() const {
    askedMouse();
    return context_->activeKey_ != 0 && context_->activeKey_ == key_;
}

void Box::makeActive() {
    askedMouse();
    context_->activeKey_ = key_;
    context_->activeID_ = id;
}

void Box::clearActive() {
    if (context_->activeKey_ == key_) {
        context_->activeKey_ = 0;
        context_->activeID_ = ControlID();
    }
}

bool Box::focused() const {
    return context_->focusKey_ != 0 && context_->focusKey_ == key_;
}

bool Box::describing() const {
    return context_->accessibility_;
}

void Box::describe(const Description& d) {
    if (!context_->accessibility_ || d.role == Role::None)
        return;
    description_ = static_cast<int>(context_->pass_.descriptions.size());
    context_->pass_.descriptions.push_back(d);
    for (const Box* p = parent.get(); p != nullptr; p = p->parent.get())
        if (p->description_ >= 0) {
            describedParent_ = p->key_;
            break;
        }
}

void Box::makeFocused() {
    if (enabled_ && !id.anonymous() && id.tabIdx() != TabIdx::DISABLED)
        context_->pass_.claim = id;
}

void Box::clearFocused() {
    if (focused()) {
        context_->focusKey_ = 0;
        context_->focused_ = ControlID();
    }
    if (!id.anonymous() && context_->pass_.claim == id)
        context_->pass_.claim = ControlID();
}

// ---- Keys

bool Box::receivesKeys() const {
    if (!enabled_)
        return false;
    // A box holding the pointer holds the keys too, as an open menu does.
    if (context_->pass_.targets.hold != 0)
        return context_->pass_.targets.hold == key_;
    if (context_->focusKey_ != 0)
        return context_->focusKey_ == key_;
    // Nothing focused: the window's top level (the client-area root and the boxes directly in it).
    return !parent || !parent->parent;
}

bool Box::keyDown(int key) const {
    return context_->pass_.eventType == wxEVT_KEY_DOWN && receivesKeys() &&
           context_->pass_.keyCode == key;
}

bool Box::keyUp(int key) const {
    return context_->pass_.eventType == wxEVT_KEY_UP && receivesKeys() &&
           context_->pass_.keyCode == key;
}

bool Box::keyDown(const KeyPredicate& accepts) const {
    const UIContext& c = *context_;
    return c.pass_.eventType == wxEVT_KEY_DOWN && receivesKeys() && accepts &&
           accepts(c.pass_.keyCode, c.pass_.shift, c.pass_.alt, c.pass_.meta, c.pass_.ctrl);
}

bool Box::keyUp(const KeyPredicate& accepts) const {
    const UIContext& c = *context_;
    return c.pass_.eventType == wxEVT_KEY_UP && receivesKeys() && accepts &&
           accepts(c.pass_.keyCode, c.pass_.shift, c.pass_.alt, c.pass_.meta, c.pass_.ctrl);
}

bool Box::characterInput(const CharPredicate& accepts) const {
    return context_->pass_.eventType == wxEVT_CHAR && receivesKeys() && accepts &&
           accepts(context_->pass_.keyCode);
}

} // namespace orbotk
