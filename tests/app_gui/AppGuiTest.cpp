// The program itself under Wine: first start, a second start, the log file, and an exit
// in the middle of a recording.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <functional>
#include <regex>
#include <string>
#include <thread>

#include "../engine/TestFiles.h"
#include "app/AppFolders.h"
#include "app/CTolvaneDlg.h"
#include "app/SettingsTable.h"
#include "harness/SignalMatch.h"
#include "resources/resource.h"
#include "tests/app_gui/RunningApp.h"

namespace
{
std::wstring Utf16Text(const std::vector<uint8_t>& bytes, size_t from)
{
    std::wstring text;
    for (size_t i = from; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8)));
    return text;
}

std::wstring ClassOf(HWND hWnd)
{
    wchar_t name[128] = {};
    ::GetClassNameW(hWnd, name, 128);
    return name;
}

// The program's top-level windows (hidden ones too) for which matches holds.
std::vector<HWND> TopWindows(const RunningApp& app, const std::function<bool(HWND)>& matches)
{
    std::vector<HWND> found;
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hWnd, &pid);
        if (pid == app.ProcessId() && matches(hWnd))
            found.push_back(hWnd);
    }
    return found;
}

bool MenuIsOpen(const RunningApp& app)
{
    return !TopWindows(app, [](HWND hWnd) { return ::IsWindowVisible(hWnd) && ClassOf(hWnd) == L"#32768"; })
                .empty();
}
} // namespace

TEST(AppGui, FirstStartShowsTheWholeWindowAndExitSavesEveryKey)
{
    RemoveDataFolder();
    RunningApp app;
    ASSERT_TRUE(app.Start());
    // A first start shows the Tip of the Day a moment later.
    HWND tip = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (tip = app.FindBox(L"Show tips on startup")) != nullptr; }, 30000));
    ::PostMessageW(tip, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return app.FindBox(L"Show tips on startup") == nullptr; }, 10000));

    // The data folder and an empty settings file in UTF-16 exist from the first start.
    const std::vector<uint8_t> created = ReadAll(DataFile(L"Config.ini"));
    ASSERT_GE(created.size(), 2u);
    EXPECT_EQ(0xFF, created[0]);
    EXPECT_EQ(0xFE, created[1]);

    // The start-up lines in their order, "Finished Initialization." last.
    const std::string log = Narrow(app.LogText());
    EXPECT_TRUE(
        std::regex_search(log, std::regex("^\\d\\d:\\d\\d:\\d\\d   Disable auto stop\\.\\r\\n?"
                                          "\\d\\d:\\d\\d:\\d\\d   Initializing main dialog\\.\\.\\.\\r\\n?"
                                          "\\d\\d:\\d\\d:\\d\\d   Initializing audio devices\\.\\.\\.\\r\\n?"
                                          "\\d\\d:\\d\\d:\\d\\d   Found \\d+ sound devices,  \\d+ for "
                                          "recording,  \\d+ for playback\\.\\r\\n?")))
        << log;
    EXPECT_TRUE(std::regex_search(log, std::regex("Finished Initialization\\.\\r?\\n?$"))) << log;

    // Seven toolbar buttons, three status panes, six tabs.
    HWND toolbar = nullptr;
    WaitUntil(
        [&]
        {
            return (toolbar =
                        ::FindWindowExW(::FindWindowExW(app.Window(), nullptr, REBARCLASSNAMEW, nullptr),
                                        nullptr, TOOLBARCLASSNAMEW, nullptr)) != nullptr;
        },
        5000);
    ASSERT_NE(nullptr, toolbar);
    EXPECT_EQ(7, ::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    HWND status = ::FindWindowExW(app.Window(), nullptr, STATUSCLASSNAMEW, nullptr);
    EXPECT_EQ(3, ::SendMessageW(status, SB_GETPARTS, 0, 0));
    EXPECT_EQ(L"  MP3:  CBR 128 kbps; 44100 Hz; Joint Stereo;", app.StatusText(2));
    // The log takes more than the rich edit's default 32,767 characters.
    EXPECT_GT(::SendMessageW(app.Control(IDC_LOG_TEXT), EM_GETLIMITTEXT, 0, 0), 1 << 20);
    HWND tab = app.Control(IDC_MAIN_TAB);
    ASSERT_EQ(6, ::SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));

    // Each tab by its command shows its own page; a picture of each for looking at.
    const UINT tools[6] = {ID_TOOL_LOG,    ID_TOOL_DEVICE, ID_TOOL_RECORDING,
                           ID_TOOL_OUTPUT, ID_TOOL_FILE,   ID_TOOL_MISC};
    const int pageControls[6] = {IDC_LOG_TEXT,        IDC_DEVICE_LIST, IDC_RECORDING_MONO,
                                 IDC_OUTPUT_DEST_DIR, IDC_FILE_LIST,   IDC_MISC_AFTER_RECORDING};
    for (int i = 0; i < 6; ++i)
    {
        app.Command(tools[i]);
        HWND control = app.Control(pageControls[i]);
        ASSERT_NE(nullptr, control) << i;
        EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(control) != FALSE; }, 10000)) << i;
        EXPECT_EQ(i, ::SendMessageW(tab, TCM_GETCURSEL, 0, 0));
        ::RedrawWindow(app.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        SaveScreenshot(app.Window(), L"main-tab-" + std::to_wstring(i));
    }

    app.Command(ID_EXIT);
    EXPECT_EQ(1u, app.WaitForExit());

    // Every key of the settings table, each where the table puts it.
    size_t count = 0;
    const SettingKey* keys = GetSettingKeys(&count);
    const std::wstring path = DataFile(L"Config.ini");
    for (size_t i = 0; i < count; ++i)
    {
        wchar_t value[64] = {};
        ::GetPrivateProfileStringW(keys[i].section, keys[i].key, L"<missing>", value, 64, path.c_str());
        EXPECT_STRNE(L"<missing>", value) << Narrow(keys[i].key);
    }
    EXPECT_TRUE(FileExists(DataFile(L"Output.ini")));
}

