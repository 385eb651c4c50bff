// The main window's title and frame: what a new start looks for, and what decides whether a
// remembered position still shows the window.
#pragma once

#include <cstdint>

#include "app/version.h"
#include "toolkit/toolkit.h"

constexpr const char* MAIN_WINDOW_TITLE = "Orvane V" ORVANE_VERSION;
constexpr int MAIN_WINDOW_CLIENT_WIDTH = 300;
constexpr int MAIN_WINDOW_CLIENT_HEIGHT = 410;
// Fixed size, with a close box but no minimise or maximise box.
constexpr uint32_t MAIN_WINDOW_FLAGS = WindowTitleBar | WindowCloseBox;
