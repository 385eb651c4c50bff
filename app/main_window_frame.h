// The main window's title and frame: what a new start looks for, and what decides whether a
// remembered position still shows the window.
#pragma once

#include <cstdint>

constexpr const char* MAIN_WINDOW_TITLE = "Orvane V1.2.2";
constexpr int MAIN_WINDOW_CLIENT_WIDTH = 300;
constexpr int MAIN_WINDOW_CLIENT_HEIGHT = 410;
constexpr uint32_t MAIN_WINDOW_FLAGS = 0xC80000; // WS_CAPTION | WS_SYSMENU: fixed size, close box only
