// The Device page and the Sound Device Info report in the running program: device list
// and Device(s) menu in step, the line and volume through the mixer, the balance reaching
// the next recording's file, the guards and messages, and the report with its copy.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include <portaudio.h>

#include "../engine/TestFiles.h"
#include "app/DeviceReport.h"
#include "app/PaDeviceReportSource.h"
#include "harness/SignalMatch.h"
#include "resources/resource.h"
#include "tests/app_gui/RunningApp.h"
#include "tests/device_gui/AppWindows.h"

namespace
{
constexpr DWORD kWait = 30000;

// The Device page's own controls (other pages reuse some of its ids).
struct DevicePage
{
    explicit DevicePage(const RunningApp& app) : page(::GetParent(app.Control(IDC_DEVICE_LIST))) {}
    HWND Item(int id) const { return ::GetDlgItem(page, id); }
    std::wstring Text(int id) const { return TextOf(Item(id)); }
    int Selection(int id) const { return static_cast<int>(::SendMessageW(Item(id), CB_GETCURSEL, 0, 0)); }
    int Count(int id) const { return static_cast<int>(::SendMessageW(Item(id), CB_GETCOUNT, 0, 0)); }
    // The user picks entry of the combo box.
    void Choose(int id, int entry) const
    {
        // The notification is posted: emptied first, the line list cannot show the last
        // device's lines to a wait that comes before the page has handled it.
        if (id == IDC_DEVICE_LIST)
            ::SendMessageW(Item(IDC_DEVICE_LINE), CB_RESETCONTENT, 0, 0);
        ::SendMessageW(Item(id), CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
        PostNotify(Item(id), CBN_SELCHANGE);
    }
    HWND page;
};

// Waits for the program's message box, checks its text and closes it.
void ExpectMessage(const RunningApp& app, const std::wstring& text)
{
    HWND box = app.FindTopWindow(L"Quillmoth", kWait);
    ASSERT_NE(nullptr, box) << "no message box: " << Narrow(text);
    EXPECT_EQ(text, MessageBoxText(box));
    PressDialogButton(box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }, kWait));
}

bool NoMessageBox(const RunningApp& app)
{
    return app.FindTopWindow(L"Quillmoth") == nullptr;
}

void Screenshot(const RunningApp& app, const std::wstring& name)
{
    ::RedrawWindow(app.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SaveScreenshot(app.Window(), name);
}

// Starts the program recording WAV files named name into out, and shows the Device page.
void StartOnDevicePage(RunningApp& app, const TempFolder& out, const std::wstring& name)
{
    ASSERT_TRUE(WriteConfig(L"[MISC]\r\nTip=0\r\n[OUTPUT]\r\nOutputFormat=1\r\nLoc=1\r\nName=" + name +
                            L"\r\nDesDir=" + out.Path() + L"\r\n"));
    ASSERT_TRUE(app.Start());
    app.Command(ID_TOOL_DEVICE);
    const DevicePage page(app);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(page.page) != FALSE; }, kWait));
}
} // namespace

