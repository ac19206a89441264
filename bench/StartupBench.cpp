// Start-up of the recorder next to a minimal dialog program, both started from here the
// same way: from CreateProcess to the window being up (for the recorder, to its
// "Finished Initialization." on the Log page). Run by hand with the harness started:
//   scripts/wine-run.sh --build build/i686 build/i686/bin/startup_bench.exe [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "resources/resource.h"
#include "tests/app_gui/RunningApp.h"

namespace
{
double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

HWND FindMarked(DWORD pid, LPCWSTR name)
{
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hWnd, &owner);
        if (owner == pid && ::GetPropW(hWnd, name) && ::IsWindowVisible(hWnd))
            return hWnd;
    }
    return nullptr;
}

double TimeMinimalDialog()
{
    std::wstring commandLine = L"\"" + BinFolder() + L"minimal_dialog.exe\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    ::QueryPerformanceCounter(&start);
    if (!::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return -1.0;
    HWND hWnd = nullptr;
    WaitUntil([&] { return (hWnd = FindMarked(process.dwProcessId, L"MinimalDialog")) != nullptr; }, 60000);
    ::QueryPerformanceCounter(&end);
    ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
    ::WaitForSingleObject(process.hProcess, 30000);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    return hWnd ? Seconds(start, end) : -1.0;
}

double TimeRecorder()
{
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    RunningApp app;
    ::QueryPerformanceCounter(&start);
    const bool started = app.Start();
    ::QueryPerformanceCounter(&end);
    app.Command(ID_EXIT);
    app.WaitForExit();
    return started ? Seconds(start, end) : -1.0;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 5;
    std::vector<double> minimal;
    std::vector<double> recorder;
    // One of each first, unmeasured: the first start of any program loads Wine's DLLs.
    TimeMinimalDialog();
    TimeRecorder();
    for (int i = 0; i < rounds; ++i)
    {
        minimal.push_back(TimeMinimalDialog());
        recorder.push_back(TimeRecorder());
        if (minimal.back() < 0 || recorder.back() < 0)
        {
            std::printf("a program did not start\n");
            return 1;
        }
    }
    const double m = Median(minimal);
    const double r = Median(recorder);
    std::printf("start-up, median of %d: minimal dialog %.0f ms, recorder %.0f ms, ratio %.2f\n", rounds,
                m * 1000, r * 1000, r / m);
    return 0;
}
