#pragma once
// The engine's public calls, for applications: start-up and exit clean-up, skinning a top-level
// window, and skinning a container control (group box, tab control, status bar...) of one.
#include "engine/controls/common/container.h"
#include "engine/core/engine.h"
#include "engine/core/skin_window.h"
