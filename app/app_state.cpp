#include "app/app_state.h"

std::string ToolWord;
int32_t EditorHandle = 0;
TakeoverRectangle TakeoverRect = {false, 0, 0};
WindowPosition MainWindowPos = {0, 0};
PlatformHandle BannerHandle = 0;
std::string LastComboText;

void ResetApplicationState() {
    ToolWord.clear();
    EditorHandle = 0;
    TakeoverRect = TakeoverRectangle{false, 0, 0};
    MainWindowPos = WindowPosition{0, 0};
    BannerHandle = 0;
    LastComboText.clear();
}
