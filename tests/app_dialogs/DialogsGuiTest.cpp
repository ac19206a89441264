// The About box, Tip of the Day and Help in the running program, and the portable package
// unpacked into a deep folder and run from there.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "../engine/TestFiles.h"
#include "harness/SignalMatch.h"
#include "resources/Version.h"
#include "resources/resource.h"
#include "tests/app_dialogs/ClassesValue.h"
#include "tests/app_gui/RunningApp.h"

namespace
{
// The tip lines of a tips file, each with its line end, read on their own terms.
std::vector<std::wstring> TipLines(const std::wstring& path)
{
    std::vector<std::wstring> tips;
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f)
        return tips;
    std::string line;
    for (int c = fgetc(f);; c = fgetc(f))
    {
        if (c == EOF || c == '\n')
        {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty() && line[0] != ';' && line[0] != ' ' && line[0] != '\t')
                tips.push_back(std::wstring(line.begin(), line.end()) + L"\n");
            line.clear();
            if (c == EOF)
                break;
        }
        else
            line.push_back(static_cast<char>(c));
    }
    fclose(f);
    return tips;
}

int ReadTipSwitch()
{
    return static_cast<int>(::GetPrivateProfileIntW(L"MISC", L"Tip", -1, DataFile(L"Config.ini").c_str()));
}

// A modal box of the program: owned by the main window, which it disables.
void ExpectModalOver(HWND dlg, HWND main)
{
    EXPECT_EQ(main, ::GetWindow(dlg, GW_OWNER));
    EXPECT_FALSE(::IsWindowEnabled(main));
}

void Screenshot(HWND hWnd, const wchar_t* name)
{
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // The window paints in its own process: wait for its queue to be done with it.
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(hWnd, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &result);
    SaveScreenshot(hWnd, name);
}

// The box, not the toolbar button's tooltip, which has the same text and shows while the
// pointer rests on the button beside the box.
HWND FindAboutBox(const RunningApp& app)
{
    return app.FindBox(L"Thanks for using this FREEWARE. We hope you like it.", 30000);
}

std::wstring UnpackedProgram()
{
    const std::wstring deep = BuildFolder() + L"\\app_dialogs_unpacked\\Unpacked copy\\";
    WIN32_FIND_DATAW data = {};
    HANDLE find = ::FindFirstFileW((deep + L"Quillmoth-*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return std::wstring();
    ::FindClose(find);
    return deep + data.cFileName + L"\\Quillmoth.exe";
}
} // namespace

TEST(DialogsGui, AboutBoxFromMenuToolbarAndSystemMenuWithWorkingLinks)
{
    ASSERT_TRUE(WriteConfig(L"[MISC]\r\nTip=0\r\n"));
    RunningApp app;
    ASSERT_TRUE(app.Start());
    const HWND main = app.Window();

    // Help > About (the menu's command).
    app.Command(ID_ABOUT);
    HWND about = FindAboutBox(app);
    ASSERT_NE(nullptr, about);
    EXPECT_EQ(L"About Quillmoth", TextOf(about));
    ExpectModalOver(about, main);
    // On a loaded machine Wine may still be placing the box when it first shows.
    EXPECT_TRUE(WaitUntil([&] { return IsCentredOver(about, main); }, 5000));
    const std::vector<std::wstring> texts = ChildTexts(about);
    for (const wchar_t* text : {L"Quillmoth " QM_VERSION_TEXT, L"Homepage:", L"Support:",
                                L"Thanks for using this FREEWARE. We hope you like it.", L"OK",
                                L"https://www.quillmoth.example/", L"support@quillmoth.example"})
        EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), text)) << Narrow(text);
    Screenshot(about, L"about-box");

    // Each link opens its address with the shell: the scheme's open command is caught.
    {
        const std::wstring webFile = BuildFolder() + L"\\app_dialogs_web.txt";
        const std::wstring mailFile = BuildFolder() + L"\\app_dialogs_mail.txt";
        ::DeleteFileW(webFile.c_str());
        ::DeleteFileW(mailFile.c_str());
        ClassesValue web(L"https\\shell\\open\\command", CatchingCommand(webFile));
        ClassesValue mail(L"mailto\\shell\\open\\command", CatchingCommand(mailFile));
        ClickControl(::GetDlgItem(about, IDC_ABOUT_HOME_LINK));
        EXPECT_TRUE(WaitUntil([&] { return !FirstLine(webFile).empty(); }, 30000));
        EXPECT_EQ(L"https://www.quillmoth.example/", FirstLine(webFile));
        ClickControl(::GetDlgItem(about, IDC_ABOUT_SUPPORT_LINK));
        EXPECT_TRUE(WaitUntil([&] { return !FirstLine(mailFile).empty(); }, 30000));
        EXPECT_EQ(L"mailto:support@quillmoth.example", FirstLine(mailFile));
        ::DeleteFileW(webFile.c_str());
        ::DeleteFileW(mailFile.c_str());
    }
    ::SendMessageW(::GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(about); }, 10000));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }, 10000));

    // The toolbar's About button, clicked with the mouse.
    RECT button = {};
    ASSERT_TRUE(app.ToolbarButtonRect(ID_ABOUT, &button));
    ::SetForegroundWindow(main);
    ClickAt(CentreOf(button));
    about = FindAboutBox(app);
    ASSERT_NE(nullptr, about);
    ExpectModalOver(about, main);
    TypeKeys(about, {VK_RETURN});
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(about); }, 10000));

    // The system menu's item.
    ::PostMessageW(main, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    about = FindAboutBox(app);
    ASSERT_NE(nullptr, about);
    ExpectModalOver(about, main);
    ::SendMessageW(::GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(about); }, 10000));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }, 10000));

    app.Command(ID_EXIT);
    EXPECT_EQ(1u, app.WaitForExit());
}