TEST(DeviceGui, ListMenuLinesVolumeAndTheLaunchers)
{
    ASSERT_TRUE(WriteConfig(L"[MISC]\r\nTip=0\r\n"));
    RunningApp app;
    ASSERT_TRUE(app.Start());
    app.Command(ID_TOOL_DEVICE);
    const DevicePage page(app);
    ASSERT_NE(nullptr, page.page);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(page.page) != FALSE; }, kWait));
    const int devices = page.Count(IDC_DEVICE_LIST);
    ASSERT_GE(devices, 1);
    const int first = page.Selection(IDC_DEVICE_LIST);
    ASSERT_GE(first, 0);

    // The balance read-outs from the settings.
    EXPECT_EQ(L"Left Balance: 100", page.Text(IDC_DEVICE_LEFT_LABEL));
    EXPECT_EQ(L"Right Balance: 100", page.Text(IDC_DEVICE_RIGHT_LABEL));
    Screenshot(app, L"device-page-idle");

    // Every other device from the list; a device whose mixer cannot be opened leaves no
    // lines and says so. (The Device(s) menu's mark is checked by the logic tests: Wine
    // does not let another process read a menu.)
    int withLines = -1;
    for (int entry = 0; entry < devices; ++entry)
    {
        if (entry == first)
            continue;
        page.Choose(IDC_DEVICE_LIST, entry);
        ASSERT_TRUE(WaitUntil([&] { return page.Count(IDC_DEVICE_LINE) > 0 || !NoMessageBox(app); }, kWait));
        if (page.Count(IDC_DEVICE_LINE) == 0)
        {
            HWND box = app.FindTopWindow(L"Quillmoth");
            EXPECT_EQ(0u, MessageBoxText(box).find(L"Fail to ")) << entry;
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            EXPECT_TRUE(WaitUntil([&] { return NoMessageBox(app); }, kWait));
        }
        else if (withLines < 0)
        {
            withLines = entry;
            // The hints in colour once a mixer is open; a picture of the page with lines.
            // The lines come before the colours, within the same handler.
            EXPECT_TRUE(WaitUntil(
                [&] { return WindowShowsColour(page.Item(IDC_DEVICE_HINT_VISTA), RGB(255, 0, 0)); }, kWait));
            EXPECT_TRUE(WaitUntil(
                [&] { return WindowShowsColour(page.Item(IDC_DEVICE_HINT_NOISE), RGB(0, 0, 255)); }, kWait));
            Screenshot(app, L"device-page-other-device");
        }
    }
    // The harness's own devices each have a recording line.
    ASSERT_GE(withLines, 0);
    page.Choose(IDC_DEVICE_LIST, withLines);
    ASSERT_TRUE(WaitUntil([&] { return page.Count(IDC_DEVICE_LINE) > 0; }, kWait));

    // The line: choosing it shows its volume; moving the trackbar sets and shows it.
    const int lines = page.Count(IDC_DEVICE_LINE);
    page.Choose(IDC_DEVICE_LINE, lines - 1);
    EXPECT_TRUE(WaitUntil([&] { return page.Selection(IDC_DEVICE_LINE) == lines - 1; }, kWait));
    EXPECT_TRUE(WaitUntil([&] { return page.Text(IDC_DEVICE_VOLUME_LABEL).find(L"Volume: ") == 0; }, kWait));
    const int shown = static_cast<int>(::SendMessageW(page.Item(IDC_DEVICE_VOLUME), TBM_GETPOS, 0, 0));
    EXPECT_EQ(L"Volume: " + std::to_wstring(shown), page.Text(IDC_DEVICE_VOLUME_LABEL));
    EXPECT_TRUE(::IsWindowEnabled(page.Item(IDC_DEVICE_VOLUME)));
    DragTrackbar(page.Item(IDC_DEVICE_VOLUME), 50);
    EXPECT_TRUE(WaitUntil([&] { return page.Text(IDC_DEVICE_VOLUME_LABEL) == L"Volume: 50"; }, kWait));

    // Back to the first device through the Device(s) menu.
    app.Command(ID_DEVICE_FIRST + static_cast<UINT>(first));
    EXPECT_TRUE(WaitUntil([&] { return page.Selection(IDC_DEVICE_LIST) == first; }, kWait));
    if (WaitUntil([&] { return !NoMessageBox(app); }, 3000))
        ::PostMessageW(app.FindTopWindow(L"Quillmoth"), WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return NoMessageBox(app); }, kWait));

    // Neither volume control exists here: the message, and the warning in the log.
    PostNotify(page.Item(IDC_DEVICE_SYSTEM_VOLUME), BN_CLICKED);
    ExpectMessage(app, L"Fail to Launch Recording Volume & Balance Control!");
    EXPECT_TRUE(app.WaitForLog(L"Fail to launch recording volume & balance control"));

    // No entry selected: no device, no lines, no message, and Record refuses.
    page.Choose(IDC_DEVICE_LIST, -1);
    EXPECT_TRUE(WaitUntil([&] { return page.Count(IDC_DEVICE_LINE) == 0; }, kWait));
    app.Command(ID_RECORD);
    EXPECT_TRUE(app.WaitForLog(L"The sound device does not support the parameters you chose!"));
    EXPECT_TRUE(NoMessageBox(app));

    app.Command(ID_EXIT);
    EXPECT_EQ(1u, app.WaitForExit());
}

