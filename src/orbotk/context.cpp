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

bool UIContext::windowEnabled() const {
    return !window_.expired() && windowPointer_->IsEnabled();
}

wxMouseEvent* UIContext::mouseEvent() const {
    return dynamic_cast<wxMouseEvent*>(pass_.event);
}

void UIContext::skipEvent(bool skip) {
    pass_.skipped = skip;
    if (pass_.event)
        pass_.event->Skip(skip);
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
        pass_.incomplete = true;
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
    if (!inPass_ || pass_.eventType == wxEVT_PAINT)
        return false;
    // The passes run meanwhile start from where this one stands, with boxes of their own.
    suspended_.push_back(pass_);
    pass_.root.reset();
    pass_.current.reset();
    pass_.tree.clear();
    pass_.descriptions.clear();
    pass_.tooltip.clear();
    inPass_ = false;
    return true;
}

void UIContext::resume() {
    // The passes run meanwhile ended theirs; what the suspended pass drew on stays its own.
    pass_ = std::move(suspended_.back());
    suspended_.pop_back();
    inPass_ = true;
}

void UIContext::recordEvent(wxEvent& event) {
    pass_.event = &event;
    pass_.eventType = event.GetEventType();
    pass_.skipped = false;
    pass_.wheel = 0;
    pass_.keyCode = 0;
    pass_.unicodeKey = 0;
    pass_.shortcutKey = 0;
    if (auto* me = dynamic_cast<wxMouseEvent*>(&event)) {
        pass_.mouseX = me->GetX();
        pass_.mouseY = me->GetY();
        pass_.ctrl = me->ControlDown();
        pass_.shift = me->ShiftDown();
        pass_.alt = me->AltDown();
        pass_.meta = me->MetaDown();
        pass_.pointerInside = pass_.eventType != wxEVT_LEAVE_WINDOW;
        pass_.wheel = me->GetWheelRotation();
        if (pass_.eventType == wxEVT_LEFT_DOWN || pass_.eventType == wxEVT_LEFT_DCLICK)
            countClick();
        for (int b = 0; b < 3; ++b) {
            static const wxEventType down[3] = {wxEVT_LEFT_DOWN, wxEVT_MIDDLE_DOWN,
                                                wxEVT_RIGHT_DOWN};
            static const wxEventType dbl[3] = {wxEVT_LEFT_DCLICK, wxEVT_MIDDLE_DCLICK,
                                               wxEVT_RIGHT_DCLICK};
            if (pass_.eventType == down[b] || pass_.eventType == dbl[b])
                buttonDown_[b] = true;
        }
    } else if (auto* ke = dynamic_cast<wxKeyEvent*>(&event)) {
        pass_.keyCode = ke->GetKeyCode();
        pass_.unicodeKey = static_cast<int>(ke->GetUnicodeKey());
        // Characters beyond Latin-1 come without a key code; their Unicode value stands in.
        if (pass_.keyCode == WXK_NONE)
            pass_.keyCode = static_cast<int>(ke->GetUnicodeKey());
        pass_.ctrl = ke->ControlDown();
        pass_.shift = ke->ShiftDown();
        pass_.alt = ke->AltDown();
        pass_.meta = ke->MetaDown();
        pass_.shortcutKey = ke->GetKeyCode() == WXK_NONE
                                ? latinKey(pass_.keyCode, ke->GetRawKeyFlags())
                                : pass_.keyCode;
    }
}

void UIContext::countClick() {
    const long long now = wxGetUTCTimeMillis().GetValue();
    int interval = wxSystemSettings::GetMetric(wxSYS_DCLICK_MSEC);
    if (interval <= 0)
        interval = 400;
    const bool near =
        std::abs(pass_.mouseX - lastPressX_) <= 4 && std::abs(pass_.mouseY - lastPressY_) <= 4;
    if (pass_.eventType == wxEVT_LEFT_DCLICK) {
        // The platform's double click follows the press it completes: it is that press again.
        clicks_ = std::max(clicks_, 2);
    } else {
        clicks_ = near && clicks_ > 0 && now - lastPressMs_ <= interval ? clicks_ + 1 : 1;
    }
    lastPressMs_ = now;
    lastPressX_ = pass_.mouseX;
    lastPressY_ = pass_.mouseY;
}

