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
    // The window's own role and description.
    void setWindowRole(Role role, const std::wstring& description);

private:
    Window& window_;
    AtkObject* canvas_ = nullptr;
    std::vector<AtkObject*> children_; // in reading order, each holding a reference
};

} // namespace orbotk
