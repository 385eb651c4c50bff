// A library someone left in the user's data folder under a system library's name. Loaded, it leaves
// the file "planted-library-loaded" in the current folder; it provides nothing.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        CloseHandle(
            CreateFileA("planted-library-loaded", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return TRUE;
}