void UIContext::findHot() {
    pass_.hotKey = 0;
    pass_.hotIndex = -1;
    pass_.targets = Targets();
    // A box holding the pointer confines every mouse question to itself and its children:
    // those opened after it and closed before it.
    const int holdIndex = pass_.lastHold;
    if (holdIndex >= 0)
        pass_.targets.hold = pass_.lastTree[static_cast<size_t>(holdIndex)].key;
    if (!pass_.pointerInside) {
        pass_.targets.outside = true;
        return;
    }
    const int holdOpen =
        holdIndex >= 0 ? pass_.lastTree[static_cast<size_t>(holdIndex)].openIndex : 0;
    const size_t end = holdIndex >= 0 ? static_cast<size_t>(holdIndex) + 1 : pass_.lastTree.size();
    pass_.targets.outside = holdIndex >= 0;
    // The wheel and the right button have targets of their own, looked for only in their
    // events: they look past boxes that asked other questions, so that a list scrolls and
    // offers its menu over the checkboxes and buttons in its rows.
    const bool wheel = pass_.eventType == wxEVT_MOUSEWHEEL;
    const bool right = pass_.eventType == wxEVT_RIGHT_DOWN || pass_.eventType == wxEVT_RIGHT_UP ||
                       pass_.eventType == wxEVT_RIGHT_DCLICK;
    // Close order is front-to-back order: the first match is the front-most.
    for (size_t i = 0; i < end; ++i) {
        const Node& n = pass_.lastTree[i];
        if (holdIndex >= 0 && n.openIndex < holdOpen)
            continue;
        if (!n.contains(pass_.mouseX, pass_.mouseY))
            continue;
        pass_.targets.outside = false;
        if (n.mouseInput && pass_.hotIndex < 0) {
            pass_.hotKey = n.key;
            pass_.hotIndex = static_cast<int>(i);
        }
        if (wheel && n.wheelInput && pass_.targets.wheel == 0)
            pass_.targets.wheel = n.key;
        if (right && n.rightInput && pass_.targets.right == 0)
            pass_.targets.right = n.key;
        if (pass_.hotIndex >= 0 && (!wheel || pass_.targets.wheel != 0) &&
            (!right || pass_.targets.right != 0))
            return;
    }
}

void UIContext::beginPass(wxEvent& event) {
    inPass_ = true;
    idleWanted_ = false;
    pass_.number = ++passesBegun_;
    pass_.incomplete = false;
    recordEvent(event);
    if (pass_.eventType == wxEVT_PAINT)
        frame_.beginPaint();
    pass_.claim = ControlID();
    pass_.secretTyped = 0;
    returnReleased = false;
    escapePassed = false;
    caretRect_.set = false;
    hoverPart_ = -1;
    cursor_ = 0;
    tooltip.clear();
    pass_.colour = orbo::tk::RGBA(0xFFFFFFFFu);
    findHot();

    // A drag starts with the first motion while a button is held after a press on a control.
    if (pass_.eventType == wxEVT_MOTION) {
        for (int b = 0; b < 3; ++b) {
            DragState& d = drags_[b];
            if (buttonDown_[b] && !d.dragging && d.pressKey != 0) {
                d.dragging = true;
                d.key = d.pressKey;
                d.id = d.pressID;
            }
        }
    }

    pass_.tree.clear();
    pass_.openCounter = 0;
    pass_.current.reset();
    pass_.root = Box::makeBox(shared_from_this(), ControlID(), true);
    pass_.root->x = pass_.root->y = 0;
    pass_.root->w = frame_.W();
    pass_.root->h = frame_.H();
    pass_.root->enter();
}

void UIContext::closeBox(Box& box) {
    // Written field by field where it lies: a node built aside and copied in was stored in
    // small pieces and read back in large ones, which stalled every box's close.
    Node& n = pass_.tree.emplace_back();
    n.key = box.key_;
    n.id = box.id;
    n.x = box.x;
    n.y = box.y;
    n.w = box.w;
    n.h = box.h;
    n.openIndex = box.openIndex_;
    n.enabled = box.enabled_;
    n.mouseInput = box.mouseInput_;
    n.wheelInput = box.wheelInput_;
    n.rightInput = box.rightInput_;
    n.holdsPointer = box.holdsPointer_;
    n.secret = box.secret_;
    n.text = box.text_;
    n.radio = box.radio_;
    n.description = box.description_;
    n.describedParent = box.describedParent_;
}

