// Starts Orvane.exe, copied into prepared folders, and measures the time from CreateProcess until its
// main window is visible, and the process's peak memory: with an empty catalogue (the baseline), with
// 100,000 entries, the 10,000-entry category shown at start or not, and with 350,000 entries in
// categories of 20. Closes the window with WM_CLOSE and waits for the exit every time. Prints
// Markdown only: figures, and whether this run's figures meet the targets set for them.
#include <windows.h>

#include "bench/bench_win32.h"
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/version.h"
#include "bench/bench_catalogue.h"

namespace {

constexpr int CATALOGUE_ENTRIES = 100000;
constexpr int LARGE_CATALOGUE_ENTRIES = 350000;
constexpr const char* MAIN_TITLE = "Orvane V" ORVANE_VERSION;
constexpr const char* LAST_BUTTON = "Copy 2 clipboard and exit";
constexpr const char* EDITOR_TITLE = "Edit constantlist";
constexpr size_t EDITED_CATALOGUE_BYTES = 1000000;
constexpr DWORD WAIT_MS = 60000;

bool WriteFileText(const std::string& path, const std::string& text) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

std::string ReadFileText(const std::string& path) {
    std::string text;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return text;
    char buffer[65536];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, got);
    std::fclose(file);
    return text;
}

struct Run {
    bool ok = false;
    double visible = 0;        // seconds from CreateProcess to the visible main window
    double answering = 0;      // and until its thread answers a message (its loop runs)
    SIZE_T peakWorkingSet = 0; // the larger of the two readings
    SIZE_T peakPrivate = 0;    // PeakPagefileUsage: the private bytes' peak
};

void ReadMemory(HANDLE process, Run* run) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return;
    run->peakWorkingSet = std::max(run->peakWorkingSet, counters.PeakWorkingSetSize);
    run->peakPrivate = std::max(run->peakPrivate, counters.PeakPagefileUsage);
}

// The main window opens visible and is hidden at once while it is filled; it counts as shown once
// it is visible again with its last button in place.
HWND VisibleMainWindow(DWORD processId) {
    HWND window = FindWindowA(nullptr, MAIN_TITLE);
    for (; window; window = FindWindowExA(nullptr, window, nullptr, MAIN_TITLE)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window) &&
            FindWindowExA(window, nullptr, "Button", LAST_BUTTON))
            return window;
    }
    return nullptr;
}

Run StartOnce(const std::string& folder) {
    Run run;
    std::string program = folder + "Orvane.exe";
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    double start = Seconds();
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info))
        return run;
    HANDLE query = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, info.dwProcessId);
    HWND window = nullptr;
    while (!window && Seconds() - start < WAIT_MS / 1000.0) {
        window = VisibleMainWindow(info.dwProcessId);
        if (!window) {
            if (WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0) break;
            Sleep(1);
        }
    }
    if (window) {
        run.visible = Seconds() - start;
        DWORD_PTR result = 0;
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, WAIT_MS, &result);
        run.answering = Seconds() - start;
        if (query) ReadMemory(query, &run);
        Sleep(200); // what start-up left pending (painting) runs before the second reading
        if (query) ReadMemory(query, &run);
        run.ok = true;
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(info.hProcess, WAIT_MS) != WAIT_OBJECT_0) {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, WAIT_MS);
        run.ok = false;
    }
    if (query) CloseHandle(query);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return run;
}

// Starts the program, presses "Edit" and times how long the catalogue editor takes to hold the
// whole catalogue file, as the user waits for it; 0 when it did not. Ends the program.
double EditOnce(const std::string& folder, LRESULT fileLength) {
    std::string program = folder + "Orvane.exe";
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info))
        return 0;
    double start = Seconds(), shown = 0;
    HWND window = nullptr;
    while (!window && Seconds() - start < WAIT_MS / 1000.0) {
        window = VisibleMainWindow(info.dwProcessId);
        if (!window) Sleep(1);
    }
    HWND editButton = window ? FindWindowExA(window, nullptr, "Button", "Edit") : nullptr;
    if (editButton) {
        WaitForInputIdle(info.hProcess, 5000);
        double clicked = Seconds();
        PostMessageA(editButton, BM_CLICK, 0, 0);
        while (!shown && Seconds() - clicked < WAIT_MS / 1000.0) {
            HWND editorWindow = FindWindowA(nullptr, EDITOR_TITLE);
            HWND editor = editorWindow ? FindWindowExA(editorWindow, nullptr, nullptr, nullptr) : nullptr;
            DWORD_PTR length = 0;
            if (editor && IsWindowVisible(editorWindow) &&
                SendMessageTimeoutA(editor, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, WAIT_MS, &length) &&
                (LRESULT)length >= fileLength)
                shown = Seconds() - clicked;
            else
                Sleep(1);
        }
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(info.hProcess, WAIT_MS) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return shown;
}