TEST(AppGui, AFileInThePlaceOfTheDataFolderIsReportedAtStart)
{
    RemoveDataFolder();
    const std::wstring folder = GetUserDataFolder().GetString();
    ASSERT_TRUE(WriteAll(folder, {'x'}));
    RunningApp app;
    bool started = false;
    std::thread starter([&] { started = app.Start(); });
    HWND box = app.FindBox(L"Fail to create folder", 60000);
    const std::wstring texts = box ? AllTexts(box) : std::wstring();
    if (box)
        PressDialogButton(box, IDOK);
    starter.join();
    ASSERT_NE(nullptr, box);
    EXPECT_NE(std::wstring::npos, texts.find(L"Fail to create folder " + folder + L" !!"));
    ASSERT_TRUE(started);
    // Nothing can be saved there either: each box that says so is answered.
    app.Command(ID_EXIT);
    EXPECT_TRUE(WaitUntil(
        [&]
        {
            // The Tip of the Day too: without a settings file it is on.
            for (const wchar_t* text : {L"Show tips on startup", L"rror on saving", L"Saving the Output"})
                if (HWND open = app.FindBox(text, 0))
                    PressDialogButton(open, IDOK);
            return app.WaitForExit(200) != STILL_ACTIVE;
        },
        30000));
    EXPECT_EQ(1u, ReadAll(folder).size()); // the file is left as it was
    RemoveDataFolder();
}

