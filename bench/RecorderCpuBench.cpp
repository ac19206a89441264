// The recorder while it records, driven from here: the real program started with a settings
// file that records WAV (44100 Hz stereo 16-bit, level read-outs on). It records three
// times. The first has no automatic stop, as most recordings are, and is stopped from here
// once the clock shows the length; the second stops by itself after that length, so the
// progress bar moves with every block. Around these two bench/cpu_bench.sh reads the
// program's CPU time from the Linux side (Wine does not report another process's times).
// During the third (the automatic stop again) a thread of this program sends WM_NULL to the
// main window every 50 ms and times the round trips: the delay of the interface thread.
// Before them, for comparison, the script reads the program's CPU over 5 s of idling, and
// the probe runs for 3 s.
// Usage: recorder_cpu_bench seconds [folder of the script's acknowledgements]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/RecordingReadouts.h"
#include "bench/ScriptHandshake.h"
#include "resources/resource.h"
#include "tests/app_gui/RunningApp.h"
#include "tests/engine/TestFiles.h"

namespace
{
double Now()
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Round trips of WM_NULL to a window, one every 50 ms, from a thread of its own.
class InterfaceProbe
{
public:
    explicit InterfaceProbe(HWND hWnd) : m_hWnd(hWnd), m_thread([this] { Run(); }) {}
    ~InterfaceProbe() { Stop(); }
    InterfaceProbe(const InterfaceProbe&) = delete;
    InterfaceProbe& operator=(const InterfaceProbe&) = delete;

    void Stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }

    // Stopped first.
    void Print(const char* name)
    {
        Stop();
        if (m_trips.empty())
        {
            std::printf("result probe=%s count=0\n", name);
            return;
        }
        std::vector<double> sorted = m_trips;
        std::sort(sorted.begin(), sorted.end());
        const size_t longest =
            static_cast<size_t>(std::max_element(m_trips.begin(), m_trips.end()) - m_trips.begin());
        size_t over = 0;
        for (double trip : m_trips)
            over += trip > 50.0 ? 1 : 0;
        std::printf("result probe=%s count=%u median_ms=%.2f p99_ms=%.2f max_ms=%.2f max_at_s=%.2f "
                    "over50=%u failed=%u\n",
                    name, static_cast<unsigned>(sorted.size()), sorted[sorted.size() / 2],
                    sorted[sorted.size() * 99 / 100], sorted.back(), m_sentAt[longest],
                    static_cast<unsigned>(over), m_failed);
    }

private:
    void Run()
    {
        const double start = Now();
        for (int tick = 1; !m_stop; ++tick)
        {
            const double sent = Now();
            DWORD_PTR result = 0;
            if (::SendMessageTimeoutW(m_hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result))
            {
                m_trips.push_back((Now() - sent) * 1000.0);
                m_sentAt.push_back(sent - start);
            }
            else
            {
                ++m_failed;
            }
            const double wait = start + tick * 0.05 - Now();
            if (wait > 0)
                ::Sleep(static_cast<DWORD>(wait * 1000.0));
        }
    }

    HWND m_hWnd;
    std::atomic<bool> m_stop{false};
    std::vector<double> m_trips;  // ms
    std::vector<double> m_sentAt; // s after the probe started
    unsigned m_failed = 0;
    std::thread m_thread;
};

// Starts a recording and waits until the program is back to idle: the clock shows the
// time while it records and is blanked afterwards. Without an automatic stop it is stopped
// from here once the clock shows the length. Read ten times a second, so that the waiting
// costs the program next to nothing.
bool RecordUntilStopped(const RunningApp& app, int seconds, bool autoStop)
{
    HWND clock = app.Control(IDC_MAIN_TIME);
    auto blank = [&] { return TextOf(clock).find_first_not_of(L' ') == std::wstring::npos; };
    auto poll = [](const std::function<bool()>& done, DWORD ms)
    {
        const DWORD start = ::GetTickCount();
        while (!done())
        {
            if (::GetTickCount() - start > ms)
                return false;
            ::Sleep(100);
        }
        return true;
    };
    const DWORD limit = static_cast<DWORD>(seconds) * 1000 + 60000;
    app.Command(ID_RECORD);
    if (!clock || !poll([&] { return !blank(); }, 30000))
        return false;
    if (!autoStop)
    {
        // The clock's text has a fixed width, so it compares as its time does.
        const std::wstring length(RecordingReadouts::ElapsedText(seconds * 10).GetString());
        if (!poll([&] { return TextOf(clock) >= length; }, limit))
            return false;
        app.Command(ID_STOP);
    }
    return poll(blank, limit);
}

