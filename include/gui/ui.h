// The pass handle: what a widget needs in one pass of its window, handed to every widget
// function (the library's own and a host's alike). It reaches the window's context (events,
// the current box, the current colour), the standard images and fonts, and a memory keyed by
// control identity for the state a caller should not have to own, such as an open combo box's
// highlighted entry. A window makes one when it is made and keeps it for its life; the context
// it reads is always the pass's own.
#pragma once

#include "gui/look.h"
#include "gui/render.h"
#include "orbotk/context.h"
#include "orbotk/control_id.h"
#include "orbotk/rgba.h"

#include <cstdint>
#include <memory>
#include <typeinfo>
#include <unordered_map>

namespace gui {

class Ui {
public:
    // context is the window's pointer to its current context, read at every call; popupOpen
    // the window's guard against a second popup menu while one is open.
    Ui(const ui_t& context, bool& popupOpen) : popupOpen(popupOpen), context_(context) {}
    Ui(const Ui&) = delete;
    Ui& operator=(const Ui&) = delete;

    // The pass's context; a Ui passes wherever the renderer or a Box wants one.
    const ui_t& context() const { return context_; }
    operator const ui_t&() const { return context_; }
    orbotk::UIContext* operator->() const { return context_.get(); }

    // The window takes input (it is not disabled, for example behind a modal dialog).
    bool enabled() const;
    // Asks for a repaint of the window.
    void refresh() const;
    // The current colour: fill, text and image tint of what is drawn next.
    void color(const orbo::tk::RGBA& colour) const;
    orbo::tk::RGBA color() const { return context_->colour(); }
    // The standard images and fonts.
    const Look& look() const { return gui::look(); }

    // The state of type T a widget keeps for id, made by T's default constructor the first
    // time it is asked for and kept for the window's life. Identities and types are separate
    // keys: two widgets of one name keep apart what they keep in different types.
    template <class T> T& memory(const orbotk::ControlID& id) {
        const std::uint64_t key = id.key() ^ (typeid(T).hash_code() * 0x9E3779B97F4A7C15ull);
        std::shared_ptr<void>& slot = memory_[key];
        if (!slot)
            slot = std::make_shared<T>();
        return *static_cast<T*>(slot.get());
    }

    // A widget's own caption is being drawn: the label names the widget and is not a label of
    // its own to screen readers. Set it around a caption.
    bool caption = false;
    // True while a popup menu of this window is open.
    bool& popupOpen;

private:
    const ui_t& context_;
    std::unordered_map<std::uint64_t, std::shared_ptr<void>> memory_;
};

} // namespace gui