TEST(AppGui, ASecondStartBringsTheFirstBackAndACopyUnderAnotherNameRunsBeside)
{
    RemoveDataFolder();
    RunningApp first;
    ASSERT_TRUE(first.Start());
    ::ShowWindow(first.Window(), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(first.Window()) != FALSE; }, 10000));

    RunningApp second;
    ASSERT_TRUE(second.Launch());
    EXPECT_EQ(0u, second.WaitForExit());
    EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(first.Window()); }, 10000));

    const std::wstring copy = BinFolder() + L"QuillmothCopy.exe";
    ASSERT_TRUE(::CopyFileW((BinFolder() + L"Quillmoth.exe").c_str(), copy.c_str(), FALSE));
    {
        RunningApp other;
        EXPECT_TRUE(other.Start(L"QuillmothCopy.exe"));
        EXPECT_NE(first.Window(), other.Window());
        // Closing the window ends the program as Exit does.
        ::PostMessageW(other.Window(), WM_CLOSE, 0, 0);
        EXPECT_EQ(1u, other.WaitForExit());
    }
    ::DeleteFileW(copy.c_str());
    // So does the end of the user's session.
    ::PostMessageW(first.Window(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(1u, first.WaitForExit());
}

TEST(AppGui, AMinimisedWindowComesBackByEveryRestoreAndTabKeysKeepTheMenusWorking)
{
    ASSERT_TRUE(WriteConfig(L"[MISC]\r\nMinToTray=1\r\n"));
    RunningApp app;
    ASSERT_TRUE(app.Start());
    HWND w = app.Window();
    const auto shown = [&] { return ::IsWindowVisible(w) && !::IsIconic(w); };
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof(gui);
    const DWORD thread = ::GetWindowThreadProcessId(w, nullptr);
    const auto focused = [&](HWND control) {
        return WaitUntil([&] { return ::GetGUIThreadInfo(thread, &gui) && gui.hwndFocus == control; }, 10000);
    };
    HWND log = app.Control(IDC_LOG_TEXT);
    // The system menu's Restore and the taskbar button send SC_RESTORE; the tray's menu and
    // a double click on its icon send the Restore command. To the tray and back, then
    // minimised the ordinary way and back: each time the focus is where it was, and the
    // log has nothing selected.
    HWND tray = nullptr;
    const auto doubleClickTray = [&]
    {
        // As the shell reports a double click on the icon.
        for (const UINT event : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
            ::PostMessageW(tray, WM_TRAY_NOTIFY, IDR_TRAY_MENU, event);
    };
    for (const bool toTray : {true, false})
    {
        HWND control = nullptr;
        if (toTray)
        {
            app.Command(ID_TOOL_OUTPUT);
            control = app.Control(IDC_OUTPUT_DEST_DIR);
            ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(control) != FALSE; }, 10000));
            ClickControl(control);
        }
        else
        {
            app.Command(ID_TOOL_MISC);
            control = app.Control(IDC_MISC_MINIMIZE_TO_TRAY);
            ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(control) != FALSE; }, 10000));
            ClickControl(control);
            ASSERT_TRUE(WaitUntil([&] { return ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_UNCHECKED; },
                                  10000));
        }
        ASSERT_TRUE(focused(control));
        for (const bool bySystemMenu : {true, false})
        {
            ::PostMessageW(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            ASSERT_TRUE(WaitUntil([&] { return !shown(); }, 10000)) << toTray;
            if (!toTray)
            {
                EXPECT_TRUE(::IsIconic(w));
            }
            if (!tray)
            {
                // The tray's own hidden window: of the class of the one that parks the main window.
                ASSERT_TRUE(
                    WaitUntil([&] { return ::GetAncestor(w, GA_PARENT) != ::GetDesktopWindow(); }, 10000));
                HWND parking = ::GetAncestor(w, GA_PARENT);
                const std::vector<HWND> others = TopWindows(
                    app, [&](HWND hWnd) { return hWnd != parking && ClassOf(hWnd) == ClassOf(parking); });
                ASSERT_EQ(1u, others.size());
                tray = others.front();
            }
            if (bySystemMenu)
            {
                ::PostMessageW(w, WM_SYSCOMMAND, SC_RESTORE, 0);
            }
            else if (toTray)
            {
                // First a slow double click in the screen's bottom right corner, where a
                // taskbar's icons are: the first click's menu opens after the double-click
                // time, and the second click, 650 ms after the first, closes it without
                // choosing an item (the last is Exit). The program is done hiding first.
                ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 20, ::GetSystemMetrics(SM_CYSCREEN) - 10);
                ::SendMessageW(tray, WM_NULL, 0, 0);
                const DWORD first = ::GetTickCount();
                for (const UINT event : {WM_LBUTTONDOWN, WM_LBUTTONUP})
                    ::PostMessageW(tray, WM_TRAY_NOTIFY, IDR_TRAY_MENU, event);
                ASSERT_TRUE(WaitUntil([&] { return MenuIsOpen(app); }, 10000));
                const DWORD elapsed = ::GetTickCount() - first;
                if (elapsed < 650)
                    ::Sleep(650 - elapsed); // the user's pace
                // Where the cursor stands, to the pixel: a click without a move.
                INPUT click[2] = {};
                click[0].type = click[1].type = INPUT_MOUSE;
                click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
                click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
                ::SendInput(2, click, sizeof(INPUT));
                EXPECT_TRUE(WaitUntil([&] { return !MenuIsOpen(app); }, 10000));
                doubleClickTray();
            }
            else
            {
                doubleClickTray();
            }
            EXPECT_TRUE(WaitUntil(shown, 10000)) << toTray << bySystemMenu;
            ASSERT_TRUE(::IsWindow(w)) << "the program ended";
            // No menu opens, not even once a single click's wait would have run out.
            if (!bySystemMenu)
            {
                EXPECT_FALSE(WaitUntil([&] { return MenuIsOpen(app); }, 2 * ::GetDoubleClickTime()))
                    << toTray;
            }
            EXPECT_TRUE(focused(control)) << toTray << bySystemMenu << " " << ::GetDlgCtrlID(gui.hwndFocus);
            DWORD from = 0;
            DWORD to = 0;
            ::SendMessageW(log, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
            EXPECT_EQ(from, to) << toTray << bySystemMenu;
        }
    }

    // A tab key while the focus is inside the page it hides, then Alt+F: the File menu opens.
    struct Page
    {
        UINT tool;
        int control;
    };
    const Page pages[6] = {{ID_TOOL_LOG, IDC_LOG_TEXT},
                           {ID_TOOL_DEVICE, IDC_DEVICE_LEFT_BALANCE},
                           {ID_TOOL_RECORDING, IDC_RECORDING_STEREO},
                           {ID_TOOL_OUTPUT, IDC_OUTPUT_DEST_DIR},
                           {ID_TOOL_FILE, IDC_FILE_LIST},
                           {ID_TOOL_MISC, IDC_MISC_MUTE}};
    struct Key
    {
        std::initializer_list<WORD> keys;
        int from;
        int to;
    };
    const Key keys[8] = {{{VK_F2}, 1, 0},
                         {{VK_F3}, 2, 1},
                         {{VK_F4}, 3, 2},
                         {{VK_F5}, 4, 3},
                         {{VK_F6}, 5, 4},
                         {{VK_F7}, 0, 5},
                         {{VK_CONTROL, VK_TAB}, 1, 2},
                         {{VK_SHIFT, VK_TAB}, 1, 0}};
    HWND tab = app.Control(IDC_MAIN_TAB);
    for (const Key& key : keys)
    {
        app.Command(pages[key.from].tool);
        HWND control = app.Control(pages[key.from].control);
        ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(control) != FALSE; }, 10000));
        // Clicked twice, a check box ends as it was.
        const int clicks = pages[key.from].control == IDC_MISC_MUTE ? 2 : 1;
        for (int i = 0; i < clicks; ++i)
            ClickControl(control);
        ASSERT_TRUE(
            WaitUntil([&] { return ::GetGUIThreadInfo(thread, &gui) && gui.hwndFocus == control; }, 10000))
            << key.from;
        TypeKeys(w, key.keys);
        ASSERT_TRUE(WaitUntil([&] { return ::SendMessageW(tab, TCM_GETCURSEL, 0, 0) == key.to; }, 10000))
            << key.from;
        TypeKeys(w, {VK_MENU, 'F'});
        HWND menu = nullptr;
        EXPECT_TRUE(WaitUntil(
            [&] { return (menu = ::FindWindowW(L"#32768", nullptr)) && ::IsWindowVisible(menu); }, 10000))
            << "no File menu after the key from page " << key.from;
        app.PressKeys({VK_ESCAPE});
        app.PressKeys({VK_ESCAPE});
        ASSERT_TRUE(WaitUntil(
            [&] { return !(menu = ::FindWindowW(L"#32768", nullptr)) || !::IsWindowVisible(menu); }, 10000));
    }
    app.Command(ID_EXIT);
    EXPECT_EQ(1u, app.WaitForExit());
}