// Ticks the Output page's automatic stop on or off, as its two choices do.
bool SetAutoStop(const RunningApp& app, bool on)
{
    // The stop-after choice's id is the page's own; the other's is shared with the Device page.
    HWND after = app.Control(IDC_OUTPUT_STOP_AFTER);
    HWND page = after ? ::GetParent(after) : nullptr;
    HWND manually = page ? ::GetDlgItem(page, IDC_OUTPUT_STOP_MANUALLY) : nullptr;
    if (!manually)
        return false;
    ::SendMessageW(manually, BM_SETCHECK, on ? BST_UNCHECKED : BST_CHECKED, 0);
    ::SendMessageW(after, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    const int id = on ? IDC_OUTPUT_STOP_AFTER : IDC_OUTPUT_STOP_MANUALLY;
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(on ? after : manually));
    return true;
}

// What the recording holds, or false when it is not the expected WAV file.
bool PrintRecorded(const std::wstring& path, int round)
{
    const WavFile wav = ReadWav(path);
    ::DeleteFileW(path.c_str());
    if (!wav.valid || wav.byteRate == 0)
        return false;
    std::printf("result recording=%d seconds=%.3f rate=%u channels=%u bits=%u\n", round,
                static_cast<double>(wav.dataSize) / wav.byteRate, wav.sampleRate, wav.channels, wav.bits);
    return true;
}

int Fail(const RunningApp& app, const char* what)
{
    std::fprintf(stderr, "recorder_cpu_bench: %s\n", what);
    if (app.Window())
        std::fprintf(stderr, "the program's log:\n%s\n", Narrow(app.LogText()).c_str());
    return 1;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int seconds = argc > 1 ? _wtoi(argv[1]) : 20;
    const ScriptHandshake script(argc > 2 ? argv[2] : L"");
    if (seconds < 5 || seconds > 3599)
    {
        std::fprintf(stderr, "recorder_cpu_bench: give the seconds to record (5 to 3599)\n");
        return 2;
    }
    const std::wstring folder = BuildFolder() + L"\\cpu-bench\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"cpu.wav";
    ::DeleteFileW(path.c_str());
    const bool written = WriteConfig(
        L"[MISC]\r\nAmpDigi=1\r\nStop=0\r\nStopHour=0\r\nStopMin=" + std::to_wstring(seconds / 60) +
        L"\r\nStopSec=" + std::to_wstring(seconds % 60) +
        L"\r\nActAftRec=0\r\n[OUTPUT]\r\nOutputFormat=1\r\nFreq=7\r\nChan=2\r\nResolution=2\r\nLoc=1\r\n"
        L"Name=cpu\r\nDesDir=" +
        folder + L"\r\n");
    RunningApp app;
    if (!written || !app.Start())
        return Fail(app, "the program did not start");

    // The program's own cost while idle, then the probe's figures while idle.
    if (!script.Mark("idle1"))
        return Fail(app, "no answer from the script");
    const double idleStart = Now();
    ::Sleep(5000);
    const double idleSpan = Now() - idleStart;
    if (!script.Mark("idle2"))
        return Fail(app, "no answer from the script");
    std::printf("result idle_s=%.3f\n", idleSpan);
    {
        InterfaceProbe idle(app.Window());
        ::Sleep(3000); // the span the idle probe covers
        idle.Print("idle");
    }

    // 1: no automatic stop; 2: an automatic stop after the length.
    for (int round = 1; round <= 2; ++round)
    {
        const bool autoStop = round == 2;
        if (autoStop && !SetAutoStop(app, true))
            return Fail(app, "no automatic stop choice on the Output page");
        if (!script.Mark(("start" + std::to_string(round)).c_str()))
            return Fail(app, "no answer from the script");
        if (!RecordUntilStopped(app, seconds, autoStop))
            return Fail(app, "a recording did not run to its stop");
        if (!script.Mark(("end" + std::to_string(round)).c_str()))
            return Fail(app, "no answer from the script");
        const auto done = static_cast<size_t>(round);
        if (!WaitUntil([&] { return app.LogCount(L"Done.") >= done; }, 30000) || !PrintRecorded(path, round))
            return Fail(app, "a recording is not a complete WAV file");
    }

    if (!script.Mark("start3"))
        return Fail(app, "no answer from the script");
    {
        InterfaceProbe probe(app.Window());
        if (!RecordUntilStopped(app, seconds, true))
            return Fail(app, "the third recording did not run to its stop");
        probe.Print("recording");
    }
    if (!script.Mark("end3"))
        return Fail(app, "no answer from the script");
    if (!PrintRecorded(path, 3))
        return Fail(app, "the third recording is not a complete WAV file");

    app.Command(ID_EXIT);
    app.WaitForExit();
    return 0;
}
