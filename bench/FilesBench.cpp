// Usage: files_bench [rows [rounds]]
// Start-up and exit of the real program with a recorded-files list of many rows whose
// files exist, each next to start-up and exit with an empty list in the same run. Run it
// with the harness started; it replaces the data folder of the harness's user.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/AppFolders.h"
#include "app/RecordedFilesFile.h"
#include "resources/resource.h"
#include "tests/app_gui/RunningApp.h"

namespace
{
double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return t;
}

struct Timing
{
    double start = 0; // launch to the window's "Finished Initialization."
    double exit = 0;  // Exit command to the end of the process, the list saved
    bool ok = false;
};

Timing RunOnce(const std::vector<RecordedFileRow>& rows)
{
    Timing timing;
    RemoveDataFolder();
    ::CreateDirectoryW(GetUserDataFolder(), nullptr);
    // No tip of the day over the window.
    const wchar_t config[] = L"\xFEFF[MISC]\r\nTip=0\r\n";
    HANDLE file = ::CreateFileW(GetUserDataFolder() + L"\\Config.ini", GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE)
    {
        DWORD written = 0;
        ::WriteFile(file, config, static_cast<DWORD>(wcslen(config) * sizeof(wchar_t)), &written, nullptr);
        ::CloseHandle(file);
    }
    const CString listPath = GetUserDataFolder() + L"\\Output.ini";
    if (!rows.empty() && !RecordedFilesFile(listPath).Save(rows))
        return timing;
    RunningApp app;
    const LARGE_INTEGER t0 = Now();
    if (!app.Start())
        return timing;
    const LARGE_INTEGER t1 = Now();
    app.Command(ID_EXIT);
    if (app.WaitForExit(120000) != 1)
        return timing;
    const LARGE_INTEGER t2 = Now();
    std::vector<RecordedFileRow> back;
    RecordedFilesFile(listPath).Load(back);
    timing.ok = back.size() == rows.size();
    timing.start = Seconds(t0, t1);
    timing.exit = Seconds(t1, t2);
    return timing;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int kRows = argc > 1 ? _wtoi(argv[1]) : 10000;
    const int kRounds = argc > 2 ? _wtoi(argv[2]) : 3;

    // The recordings: empty files in a folder of their own.
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"qm_files_bench\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    std::vector<RecordedFileRow> rows(static_cast<size_t>(kRows));
    for (int i = 0; i < kRows; ++i)
    {
        wchar_t name[64];
        swprintf(name, 64, L"Untitled (%d).mp3", i + 2);
        const std::wstring path = folder + name;
        HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
        {
            std::printf("cannot create %ls\n", path.c_str());
            return 1;
        }
        ::CloseHandle(file);
        RecordedFileRow& row = rows[static_cast<size_t>(i)];
        row.cells[0] = name;
        row.cells[1] = folder.c_str();
        row.cells[2] = L"MP3";
        wchar_t text[32];
        swprintf(text, 32, L"%02d:%02d:%02d", i / 3600 % 30, i / 60 % 60, i % 60);
        row.cells[3] = text;
        swprintf(text, 32, L"%d/%d/2024 %d:%02d:%02d", i % 12 + 1, i % 28 + 1, i % 24, i % 60, i / 60 % 60);
        row.cells[4] = text;
        swprintf(text, 32, L"%.3f", i / 97.0);
        row.cells[5] = text;
    }

    std::printf("%d rows, %d rounds; seconds (list / empty list)\n", kRows, kRounds);
    double sums[4] = {};
    int counted = 0;
    for (int round = 0; round < kRounds; ++round)
    {
        const Timing empty = RunOnce({});
        const Timing full = RunOnce(rows);
        if (!empty.ok || !full.ok)
        {
            std::printf("round %d: the program did not start, exit or save as expected\n", round + 1);
            continue;
        }
        std::printf("round %d: start %.3f / %.3f (x%.2f), exit %.3f / %.3f (x%.2f)\n", round + 1, full.start,
                    empty.start, full.start / empty.start, full.exit, empty.exit, full.exit / empty.exit);
        sums[0] += full.start;
        sums[1] += empty.start;
        sums[2] += full.exit;
        sums[3] += empty.exit;
        ++counted;
    }
    if (counted)
        std::printf("mean: start %.3f / %.3f (x%.2f), exit %.3f / %.3f (x%.2f)\n", sums[0] / counted,
                    sums[1] / counted, sums[0] / sums[1], sums[2] / counted, sums[3] / counted,
                    sums[2] / sums[3]);
    RemoveDataFolder();
    for (int i = 0; i < kRows; ++i)
        ::DeleteFileW((folder + rows[static_cast<size_t>(i)].cells[0].GetString()).c_str());
    ::RemoveDirectoryW(folder.c_str());
    return counted ? 0 : 1;
}