TEST(AppGui, TheLogFileFramesTheRunAndEarlyLinesReachThePage)
{
    ASSERT_TRUE(WriteConfig(L"[MISC]\r\nWriteLog=1\r\n"));
    RunningApp app;
    ASSERT_TRUE(app.Start());
    // Logged while loading the settings, before the page existed.
    const std::wstring page = app.LogText();
    EXPECT_LT(page.find(L"Quillmoth settings loaded."), page.find(L"Initializing main dialog..."));
    app.Command(ID_EXIT);
    ASSERT_EQ(1u, app.WaitForExit());

    const std::vector<uint8_t> bytes = ReadAll(DataFile(L"Quillmoth.log"));
    ASSERT_GE(bytes.size(), 2u);
    ASSERT_EQ(0xFF, bytes[0]);
    ASSERT_EQ(0xFE, bytes[1]);
    const std::string text = Narrow(Utf16Text(bytes, 2));
    EXPECT_EQ(std::string::npos, text.find("\xFF\xFE")); // one mark only
    const std::string stars(60, '*');
    EXPECT_TRUE(std::regex_search(
        text, std::regex("^" + std::string("\\*{60}\r\n\\*{60}\r\n") +
                         "\\*{15}Quillmoth 6\\.3\\.6\\*{18}\r\n"
                         "Starting Time: \\d\\d:\\d\\d:\\d\\d  [A-Z][a-z][a-z] \\d\\d, \\d{4}\r\n"
                         "\\d\\d:\\d\\d:\\d\\d   Quillmoth settings loaded\\.\r\n")))
        << text;
    EXPECT_TRUE(std::regex_search(text, std::regex("\\d\\d:\\d\\d:\\d\\d   Finished Initialization\\.\r\n")));
    // The last event's line, then five empty lines.
    EXPECT_TRUE(std::regex_search(text, std::regex("[^\n]\r\n(\r\n){5}$"))) << text;
}

