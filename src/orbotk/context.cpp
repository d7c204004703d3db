// Passes and the state between them. The tree of the last complete pass decides who is hot and
// who may take focus; the pass in progress builds the next one as its boxes close.
#include "orbotk/context.h"

#include "internal.h"
#include "orbotk/window.h"
#include "orboutil/log.h"
#include "orboutil/strings.h"

#include <algorithm>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <unordered_set>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>
#include <wx/time.h>

namespace orbotk {

boost::shared_ptr<UIContext> UIContext::create(const std::wstring& title, wxWindow* parent) {
    // The window owns itself (wxWidgets deletes it) and holds the context.
    Window* w = new Window(parent, wxString(title));
    return w->context();
}

boost::shared_ptr<UIContext> UIContext::create(const std::wstring& title,
                                               const boost::weak_ptr<Window>& parent) {
    boost::shared_ptr<Window> p = parent.lock();
    return create(title, static_cast<wxWindow*>(p.get()));
}

UIContext::UIContext() = default;

UIContext::~UIContext() {
    // The DCs let go of their bitmaps before the bitmaps go.
    measureDC_.reset();
    drawDC_.reset();
}

wxMouseEvent* UIContext::mouseEvent() const {
    return dynamic_cast<wxMouseEvent*>(event_);
}

void UIContext::skipEvent(bool skip) {
    skipped_ = skip;
    if (event_)
        event_->Skip(skip);
}

wxDC& UIContext::measureDC() {
    if (!measureDC_) {
        // A memory DC needs a bitmap before it can measure text on every port.
        measureBitmap_.reset(new wxBitmap(1, 1, 24));
        measureDC_.reset(new wxMemoryDC);
        measureDC_->SelectObject(*measureBitmap_);
    }
    return *measureDC_;
}

wxDC& UIContext::drawDC() {
    if (!drawDC_) {
        drawBitmap_.reset(new wxBitmap(1, 1, 24));
        drawDC_.reset(new wxMemoryDC);
        drawDC_->SelectObject(*drawBitmap_);
    }
    return *drawDC_;
}

bool UIContext::resizeFramebuffer(int lw, int lh, int scale) {
    return frame_.resize(lw, lh, scale);
}

// ---- Passes

bool UIContext::runPass(wxEvent& event) {
    if (inPass_)
        return false;
    // Keep ourselves alive even if the procedure drops the last outside reference.
    boost::shared_ptr<UIContext> self = shared_from_this();
    beginPass(event);
    try {
        if (procedure_)
            procedure_(self);
    } catch (...) {
        incomplete_ = true;
        endPass();
        throw;
    }
    endPass();
    return true;
}

UIContext::Suspension::Suspension(const boost::shared_ptr<UIContext>& ui) {
    if (ui && ui->suspend())
        ui_ = ui;
}

UIContext::Suspension::~Suspension() {
    if (ui_)
        ui_->resume();
}

bool UIContext::suspend() {
    if (!inPass_ || eventType_ == wxEVT_PAINT)
        return false;
    SuspendedPass p{incomplete_,
                    std::move(root_),
                    std::move(current_),
                    openCounter_,
                    std::move(tree_),
                    lastTree_,
                    std::move(descriptions_),
                    lastDescriptions_,
                    lastIndex_,
                    lastHold_,
                    event_,
                    eventType_,
                    keyCode_,
                    unicodeKey_,
                    wheel_,
                    mouseX_,
                    mouseY_,
                    ctrl_,
                    shift_,
                    alt_,
                    meta_,
                    skipped_,
                    pointerInside_,
                    hotKey_,
                    hotIndex_,
                    targets_,
                    claim_,
                    secretTyped_,
                    returnReleased,
                    escapePassed,
                    imageBlend,
                    std::move(tooltip),
                    colour_};
    suspended_.push_back(std::move(p));
    tree_.clear();
    inPass_ = false;
    return true;
}

void UIContext::resume() {
    SuspendedPass& p = suspended_.back();
    // The passes run meanwhile ended theirs; what the suspended pass drew on stays its own.
    incomplete_ = p.incomplete;
    root_ = std::move(p.root);
    current_ = std::move(p.current);
    openCounter_ = p.openCounter;
    tree_ = std::move(p.tree);
    lastTree_ = std::move(p.lastTree);
    descriptions_ = std::move(p.descriptions);
    lastDescriptions_ = std::move(p.lastDescriptions);
    lastIndex_ = std::move(p.lastIndex);
    lastHold_ = p.lastHold;
    event_ = p.event;
    eventType_ = p.eventType;
    keyCode_ = p.keyCode;
    unicodeKey_ = p.unicodeKey;
    wheel_ = p.wheel;
    mouseX_ = p.mouseX;
    mouseY_ = p.mouseY;
    ctrl_ = p.ctrl;
    shift_ = p.shift;
    alt_ = p.alt;
    meta_ = p.meta;
    skipped_ = p.skipped;
    pointerInside_ = p.pointerInside;
    hotKey_ = p.hotKey;
    hotIndex_ = p.hotIndex;
    targets_ = p.targets;
    claim_ = p.claim;
    secretTyped_ = p.secretTyped;
    returnReleased = p.returnReleased;
    escapePassed = p.escapePassed;
    imageBlend = p.imageBlend;
    tooltip = std::move(p.tooltip);
    colour_ = p.colour;
    suspended_.pop_back();
    inPass_ = true;
}

void UIContext::recordEvent(wxEvent& event) {
    event_ = &event;
    eventType_ = event.GetEventType();
    skipped_ = false;
    wheel_ = 0;
    keyCode_ = 0;
    unicodeKey_ = 0;
    if (auto* me = dynamic_cast<wxMouseEvent*>(&event)) {
        mouseX_ = me->GetX();
        mouseY_ = me->GetY();
        ctrl_ = me->ControlDown();
        shift_ = me->ShiftDown();
        alt_ = me->AltDown();
        meta_ = me->MetaDown();
        pointerInside_ = eventType_ != wxEVT_LEAVE_WINDOW;
        wheel_ = me->GetWheelRotation();
        if (eventType_ == wxEVT_LEFT_DOWN || eventType_ == wxEVT_LEFT_DCLICK)
            countClick();
        for (int b = 0; b < 3; ++b) {
            static const wxEventType down[3] = {wxEVT_LEFT_DOWN, wxEVT_MIDDLE_DOWN,
                                                wxEVT_RIGHT_DOWN};
            static const wxEventType dbl[3] = {wxEVT_LEFT_DCLICK, wxEVT_MIDDLE_DCLICK,
                                               wxEVT_RIGHT_DCLICK};
            if (eventType_ == down[b] || eventType_ == dbl[b])
                buttonDown_[b] = true;
        }
    } else if (auto* ke = dynamic_cast<wxKeyEvent*>(&event)) {
        keyCode_ = ke->GetKeyCode();
        unicodeKey_ = static_cast<int>(ke->GetUnicodeKey());
        // Characters beyond Latin-1 come without a key code; their Unicode value stands in.
        if (keyCode_ == WXK_NONE)
            keyCode_ = static_cast<int>(ke->GetUnicodeKey());
        ctrl_ = ke->ControlDown();
        shift_ = ke->ShiftDown();
        alt_ = ke->AltDown();
        meta_ = ke->MetaDown();
    }
}

void UIContext::countClick() {
    const long long now = wxGetUTCTimeMillis().GetValue();
    int interval = wxSystemSettings::GetMetric(wxSYS_DCLICK_MSEC);
    if (interval <= 0)
        interval = 400;
    const bool near = std::abs(mouseX_ - lastPressX_) <= 4 && std::abs(mouseY_ - lastPressY_) <= 4;
    if (eventType_ == wxEVT_LEFT_DCLICK) {
        // The platform's double click follows the press it completes: it is that press again.
        clicks_ = std::max(clicks_, 2);
    } else {
        clicks_ = near && clicks_ > 0 && now - lastPressMs_ <= interval ? clicks_ + 1 : 1;
    }
    lastPressMs_ = now;
    lastPressX_ = mouseX_;
    lastPressY_ = mouseY_;
}

void UIContext::findHot() {
    hotKey_ = 0;
    hotIndex_ = -1;
    targets_ = Targets();
    // A box holding the pointer confines every mouse question to itself and its children:
    // those opened after it and closed before it.
    const int holdIndex = lastHold_;
    if (holdIndex >= 0)
        targets_.hold = lastTree_[static_cast<size_t>(holdIndex)].key;
    if (!pointerInside_) {
        targets_.outside = true;
        return;
    }
    const int holdOpen = holdIndex >= 0 ? lastTree_[static_cast<size_t>(holdIndex)].openIndex : 0;
    const size_t end = holdIndex >= 0 ? static_cast<size_t>(holdIndex) + 1 : lastTree_.size();
    targets_.outside = holdIndex >= 0;
    // The wheel and the right button have targets of their own, looked for only in their
    // events: they look past boxes that asked other questions, so that a list scrolls and
    // offers its menu over the checkboxes and buttons in its rows.
    const bool wheel = eventType_ == wxEVT_MOUSEWHEEL;
    const bool right = eventType_ == wxEVT_RIGHT_DOWN || eventType_ == wxEVT_RIGHT_UP ||
                       eventType_ == wxEVT_RIGHT_DCLICK;
    // Close order is front-to-back order: the first match is the front-most.
    for (size_t i = 0; i < end; ++i) {
        const Node& n = lastTree_[i];
        if (holdIndex >= 0 && n.openIndex < holdOpen)
            continue;
        if (!n.contains(mouseX_, mouseY_))
            continue;
        targets_.outside = false;
        if (n.mouseInput && hotIndex_ < 0) {
            hotKey_ = n.key;
            hotIndex_ = static_cast<int>(i);
        }
        if (wheel && n.wheelInput && targets_.wheel == 0)
            targets_.wheel = n.key;
        if (right && n.rightInput && targets_.right == 0)
            targets_.right = n.key;
        if (hotIndex_ >= 0 && (!wheel || targets_.wheel != 0) && (!right || targets_.right != 0))
            return;
    }
}

void UIContext::beginPass(wxEvent& event) {
    inPass_ = true;
    incomplete_ = false;
    recordEvent(event);
    if (eventType_ == wxEVT_PAINT)
        frame_.beginPaint();
    claim_ = ControlID();
    secretTyped_ = 0;
    returnReleased = false;
    escapePassed = false;
    caretRect_.set = false;
    hoverPart_ = -1;
    tooltip.clear();
    colour_ = orbo::tk::RGBA(0xFFFFFFFFu);
    findHot();

    // A drag starts with the first motion while a button is held after a press on a control.
    if (eventType_ == wxEVT_MOTION) {
        for (int b = 0; b < 3; ++b) {
            DragState& d = drags_[b];
            if (buttonDown_[b] && !d.dragging && d.pressKey != 0) {
                d.dragging = true;
                d.key = d.pressKey;
                d.id = d.pressID;
            }
        }
    }

    tree_.clear();
    openCounter_ = 0;
    current_.reset();
    root_ = Box::makeBox(shared_from_this(), ControlID(), true);
    root_->x = root_->y = 0;
    root_->w = frame_.W();
    root_->h = frame_.H();
    root_->enter();
}

void UIContext::closeBox(Box& box) {
    tree_.push_back(Node{box.key_, box.id, box.x, box.y, box.w, box.h, box.openIndex_, box.enabled_,
                         box.mouseInput_, box.wheelInput_, box.rightInput_, box.holdsPointer_,
                         box.secret_, box.radio_, box.description_, box.describedParent_});
}

void UIContext::endPass() {
    frame_.endPass(); // what nothing drew on is cleared
    if (eventType_ == wxEVT_PAINT && !incomplete_) {
        paintedHot_ = hotKey_;
        paintedHoverPart_ = hoverPart_;
    }
    // Boxes a procedure left open are closed here so the tree stays whole.
    while (current_ && current_ != root_)
        current_->exit();
    if (root_)
        root_->exit();

    if (!incomplete_) {
        lastTree_.swap(tree_);
        lastDescriptions_.swap(descriptions_);
        indexLastTree();
        if (!claim_.anonymous()) {
            focused_ = claim_;
            focusKey_ = claim_.key();
        }
        // A control that is gone, or can no longer take focus, gives it up.
        if (focusKey_ != 0) {
            const Node* n = lastNode(focusKey_);
            if (n == nullptr || !n->focusable()) {
                focusKey_ = 0;
                focused_ = ControlID();
            }
        }
        if (activeKey_ != 0 && lastNode(activeKey_) == nullptr) {
            activeKey_ = 0;
            activeID_ = ControlID();
        }
    }
    tree_.clear();
    descriptions_.clear();

    static const wxEventType up[3] = {wxEVT_LEFT_UP, wxEVT_MIDDLE_UP, wxEVT_RIGHT_UP};
    static const wxEventType down[3] = {wxEVT_LEFT_DOWN, wxEVT_MIDDLE_DOWN, wxEVT_RIGHT_DOWN};
    static const wxEventType dbl[3] = {wxEVT_LEFT_DCLICK, wxEVT_MIDDLE_DCLICK, wxEVT_RIGHT_DCLICK};
    for (int b = 0; b < 3; ++b) {
        DragState& d = drags_[b];
        if (eventType_ == up[b]) {
            buttonDown_[b] = false;
            d = DragState();
            // A release ends the press: whatever no widget released is released now.
            if (b == 0) {
                activeKey_ = 0;
                activeID_ = ControlID();
            }
        } else if (eventType_ == down[b] || eventType_ == dbl[b]) {
            // The left button drags the control the press made active; the others drag the
            // control they were pressed on.
            if (b == 0) {
                d.pressKey = activeKey_;
                d.pressID = activeID_;
                leftPressX_ = mouseX_;
            } else if (const BoxKey key = b == 2 ? targets_.right : hotKey_) {
                d.pressKey = key;
                const Node* n = lastNode(key);
                d.pressID = n ? n->id : ControlID();
            }
        }
    }

    root_.reset();
    current_.reset();
    event_ = nullptr;
    eventType_ = wxEVT_NULL;
    inPass_ = false;
}

void UIContext::indexLastTree() {
    // Open addressing, at most half full; the table keeps its size from pass to pass.
    size_t size = lastIndex_.empty() ? 64 : lastIndex_.size();
    while (size < 2 * lastTree_.size())
        size *= 2;
    lastIndex_.assign(size, std::make_pair(BoxKey(0), -1));
    const size_t mask = size - 1;
    lastHold_ = -1;
    for (size_t i = 0; i < lastTree_.size(); ++i) {
        if (lastHold_ < 0 && lastTree_[i].holdsPointer)
            lastHold_ = static_cast<int>(i); // the front-most box holding the pointer
        const BoxKey key = lastTree_[i].key;
        size_t at = key & mask;
        while (lastIndex_[at].first != 0 && lastIndex_[at].first != key)
            at = (at + 1) & mask;
        if (lastIndex_[at].first == 0) // a repeated key keeps its front-most, first, box
            lastIndex_[at] = std::make_pair(key, static_cast<int>(i));
    }
}

int UIContext::lastCloseIndex(BoxKey key) const {
    if (key == 0 || lastIndex_.empty())
        return -1;
    const size_t mask = lastIndex_.size() - 1;
    for (size_t at = key & mask; lastIndex_[at].first != 0; at = (at + 1) & mask)
        if (lastIndex_[at].first == key)
            return lastIndex_[at].second;
    return -1;
}

const UIContext::Node* UIContext::lastNode(BoxKey key) const {
    const int i = lastCloseIndex(key);
    return i < 0 ? nullptr : &lastTree_[static_cast<size_t>(i)];
}

bool UIContext::focusIsSecret() const {
    const Node* n = lastNode(focusKey_);
    return n && n->secret;
}

std::vector<const UIContext::Node*> UIContext::focusOrder() const {
    // Focus order is the order in which controls were opened, each control once.
    std::vector<const Node*> order;
    for (const Node& n : lastTree_)
        if (n.focusable())
            order.push_back(&n);
    std::stable_sort(order.begin(), order.end(),
                     [](const Node* a, const Node* b) { return a->openIndex < b->openIndex; });
    std::unordered_set<BoxKey> seen;
    order.erase(std::remove_if(order.begin(), order.end(),
                               [&](const Node* n) { return !seen.insert(n->key).second; }),
                order.end());
    return order;
}

// The run of radio buttons around order[i] in the focus order: [first, end).
std::pair<int, int> UIContext::radioGroup(const std::vector<const Node*>& order, int i) {
    int first = i, end = i + 1;
    while (first > 0 && order[static_cast<size_t>(first - 1)]->radio)
        --first;
    while (end < static_cast<int>(order.size()) && order[static_cast<size_t>(end)]->radio)
        ++end;
    return {first, end};
}

void UIContext::moveFocus(bool forward) {
    const std::vector<const Node*> order = focusOrder();
    if (order.empty())
        return;
    const int n = static_cast<int>(order.size());
    int at = -1;
    for (int i = 0; i < n; ++i)
        if (order[static_cast<size_t>(i)]->key == focusKey_)
            at = i;
    int next;
    if (at < 0) {
        next = forward ? 0 : n - 1;
    } else {
        // Out of the focused control's radio group, if it is in one.
        const auto [first, end] = order[static_cast<size_t>(at)]->radio
                                      ? radioGroup(order, at)
                                      : std::make_pair(at, at + 1);
        next = forward ? end % n : (first + n - 1) % n;
    }
    // Into a group: at its selected button, else its first.
    if (order[static_cast<size_t>(next)]->radio) {
        const auto [first, end] = radioGroup(order, next);
        next = first;
        for (int i = first; i < end; ++i)
            if (order[static_cast<size_t>(i)]->radio == 2)
                next = i;
    }
    const Node* target = order[static_cast<size_t>(next)];
    focusKey_ = target->key;
    focused_ = target->id;
}

bool UIContext::moveWithinRadioGroup(bool forward) {
    const std::vector<const Node*> order = focusOrder();
    int at = -1;
    for (int i = 0; i < static_cast<int>(order.size()); ++i)
        if (order[static_cast<size_t>(i)]->key == focusKey_)
            at = i;
    if (at < 0 || !order[static_cast<size_t>(at)]->radio)
        return false;
    const auto [first, end] = radioGroup(order, at);
    const int size = end - first;
    const Node* target =
        order[static_cast<size_t>(first + (at - first + (forward ? 1 : size - 1)) % size)];
    focusKey_ = target->key;
    focused_ = target->id;
    return true;
}

std::vector<Described> UIContext::described() const {
    std::vector<const Node*> nodes;
    for (const Node& n : lastTree_)
        if (n.description >= 0)
            nodes.push_back(&n);
    std::sort(nodes.begin(), nodes.end(),
              [](const Node* a, const Node* b) { return a->openIndex < b->openIndex; });
    std::vector<Described> out;
    for (const Node* n : nodes)
        out.push_back(Described{n->key, n->describedParent, n->x, n->y, n->w, n->h,
                                n->key == focusKey_,
                                &lastDescriptions_[static_cast<size_t>(n->description)]});
    return out;
}

bool UIContext::findControl(const std::wstring& name, int& x, int& y, int& w, int& h) const {
    const Node* n = name.empty() ? nullptr : lastNode(namedKey(name));
    if (n == nullptr)
        return false;
    x = n->x, y = n->y, w = n->w, h = n->h;
    return true;
}

void UIContext::setFocusedID(const ControlID& id) {
    focused_ = id;
    if (id.anonymous())
        focusKey_ = 0;
    else
        focusKey_ = id.key();
}

void UIContext::focusControl(const std::wstring& name) {
    const Node* n = name.empty() ? nullptr : lastNode(namedKey(name));
    if (n == nullptr)
        throw std::invalid_argument("no control named \"" + orbo::util::utf8FromWString(name) +
                                    "\" in the last pass");
    if (!n->focusable())
        throw std::invalid_argument("the control \"" + orbo::util::utf8FromWString(name) +
                                    "\" cannot take focus (disabled, or not a tab stop)");
    focusKey_ = n->key;
    focused_ = n->id;
}

} // namespace orbotk
