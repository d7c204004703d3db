// Fixture for the layering check: a utility source that reaches up into the widget library.
#include "gui/box.h"
