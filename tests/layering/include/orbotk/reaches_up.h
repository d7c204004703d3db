// Fixture for the layering check: a toolkit header that reaches up into the widget library.
#pragma once
#include <gui/gui.h>
