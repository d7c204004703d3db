// Fixture for the layering check: a renderer source that reaches up into a widget's private
// header.
#include "widgets/icon.h"