TEST(DialogsGui, TipOfTheDayAtStartGoesRoundAndItsSwitchIsKept)
{
    const std::vector<std::wstring> tips = TipLines(BinFolder() + L"Tips.tip");
    ASSERT_GE(tips.size(), 20u);

    // A first start shows the tip by itself.
    RemoveDataFolder();
    RunningApp app;
    ASSERT_TRUE(app.Start());
    const HWND main = app.Window();
    HWND tip = app.FindTopWindow(L"Tip of the Day", 30000);
    ASSERT_NE(nullptr, tip);
    ExpectModalOver(tip, main);
    EXPECT_EQ(BST_CHECKED, ::SendMessageW(::GetDlgItem(tip, IDC_TIP_STARTUP), BM_GETCHECK, 0, 0));
    const HWND text = ::GetDlgItem(tip, IDC_TIP_TEXT);
    auto shown = [&] { return std::find(tips.begin(), tips.end(), TextOf(text)) - tips.begin(); };
    const auto first = shown();
    ASSERT_LT(first, static_cast<long>(tips.size())) << Narrow(TextOf(text));
    Screenshot(tip, L"tip-of-the-day");

    // Next tip steps through the whole file and round; Esc steps too, it does not close.
    for (size_t i = 1; i <= tips.size(); ++i)
    {
        ::SendMessageW(::GetDlgItem(tip, IDCANCEL), BM_CLICK, 0, 0);
        EXPECT_EQ((first + static_cast<long>(i)) % static_cast<long>(tips.size()), shown()) << i;
    }
    TypeKeys(tip, {VK_ESCAPE});
    EXPECT_TRUE(WaitUntil([&] { return shown() == (first + 1) % static_cast<long>(tips.size()); }, 10000));
    EXPECT_TRUE(::IsWindowVisible(tip));

    // Switched off, OK writes the switch.
    ::SendMessageW(::GetDlgItem(tip, IDC_TIP_STARTUP), BM_CLICK, 0, 0);
    ::SendMessageW(::GetDlgItem(tip, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(tip); }, 10000));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }, 10000));
    EXPECT_EQ(0, ReadTipSwitch());

    // Help > Tip of the Day shows it anyway, with the switch as stored.
    app.Command(ID_TIP_OF_THE_DAY);
    tip = app.FindTopWindow(L"Tip of the Day", 30000);
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(BST_UNCHECKED, ::SendMessageW(::GetDlgItem(tip, IDC_TIP_STARTUP), BM_GETCHECK, 0, 0));
    ::SendMessageW(::GetDlgItem(tip, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(tip); }, 10000));
    app.Command(ID_EXIT);
    EXPECT_EQ(1u, app.WaitForExit());
    EXPECT_EQ(0, ReadTipSwitch()) << "exit keeps the switch";

    // Switched off, the next start shows no tip. The start timer fires a second after
    // start-up; the program gets several more.
    RunningApp next;
    ASSERT_TRUE(next.Start());
    EXPECT_EQ(nullptr, next.FindTopWindow(L"Tip of the Day", 5000));
    EXPECT_TRUE(::IsWindowEnabled(next.Window()));
    next.Command(ID_EXIT);
    EXPECT_EQ(1u, next.WaitForExit());
}