TEST(AppGui, ExitDuringARecordingFinishesTheFileFirst)
{
    TempFolder out;
    ASSERT_TRUE(
        WriteConfig(L"[OUTPUT]\r\nOutputFormat=1\r\nLoc=1\r\nName=take\r\nDesDir=" + out.Path() + L"\r\n"));
    RunningApp app;
    ASSERT_TRUE(app.Start());
    app.Command(ID_RECORD);
    const std::wstring path = out.Path() + L"take.wav";
    // A second of audio on its way to the file.
    ASSERT_TRUE(WaitUntil([&] { return FileSize(path) > 44 + 176400; }, 30000));
    app.Command(ID_EXIT);
    ASSERT_EQ(1u, app.WaitForExit());

    const WavFile wav = ReadWav(path);
    ASSERT_TRUE(wav.valid);
    EXPECT_EQ(wav.data.size(), wav.dataSize);
    EXPECT_EQ(wav.dataSize + 36, wav.riffSize);
    EXPECT_EQ(2, wav.channels);
    EXPECT_EQ(44100u, wav.sampleRate);
    EXPECT_TRUE(IsWholeSignal(wav.Samples16(), 2));
}

// Run by app_gui_full_disk, whose files may not grow past a few hundred KiB: the WAV writer
// fails as on a full disk. The window goes back to idle as after any end, and the file,
// cut where the disk filled, is listed.
TEST(AppGui, AFullDiskEndsTheRecordingAndTheWindowGoesBackToIdle)
{
    if (!::GetEnvironmentVariableW(L"QM_FULL_DISK", nullptr, 0))
        GTEST_SKIP() << "runs under a file size limit only";
    TempFolder out;
    ASSERT_TRUE(
        WriteConfig(L"[OUTPUT]\r\nOutputFormat=1\r\nLoc=1\r\nName=full\r\nDesDir=" + out.Path() + L"\r\n"));
    RunningApp app;
    ASSERT_TRUE(app.Start());
    app.Command(ID_RECORD);
    const std::wstring path = out.Path() + L"full.wav";
    ASSERT_TRUE(app.WaitForLog(L"Output file write error")) << Narrow(app.LogText());
    ASSERT_TRUE(app.WaitForLog(L"Done.")) << Narrow(app.LogText());
    EXPECT_TRUE(WaitUntil(
        [&] { return app.StatusText(1).find(L"Free space on drive") != std::wstring::npos; }, 30000))
        << Narrow(app.StatusText(1));
    EXPECT_EQ(L"           ", TextOf(app.Control(IDC_MAIN_TIME)));
    // The error's headline and its detail line come together, before the row's line.
    const std::wstring log = app.LogText();
    const size_t error = log.find(L"Output file write error");
    const size_t finished = log.find(L"Finished recording");
    ASSERT_NE(std::wstring::npos, finished) << Narrow(log);
    ASSERT_LT(error, finished) << Narrow(log);
    size_t lines = 0;
    for (size_t i = error; i < finished; ++i)
        lines += (log[i] == L'\r' || log[i] == L'\n') && log[i + 1] != L'\n' ? 1 : 0;
    EXPECT_GE(lines, 2u) << Narrow(log);
    app.Command(ID_EXIT);
    ASSERT_EQ(1u, app.WaitForExit());

    const WavFile wav = ReadWav(path);
    ASSERT_TRUE(wav.valid);
    EXPECT_GT(wav.dataSize, 176400u);
    EXPECT_EQ(wav.data.size(), wav.dataSize);
    const std::vector<uint8_t> list = ReadAll(DataFile(L"Output.ini"));
    const std::wstring name = L"full.wav";
    const std::vector<uint8_t> utf16(reinterpret_cast<const uint8_t*>(name.data()),
                                     reinterpret_cast<const uint8_t*>(name.data() + name.size()));
    EXPECT_NE(std::search(list.begin(), list.end(), utf16.begin(), utf16.end()), list.end())
        << "the cut file has no row";
}
