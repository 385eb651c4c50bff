// The about box: the banner, the about text and an OK button, until it is closed.
#pragma once

void ShowInfoWindow();
