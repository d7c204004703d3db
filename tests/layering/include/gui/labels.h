// Fixture for the layering check: a widget's public header that reaches up to the dialogs.
#pragma once
#include "gui/dialog.h"