// The zip unpacked into a new folder: the program starts there, finds its tips file,
// opens the help file beside it, records MP3 through the encoder library beside it and
// ends. app_dialogs.package_mp3 decodes the recording.
TEST(DialogsGui, ThePackageRunsFromAnUnpackedCopy)
{
    const std::wstring exe = UnpackedProgram();
    ASSERT_FALSE(exe.empty()) << "app_dialogs.package unpacks the zip first";
    const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\') + 1);
    const std::wstring out = BuildFolder() + L"\\app_dialogs_unpacked\\";
    const std::wstring path = out + L"take.mp3";
    ::DeleteFileW(path.c_str());
    ASSERT_TRUE(
        WriteConfig(L"[MISC]\r\nTip=1\r\nStop=1\r\nStopHour=0\r\nStopMin=0\r\nStopSec=2\r\nActAftRec=0\r\n"
                    L"[OUTPUT]\r\nOutputFormat=2\r\nLoc=1\r\nName=take\r\nDesDir=" +
                    out + L"\r\n"));
    {
        RunningApp app;
        ASSERT_TRUE(app.StartFrom(exe));
        HWND tip = app.FindTopWindow(L"Tip of the Day", 30000);
        ASSERT_NE(nullptr, tip) << "the tips file beside the unpacked program";
        const std::vector<std::wstring> tips = TipLines(folder + L"Tips.tip");
        EXPECT_NE(tips.end(), std::find(tips.begin(), tips.end(), TextOf(::GetDlgItem(tip, IDC_TIP_TEXT))));
        ::SendMessageW(::GetDlgItem(tip, IDC_TIP_STARTUP), BM_CLICK, 0, 0);
        ::SendMessageW(::GetDlgItem(tip, IDOK), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(tip); }, 10000));

        // Help Contents opens Help.chm beside the program through the shell.
        {
            const std::wstring helpFile = folder + L"Help.chm";
            const std::wstring caught = BuildFolder() + L"\\app_dialogs_help.txt";
            ::DeleteFileW(caught.c_str());
            ASSERT_TRUE(WriteAll(helpFile, {'I', 'T', 'S', 'F'}));
            ClassesValue chm(L".chm", L"QmTestHelp");
            ClassesValue open(L"QmTestHelp\\shell\\open\\command", CatchingCommand(caught));
            TypeKeys(app.Window(), {VK_F1});
            EXPECT_TRUE(WaitUntil([&] { return !FirstLine(caught).empty(); }, 30000));
            const std::wstring line = FirstLine(caught);
            EXPECT_NE(std::wstring::npos, line.find(L"Help.chm")) << Narrow(line);
            ::DeleteFileW(caught.c_str());
            ::DeleteFileW(helpFile.c_str());
        }

        // Two seconds to the automatic stop, started by the keys.
        TypeKeys(app.Window(), {VK_CONTROL, 'R'});
        EXPECT_TRUE(app.WaitForLog(L"Done.", 30000)) << Narrow(app.LogText());
        const std::wstring log = app.LogText();
        EXPECT_EQ(std::wstring::npos, log.find(L"lame_enc.dll"))
            << "the library beside the copy loads: " << Narrow(log);
        app.Command(ID_EXIT);
        ASSERT_EQ(1u, app.WaitForExit());
        EXPECT_GT(FileSize(path), 20000u);
    }
    EXPECT_EQ(0, ReadTipSwitch());

    // Without its tips file the copy starts as usual and shows no tip, neither at start
    // nor on the command.
    ASSERT_TRUE(WriteConfig(L"[MISC]\r\nTip=1\r\n"));
    ASSERT_TRUE(::DeleteFileW((folder + L"Tips.tip").c_str()));
    RunningApp bare;
    ASSERT_TRUE(bare.StartFrom(exe));
    EXPECT_EQ(nullptr, bare.FindTopWindow(L"Tip of the Day", 5000));
    bare.Command(ID_TIP_OF_THE_DAY);
    EXPECT_EQ(nullptr, bare.FindTopWindow(L"Tip of the Day", 3000));
    EXPECT_TRUE(::IsWindowEnabled(bare.Window()));
    bare.Command(ID_EXIT);
    EXPECT_EQ(1u, bare.WaitForExit());
}