void UIContext::endPass() {
    frame_.endPass(); // what nothing drew on is cleared
    if (pass_.eventType == wxEVT_PAINT && !pass_.incomplete) {
        paintedHot_ = pass_.hotKey;
        paintedHoverPart_ = hoverPart_;
    }
    // Boxes a procedure left open are closed here so the tree stays whole.
    while (pass_.current && pass_.current != pass_.root)
        pass_.current->exit();
    if (pass_.root)
        pass_.root->exit();

    if (!pass_.incomplete) {
        pass_.lastTree.swap(pass_.tree);
        pass_.lastDescriptions.swap(pass_.descriptions);
        indexLastTree();
        if (!pass_.claim.anonymous()) {
            focused_ = pass_.claim;
            focusKey_ = pass_.claim.key();
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
    pass_.tree.clear();
    pass_.descriptions.clear();

    static const wxEventType up[3] = {wxEVT_LEFT_UP, wxEVT_MIDDLE_UP, wxEVT_RIGHT_UP};
    static const wxEventType down[3] = {wxEVT_LEFT_DOWN, wxEVT_MIDDLE_DOWN, wxEVT_RIGHT_DOWN};
    static const wxEventType dbl[3] = {wxEVT_LEFT_DCLICK, wxEVT_MIDDLE_DCLICK, wxEVT_RIGHT_DCLICK};
    for (int b = 0; b < 3; ++b) {
        DragState& d = drags_[b];
        if (pass_.eventType == up[b]) {
            buttonDown_[b] = false;
            d = DragState();
            // A release ends the press: whatever no widget released is released now.
            if (b == 0) {
                activeKey_ = 0;
                activeID_ = ControlID();
            }
        } else if (pass_.eventType == down[b] || pass_.eventType == dbl[b]) {
            // The left button drags the control the press made active; the others drag the
            // control they were pressed on.
            if (b == 0) {
                d.pressKey = activeKey_;
                d.pressID = activeID_;
                leftPressX_ = pass_.mouseX;
            } else if (const BoxKey key = b == 2 ? pass_.targets.right : pass_.hotKey) {
                d.pressKey = key;
                const Node* n = lastNode(key);
                d.pressID = n ? n->id : ControlID();
            }
        }
    }

    pass_.root.reset();
    pass_.current.reset();
    pass_.event = nullptr;
    pass_.eventType = wxEVT_NULL;
    inPass_ = false;
}

void UIContext::indexLastTree() {
    // Open addressing, at most half full; the table keeps its size from pass to pass.
    size_t size = pass_.lastIndex.empty() ? 64 : pass_.lastIndex.size();
    while (size < 2 * pass_.lastTree.size())
        size *= 2;
    // Only the keys tell a slot is empty: clearing them is a memset of the table.
    if (pass_.lastIndex.size() == size)
        std::memset(static_cast<void*>(pass_.lastIndex.data()), 0,
                    size * sizeof pass_.lastIndex[0]);
    else
        pass_.lastIndex.assign(size, std::make_pair(BoxKey(0), 0));
    const size_t mask = size - 1;
    pass_.lastHold = -1;
    for (size_t i = 0; i < pass_.lastTree.size(); ++i) {
        if (pass_.lastHold < 0 && pass_.lastTree[i].holdsPointer)
            pass_.lastHold = static_cast<int>(i); // the front-most box holding the pointer
        const BoxKey key = pass_.lastTree[i].key;
        size_t at = key & mask;
        while (pass_.lastIndex[at].first != 0 && pass_.lastIndex[at].first != key)
            at = (at + 1) & mask;
        if (pass_.lastIndex[at].first == 0) // a repeated key keeps its front-most, first, box
            pass_.lastIndex[at] = std::make_pair(key, static_cast<int>(i));
    }
}

int UIContext::lastCloseIndex(BoxKey key) const {
    if (key == 0 || pass_.lastIndex.empty())
        return -1;
    const size_t mask = pass_.lastIndex.size() - 1;
    for (size_t at = key & mask; pass_.lastIndex[at].first != 0; at = (at + 1) & mask)
        if (pass_.lastIndex[at].first == key)
            return pass_.lastIndex[at].second;
    return -1;
}

const UIContext::Node* UIContext::lastNode(BoxKey key) const {
    const int i = lastCloseIndex(key);
    return i < 0 ? nullptr : &pass_.lastTree[static_cast<size_t>(i)];
}

bool UIContext::focusIsSecret() const {
    const Node* n = lastNode(focusKey_);
    return n && n->secret;
}

bool UIContext::focusIsText() const {
    const Node* n = lastNode(focusKey_);
    return n && n->text;
}

std::vector<const UIContext::Node*> UIContext::focusOrder() const {
    // Focus order is the order in which controls were opened, each control once.
    std::vector<const Node*> order;
    for (const Node& n : pass_.lastTree)
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
    for (const Node& n : pass_.lastTree)
        if (n.description >= 0)
            nodes.push_back(&n);
    std::sort(nodes.begin(), nodes.end(),
              [](const Node* a, const Node* b) { return a->openIndex < b->openIndex; });
    std::vector<Described> out;
    for (const Node* n : nodes)
        out.push_back(Described{n->key, n->describedParent, n->x, n->y, n->w, n->h,
                                n->key == focusKey_,
                                &pass_.lastDescriptions[static_cast<size_t>(n->description)]});
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