struct Case {
    const char* name;
    int entries;
    bool bigFirst;
    int bigSize;
    double startTarget, memoryTarget; // the most start-up and working set (above empty / file size); 0: none
    const char* shipped = nullptr;    // the shipped catalogue to put beside the program instead
    std::string folder;
    size_t fileSize = 0;
    Run best; // the fastest start; memory from the lowest peak
    int ok = 0;
};

std::string Times(double value, size_t baseline) {
    if (!baseline) return "";
    char text[32];
    std::snprintf(text, sizeof text, "%.2fx", value / (double)baseline);
    return text;
}

std::string Mb(SIZE_T bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", (double)bytes / 1e6);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_bench ORVANE_EXE [RUNS [API_OVC]]\n");
        return 2;
    }
    std::string shipped = argc > 3 ? argv[3] : "";
    int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    // The program starts as a user starts it, without the IDE's words.
    SetEnvironmentVariableA("ZQ_TOOL_Word", nullptr);
    SetEnvironmentVariableA("ZQ_TOOL_Scintilla", nullptr);

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string root =
        std::string(temp) + "orvane_startup_bench_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(root.c_str(), nullptr);
    Case caseList[] = {
        {"empty catalogue (baseline)", 0, false, 0, 0, 0, nullptr, "", 0, {}, 0},
        {"100,000 entries, a 20-entry category shown",
         CATALOGUE_ENTRIES,
         false,
         BIG_CATEGORY_SIZE,
         1.2,
         2.5,
         nullptr,
         "",
         0,
         {},
         0},
        {"100,000 entries, the 10,000-entry category shown",
         CATALOGUE_ENTRIES,
         true,
         BIG_CATEGORY_SIZE,
         1.5,
         3.0,
         nullptr,
         "",
         0,
         {},
         0},
        {"350,000 entries in 17,500 categories of 20, one shown",
         LARGE_CATALOGUE_ENTRIES,
         false,
         0,
         0,
         0,
         nullptr,
         "",
         0,
         {},
         0},
    };
    std::vector<Case> cases(std::begin(caseList), std::end(caseList));
    // The shipped files as a new user gets them: api.ovc beside the program, and no catalogue of the
    // user's own until the first start creates it empty.
    if (!shipped.empty())
        cases.push_back({"the shipped api.ovc, no constants.ovc of the user's",
                         0,
                         false,
                         0,
                         1.15,
                         2.0,
                         shipped.c_str(),
                         "",
                         0,
                         {},
                         0});
    for (Case& c : cases) {
        c.folder = root + std::to_string(&c - cases.data()) + "\\";
        CreateDirectoryA(c.folder.c_str(), nullptr);
        std::string text =
            c.shipped ? ReadFileText(c.shipped) : CatalogueText(c.entries, c.bigFirst, c.bigSize);
        c.fileSize = text.size();
        if ((c.shipped && text.empty()) || !CopyFileA(argv[1], (c.folder + "Orvane.exe").c_str(), FALSE) ||
            !WriteFileText(c.folder + (c.shipped ? "api.ovc" : "constants.ovc"), text) ||
            text.empty() != !c.fileSize) {
            std::fprintf(stderr, "cannot prepare %s\n", c.folder.c_str());
            return 1;
        }
    }
    // Rounds interleave the cases, so that a busy spell on the machine touches all of them alike.
    for (int round = 0; round < runs + 1; ++round) {
        for (Case& c : cases) {
            Run run = StartOnce(c.folder);
            if (!run.ok || round == 0) continue; // the first round only warms the caches
            if (!c.ok || run.visible < c.best.visible) c.best.visible = run.visible;
            if (!c.ok || run.answering < c.best.answering) c.best.answering = run.answering;
            if (!c.ok || run.peakWorkingSet < c.best.peakWorkingSet)
                c.best.peakWorkingSet = run.peakWorkingSet;
            if (!c.ok || run.peakPrivate < c.best.peakPrivate) c.best.peakPrivate = run.peakPrivate;
            c.ok++;
        }
    }

    const Case& base = cases[0];
    std::printf(
        "Orvane.exe started %d times per case after one warming round, in a folder of its own with its "
        "catalogue; time from `CreateProcess` until a visible top-level window titled \"%s\" of that "
        "process with its last button in place, and until that window answers a message. Memory: the "
        "process's `PeakWorkingSetSize` and `PeakPagefileUsage` (private bytes), read "
        "once the window is visible and again 200 ms later; the lowest over the runs.\n\n",
        runs, MAIN_TITLE);
    std::printf(
        "| catalogue | file size | runs | best start to visible window | vs empty | answering | vs empty | "
        "peak working set | above empty | above empty / file size | peak private bytes | above empty / "
        "file size |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const Case& c : cases) {
        if (!c.ok) {
            std::printf("| %s | %s | 0 | (did not start) | | | | | | | | |\n", c.name,
                        Mb(c.fileSize).c_str());
            continue;
        }
        double ws = (double)c.best.peakWorkingSet - (double)base.best.peakWorkingSet;
        double pv = (double)c.best.peakPrivate - (double)base.best.peakPrivate;
        std::printf("| %s | %s | %d | %.1f ms | %.2fx | %.1f ms | %.2fx | %s | %+.1f MB | %s | %s | %s |\n",
                    c.name, Mb(c.fileSize).c_str(), c.ok, c.best.visible * 1000.0,
                    base.ok ? c.best.visible / base.best.visible : 0.0, c.best.answering * 1000.0,
                    base.ok ? c.best.answering / base.best.answering : 0.0, Mb(c.best.peakWorkingSet).c_str(),
                    ws / 1e6, Times(ws, c.fileSize).c_str(), Mb(c.best.peakPrivate).c_str(),
                    Times(pv, c.fileSize).c_str());
    }
    std::printf("\nTargets, against the empty catalogue in this run:\n\n");
    for (const Case& c : cases) {
        if (!c.startTarget || !c.ok || !base.ok) continue;
        double start = c.best.visible / base.best.visible;
        double memory =
            ((double)c.best.peakWorkingSet - (double)base.best.peakWorkingSet) / (double)c.fileSize;
        std::printf(
            "- %s: start-up at most %.2fx: %.2fx, %s; peak working set above empty at most %.1fx the file's "
            "size: %.2fx, %s.\n",
            c.name, c.startTarget, start, start <= c.startTarget ? "met" : "not met", c.memoryTarget, memory,
            memory <= c.memoryTarget ? "met" : "not met");
    }
    // "Edit" on a catalogue of 1 MB: its lines as the ones above, in categories of 20.
    std::string edited, editFolder = root + "edit\\";
    char line[64];
    for (int i = 0; edited.size() < EDITED_CATALOGUE_BYTES; i++) {
        if (i % 20 == 0) edited += "[category_" + std::to_string(i / 20) + "]\r\n";
        std::snprintf(line, sizeof line, "CONSTANT_%06d = CONSTANT_%06d\r\n", i, i);
        edited += line;
    }
    CreateDirectoryA(editFolder.c_str(), nullptr);
    double bestEdit = 0;
    int edits = 0;
    if (CopyFileA(argv[1], (editFolder + "Orvane.exe").c_str(), FALSE) &&
        WriteFileText(editFolder + "constants.ovc", edited)) {
        for (int round = 0; round < std::max(1, runs / 3); round++) {
            double shown = EditOnce(editFolder, (LRESULT)edited.size());
            if (shown > 0 && (!edits || shown < bestEdit)) bestEdit = shown;
            edits += shown > 0;
        }
    }
    std::printf(
        "\n\"Edit\" on a catalogue of %s (%zu lines), from the click on the button until the editor window "
        "shows and holds the whole file: best of %d, %.0f ms.\n",
        Mb(edited.size()).c_str(), (size_t)std::count(edited.begin(), edited.end(), '\n'), edits,
        bestEdit * 1000.0);
    for (const char* name : {"Orvane.exe", "constants.ovc", "Orvane.cfg"})
        DeleteFileA((editFolder + name).c_str());
    RemoveDirectoryA(editFolder.c_str());
    for (const Case& c : cases) {
        DeleteFileA((c.folder + "Orvane.exe").c_str());
        DeleteFileA((c.folder + "constants.ovc").c_str());
        DeleteFileA((c.folder + "api.ovc").c_str());
        DeleteFileA((c.folder + "Orvane.cfg").c_str());
        RemoveDirectoryA(c.folder.c_str());
    }
    RemoveDirectoryA(root.c_str());
    return 0;
}