TEST(DeviceGui, LeftBalanceMovedWhileRecordingHalvesTheLeftChannelFromTheNextBlock)
{
    TempFolder out;
    RunningApp app;
    ASSERT_NO_FATAL_FAILURE(StartOnDevicePage(app, out, L"half"));
    const DevicePage page(app);
    const int selected = page.Selection(IDC_DEVICE_LIST);
    app.Command(ID_RECORD);
    const std::wstring path = out.Path() + L"half.wav";
    ASSERT_TRUE(WaitUntil([&] { return FileSize(path) > 44 + 176400; }, kWait));

    DragTrackbar(page.Item(IDC_DEVICE_LEFT_BALANCE), 50);
    ASSERT_TRUE(WaitUntil([&] { return page.Text(IDC_DEVICE_LEFT_LABEL) == L"Left Balance: 50"; }, kWait));
    EXPECT_EQ(L"Right Balance: 100", page.Text(IDC_DEVICE_RIGHT_LABEL));
    const uint64_t moved = FileSize(path);
    ASSERT_TRUE(WaitUntil([&] { return FileSize(path) > moved + 176400; }, kWait));

    // Another device while recording: refused, the old entry stays chosen.
    if (page.Count(IDC_DEVICE_LIST) > 1)
    {
        page.Choose(IDC_DEVICE_LIST, selected == 0 ? 1 : 0);
        ExpectMessage(app, L"You MUST Stop Recording First!");
        EXPECT_EQ(selected, page.Selection(IDC_DEVICE_LIST));
    }
    app.Command(ID_STOP);
    ASSERT_TRUE(app.WaitForLog(L"Done."));
    app.Command(ID_EXIT);
    ASSERT_EQ(1u, app.WaitForExit());

    // The file: the harness's signal, then from one block on its left channel at half.
    const WavFile wav = ReadWav(path);
    ASSERT_TRUE(wav.valid);
    ASSERT_EQ(2, wav.channels);
    std::wstring error;
    const std::vector<int16_t> signal = LoadHarnessSignal(&error);
    ASSERT_FALSE(signal.empty()) << std::string(error.begin(), error.end());
    const std::vector<int16_t> samples = wav.Samples16();
    const size_t frames = samples.size() / 2;
    const SignalMatch full = MatchSignal(signal, samples.data(), frames, 2);
    ASSERT_TRUE(full.found);
    EXPECT_GT(full.matched, 44100u);
    // The change comes at the start of a block (a left sample of 0 or -1 halves to itself).
    const size_t change = (full.firstNonSilent + full.matched) / 4410 * 4410;
    ASSERT_GT(frames, change + 44100);
    size_t halved = 0;
    for (size_t f = change; f < frames; ++f)
    {
        const size_t at = (full.offset + f - full.firstNonSilent) % (signal.size() / 2);
        if (samples[2 * f] != static_cast<int16_t>(signal[2 * at] >> 1) ||
            samples[2 * f + 1] != signal[2 * at + 1])
            break;
        ++halved;
    }
    EXPECT_EQ(frames - change, halved) << "the left channel is not at half after frame " << change;

    // The balance is kept for the next start.
    wchar_t value[16] = {};
    ::GetPrivateProfileStringW(L"MISC", L"LCB", L"", value, 16, DataFile(L"Config.ini").c_str());
    EXPECT_STREQ(L"50", value);
}

TEST(DeviceGui, SoundDeviceInfoReportsEveryDeviceAndCopiesIt)
{
    TempFolder out;
    RunningApp app;
    ASSERT_NO_FATAL_FAILURE(StartOnDevicePage(app, out, L"report"));
    const DevicePage page(app);
    PostNotify(page.Item(IDC_DEVICE_INFO), BN_CLICKED);
    HWND dlg = app.FindTopWindow(L"Sound Device Info", kWait);
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ(app.Window(), ::GetWindow(dlg, GW_OWNER));
    EXPECT_FALSE(::IsWindowEnabled(app.Window()));
    HWND box = ::GetDlgItem(dlg, IDC_DEVICE_INFO_TEXT);
    EXPECT_GE(::SendMessageW(box, EM_GETLIMITTEXT, 0, 0), 0x1000000);

    // What this process's audio library sees, as the report shows it.
    ASSERT_EQ(paNoError, Pa_Initialize());
    PaDeviceReportSource source;
    std::wstring expected;
    const DeviceReport::Sink sink = [&](const CString& text, int)
    { expected += L"    " + std::wstring(text.GetString()) + L"\r\n"; };
    if (!DeviceReport::ReportNoDevices(source.DeviceCount(), sink))
        DeviceReport::ReportDevices(source, source.DeviceCount(), sink);
    Pa_Terminate();

    ::PostMessageW(dlg, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(box).find(L"End of Report") != std::wstring::npos; }, 120000));
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(::GetDlgItem(dlg, IDOK)) != FALSE; }, kWait));
    const std::wstring report = TextOf(box);
    EXPECT_TRUE(expected == report) << std::string(report.begin(),
                                                   report.begin() + std::min<size_t>(2000, report.size()));
    SaveScreenshot(dlg, L"sound-device-info");

    ASSERT_TRUE(ClearClipboard());
    ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDC_DEVICE_INFO_COPY, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dlg, IDC_DEVICE_INFO_COPY)));
    EXPECT_TRUE(WaitUntil([&] { return !ClipboardText().empty(); }, kWait));
    EXPECT_TRUE(report == ClipboardText());

    // While recording Diagnose refuses, below the report that stays.
    app.Command(ID_RECORD);
    ASSERT_TRUE(WaitUntil([&] { return FileSize(out.Path() + L"report.wav") > 44; }, kWait));
    ::PostMessageW(dlg, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(
        WaitUntil([&] { return TextOf(box) == report + L"    Please stop recording first.\r\n"; }, kWait));
    app.Command(ID_STOP);
    ASSERT_TRUE(app.WaitForLog(L"Done."));

    ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dlg); }, kWait));
    EXPECT_TRUE(::IsWindowEnabled(app.Window()));
    app.Command(ID_EXIT);
    EXPECT_EQ(1u, app.WaitForExit());
}
