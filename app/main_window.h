// The tool's main window: the category combo box, the entry list and the buttons.
#pragma once

// Opens and fills window 1 at the remembered or taken-over place. False when it could not be opened.
bool BuildMainWindow();

// Runs until the tool is to end, keeping the remembered window position up to date.
void MainLoop();
