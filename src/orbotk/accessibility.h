// A window's described controls, published to assistive technologies as the accessible
// children of its canvas (ATK objects, which GTK's bridge carries over AT-SPI).
#pragma once

#include "orbotk/accessible.h"

#include <cstdint>
#include <string>
#include <vector>

typedef struct _AtkObject AtkObject;

namespace orbotk {

class Window;

class AccessibleTree {
public:
    explicit AccessibleTree(Window& window);
    ~AccessibleTree();
    AccessibleTree(const AccessibleTree&) = delete;
    AccessibleTree& operator=(const AccessibleTree&) = delete;

    // Follows the last complete pass: new controls come, gone ones go, and what changed in
    // the others (name, states, value) is announced.
    void update();

    Window& window() { return window_; }
    int count() const { return static_cast<int>(children_.size()); }
    AtkObject* child(int i) const;
    const std::vector<AtkObject*>& children() const { return children_; }
    AtkObject* focusedControl() const;
    // Announces the control that has the focus as taking it (its window got the keyboard).
    void announceFocus();
    // The window's own role and description.
    void setWindowRole(Role role, const std::wstring& description);

private:
    Window& window_;
    AtkObject* canvas_ = nullptr;
    void follow(AtkObject* o, const Described& d, bool made, const Described* before,
                AtkObject* previous);

    std::vector<AtkObject*> all_;      // every control, in reading order, each holding a reference
    std::vector<AtkObject*> children_; // those directly on the canvas
    AtkObject* activeEntry_ = nullptr; // the entry last announced as the active descendant
    std::wstring windowDescription_;
    unsigned long focusHandler_ = 0;
};

} // namespace orbotk
