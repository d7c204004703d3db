// The chief header: everything a host needs to build windows with the library.
#pragma once

#include "gui/app_window.h"
#include "gui/box.h"
#include "gui/image.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "orbotk/application.h"
#include "orbotk/context.h"
#include "orbotk/control_id.h"
#include "orbotk/driver.h"
#include "orbotk/rgba.h"
#include "orbotk/screen.h"
#include "orbotk/window.h"
#include "orboutil/log.h"
#include "orboutil/strings.h"
