// The File page of the real program: recordings become rows that outlive a restart, and
// every command of the page through the window, its keys, menus and header.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "../engine/TestFiles.h"
#include "app/AppFolders.h"
#include "app/RecordedFilesFile.h"
#include "controls/ReportText.h"
#include "resources/resource.h"
#include "tests/app_files/RemoteList.h"
#include "tests/app_gui/RunningApp.h"

namespace
{
// Starts the program. A start-up message about the capture device (the harness's device
// may lack a mixer) is not this page's concern: it is answered so the window can be reached.
bool StartApp(RunningApp& app)
{
    std::atomic<bool> started{false};
    std::thread answer(
        [&]
        {
            while (!started)
            {
                if (app.ProcessId())
                {
                    if (HWND box = app.FindBox(L"mixer"))
                    {
                        std::printf("start-up message: %ls\n", AllTexts(box).c_str());
                        PressDialogButton(box, IDOK);
                    }
                }
                ::Sleep(100);
            }
        });
    const bool ok = app.Start();
    started = true;
    answer.join();
    return ok;
}

HWND ShowFilePage(RunningApp& app)
{
    app.Command(ID_TOOL_FILE);
    HWND list = app.Control(IDC_FILE_LIST);
    EXPECT_TRUE(WaitUntil([&] { return list && ::IsWindowVisible(list); }, 10000));
    return list;
}

// Records until the file holds more than a second, then stops and waits for the end.
void RecordAboutASecond(RunningApp& app, const std::wstring& path, size_t doneBefore)
{
    app.Command(ID_RECORD);
    ASSERT_TRUE(WaitUntil([&] { return FileSize(path) > 44 + 2 * 176400; }, 30000))
        << std::string(path.begin(), path.end());
    app.Command(ID_STOP);
    ASSERT_TRUE(WaitUntil([&] { return app.LogCount(L"Done.") > doneBefore; }, 30000));
}

std::vector<std::wstring> Names(const std::vector<RecordedFileRow>& rows)
{
    std::vector<std::wstring> names;
    for (const RecordedFileRow& row : rows)
        names.push_back(row.cells[0].GetString());
    return names;
}

using Texts = std::vector<std::wstring>;

std::string Joined(const Texts& texts)
{
    std::string all;
    for (const std::wstring& t : texts)
        all += std::string(t.begin(), t.end()) + " ";
    return all;
}

const wchar_t* const kTitles[6] = {L"Name", L"Path", L"Format", L"Duration", L"Timestamp", L"Size(MB)"};

void SavePicture(RunningApp& app, const wchar_t* name)
{
    ::RedrawWindow(app.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SaveScreenshot(app.Window(), name);
}
} // namespace

TEST(FilesPageGui, RecordingsBecomeRowsThatOutliveARestart)
{
    TempFolder out;
    ASSERT_TRUE(
        WriteConfig(L"[MISC]\r\nTip=0\r\n[OUTPUT]\r\nOutputFormat=1\r\nLoc=1\r\nName=take\r\nDesDir=" +
                    out.Path() + L"\r\n"));
    const std::wstring take = out.Path() + L"take.wav";
    const std::wstring take2 = out.Path() + L"take (2).wav";
    {
        RunningApp app;
        ASSERT_TRUE(StartApp(app));
        RemoteList list(app.ProcessId(), ShowFilePage(app));
        RecordAboutASecond(app, take, 0);
        ASSERT_TRUE(WaitUntil([&] { return list.Count() == 1; }, 10000));
        EXPECT_EQ(L"take.wav", list.Text(0, 0));
        EXPECT_EQ(out.Path(), list.Text(0, 1));
        EXPECT_EQ(L"WAV", list.Text(0, 2));
        EXPECT_TRUE(list.Text(0, 3) == L"00:00:01" || list.Text(0, 3) == L"00:00:02")
            << list.Text(0, 3).size();
        EXPECT_FALSE(list.Text(0, 4).empty());
        wchar_t size[32];
        swprintf(size, 32, L"%.3f", FileSize(take) / 1048576.0);
        EXPECT_EQ(size, list.Text(0, 5));
        EXPECT_NE(std::wstring::npos, app.LogText().find(L"Finished recording  " + take));

        // Stopped at once: at most one block, so neither file nor row.
        app.Command(ID_RECORD);
        app.Command(ID_STOP);
        ASSERT_TRUE(WaitUntil([&] { return app.LogCount(L"Done.") == 2; }, 30000));
        EXPECT_FALSE(FileExists(take2));
        EXPECT_EQ(1, list.Count());
        EXPECT_EQ(1u, app.LogCount(L"Finished recording"));

        RecordAboutASecond(app, take2, 2);
        ASSERT_TRUE(WaitUntil([&] { return list.Count() == 2; }, 10000));
        // Its file gone, take.wav is free again: the new recording replaces the old row
        // and goes to the end.
        ASSERT_TRUE(::DeleteFileW(take.c_str()));
        RecordAboutASecond(app, take, 3);
        ASSERT_TRUE(WaitUntil(
            [&] {
                return list.Column(0) == Texts{L"take (2).wav", L"take.wav"};
            },
            10000))
            << list.Count();
        SavePicture(app, L"files-after-recording");
        app.Command(ID_EXIT);
        ASSERT_EQ(1u, app.WaitForExit());
    }
    std::vector<RecordedFileRow> rows;
    ASSERT_EQ(RecordedFilesFile::Loaded, RecordedFilesFile(DataFile(L"Output.ini").c_str()).Load(rows));
    EXPECT_EQ((Texts{L"take (2).wav", L"take.wav"}), Names(rows));
    for (const RecordedFileRow& row : rows)
        EXPECT_EQ(1u, row.nData);

    // A file deleted while the program was not running leaves the list.
    ASSERT_TRUE(::DeleteFileW(take2.c_str()));
    RunningApp again;
    ASSERT_TRUE(StartApp(again));
    RemoteList list(again.ProcessId(), ShowFilePage(again));
    EXPECT_EQ(Texts{L"take.wav"}, list.Column(0));
    again.Command(ID_EXIT);
    EXPECT_EQ(1u, again.WaitForExit());
}

TEST(FilesPageGui, EveryCommandOfThePageWorksThroughTheWindow)
{
    TempFolder out;
    ASSERT_TRUE(WriteConfig(L"[MISC]\r\nTip=0\r\n"));
    // Files whose extension no program opens.
    struct Sample
    {
        const wchar_t* name;
        const wchar_t* duration;
        SYSTEMTIME when;
        const wchar_t* size;
    };
    const Sample samples[5] = {
        {L"b.qmtest", L"100:00:00", {2024, 1, 5, 5, 10, 0, 0, 0}, L"2.000"},
        {L"a.qmtest", L"25:00:00", {2023, 12, 0, 31, 23, 0, 0, 0}, L"10.000"},
        {L"gone.qmtest", L"00:00:01", {2020, 1, 3, 1, 1, 0, 0, 0}, L"1.000"},
        {L"C.qmtest", L"00:00:09", {2024, 1, 5, 5, 9, 0, 0, 0}, L"9.500"},
        {L"d.qmtest", L"02:00:00", {2022, 6, 3, 1, 8, 0, 0, 0}, L"100.000"},
    };
    std::vector<RecordedFileRow> saved;
    for (const Sample& s : samples)
    {
        RecordedFileRow row;
        row.cells[0] = s.name;
        row.cells[1] = out.Path().c_str();
        row.cells[2] = L"QMTEST";
        row.cells[3] = s.duration;
        row.cells[4] = FormatDateText(s.when);
        row.cells[5] = s.size;
        saved.push_back(row);
        if (std::wstring(s.name) != L"gone.qmtest")
        {
            ASSERT_TRUE(WriteAll(out.Path() + s.name, {1, 2, 3}));
        }
    }
    ASSERT_TRUE(RecordedFilesFile(DataFile(L"Output.ini").c_str()).Save(saved));

    RunningApp app;
    ASSERT_TRUE(StartApp(app));
    HWND hList = ShowFilePage(app);
    HWND hPage = ::GetParent(hList);
    RemoteList list(app.ProcessId(), hList);
    ASSERT_EQ((Texts{L"b.qmtest", L"a.qmtest", L"C.qmtest", L"d.qmtest"}), list.Column(0));
    SavePicture(app, L"files-page");
    // The longest usual cell (a late date) fits its column.
    const RECT timestamp = list.HeaderRect(4);
    EXPECT_GE(timestamp.right - timestamp.left,
              list.StringWidth(FormatDateText(SYSTEMTIME{2026, 12, 2, 29, 22, 58, 15, 0}).GetString()) + 12);

    // ---- sorting by header clicks: each typed column in its own order
    ::SetForegroundWindow(app.Window());
    int clicks = 0;
    auto sortBy = [&](int column, const Texts& names, int image)
    {
        // Never twice at one spot: that would be a double click, which sorts nothing.
        const RECT header = list.HeaderRect(column);
        POINT at = CentreOf(header);
        at.x += (++clicks % 2 ? -1 : 1) * (header.right - header.left) / 4;
        ClickAt(at);
        EXPECT_TRUE(
            WaitUntil([&] { return list.Column(0) == names && list.HeaderImage(column) == image; }, 10000))
            << "column " << column << ": " << Joined(list.Column(0)) << " image " << list.HeaderImage(column);
        // Only the sorted column shows an image, which leaves its title whole.
        for (int c = 0; c < 6; ++c)
        {
            if (c != column)
            {
                EXPECT_EQ(-1, list.HeaderImage(c)) << c;
            }
        }
        const RECT sorted = list.HeaderRect(column);
        EXPECT_GE(sorted.right - sorted.left, list.StringWidth(kTitles[column]) + 16 + 12) << column;
    };
    sortBy(3, {L"C.qmtest", L"d.qmtest", L"a.qmtest", L"b.qmtest"}, 1);
    sortBy(3, {L"b.qmtest", L"a.qmtest", L"d.qmtest", L"C.qmtest"}, 2);
    sortBy(4, {L"d.qmtest", L"a.qmtest", L"C.qmtest", L"b.qmtest"}, 1);
    sortBy(5, {L"b.qmtest", L"C.qmtest", L"a.qmtest", L"d.qmtest"}, 1);
    SavePicture(app, L"files-page-sorted");
    sortBy(0, {L"C.qmtest", L"a.qmtest", L"b.qmtest", L"d.qmtest"}, 1);

    // ---- moves by keys, on the list that has the focus
    ClickAt(CentreOf(list.RowRect(1)));
    ASSERT_TRUE(WaitUntil([&] { return list.IsSelected(1) && list.SelectedCount() == 1; }, 10000));
    auto expectNames = [&](const Texts& names, const char* step)
    { EXPECT_TRUE(WaitUntil([&] { return list.Column(0) == names; }, 10000)) << step; };
    app.PressKeys({VK_CONTROL, VK_UP});
    expectNames({L"a.qmtest", L"C.qmtest", L"b.qmtest", L"d.qmtest"}, "Ctrl+Up");
    app.PressKeys({VK_CONTROL, VK_SHIFT, VK_DOWN});
    expectNames({L"C.qmtest", L"b.qmtest", L"d.qmtest", L"a.qmtest"}, "Ctrl+Shift+Down");
    app.PressKeys({VK_CONTROL, VK_SHIFT, VK_UP});
    expectNames({L"a.qmtest", L"C.qmtest", L"b.qmtest", L"d.qmtest"}, "Ctrl+Shift+Up");
    app.PressKeys({VK_CONTROL, VK_DOWN});
    expectNames({L"C.qmtest", L"a.qmtest", L"b.qmtest", L"d.qmtest"}, "Ctrl+Down");
    EXPECT_TRUE(list.IsSelected(1)); // the row keeps its selection as it moves

    // ---- the context menu: Open is its default; Move To Bottom from its submenu
    ClickAt(CentreOf(list.RowRect(1)), true);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (menu = ::FindWindowW(L"#32768", nullptr)) && ::IsWindowVisible(menu); }, 10000));
    SavePicture(app, L"files-page-menu");
    // Its default item (Open, in bold) is seen in the picture: menus cannot be read from
    // another process under Wine.
    app.PressKeys({VK_DOWN});
    app.PressKeys({VK_DOWN});
    app.PressKeys({VK_DOWN});
    app.PressKeys({VK_RIGHT});
    app.PressKeys({VK_DOWN});
    app.PressKeys({VK_DOWN});
    app.PressKeys({VK_DOWN});
    app.PressKeys({VK_RETURN});
    expectNames({L"C.qmtest", L"b.qmtest", L"d.qmtest", L"a.qmtest"}, "menu Move To Bottom");
    // The other moves by their commands to the page, as the menu sends them.
    ::SendMessageW(hPage, WM_COMMAND, ID_FILE_MOVE_UP, 0);
    expectNames({L"C.qmtest", L"b.qmtest", L"a.qmtest", L"d.qmtest"}, "Move Up");
    ::SendMessageW(hPage, WM_COMMAND, ID_FILE_MOVE_TO_TOP, 0);
    ::SendMessageW(hPage, WM_COMMAND, ID_FILE_MOVE_DOWN, 0);
    expectNames({L"C.qmtest", L"a.qmtest", L"b.qmtest", L"d.qmtest"}, "Move To Top, Move Down");

    // ---- Ctrl+A, Del (Remove) and Shift+Del (Delete)
    app.PressKeys({VK_CONTROL, 'A'});
    EXPECT_TRUE(WaitUntil([&] { return list.SelectedCount() == 4; }, 10000));
    list.SelectOnly(2); // b
    app.PressKeys({VK_DELETE});
    expectNames({L"C.qmtest", L"a.qmtest", L"d.qmtest"}, "Del");
    EXPECT_TRUE(FileExists(out.Path() + L"b.qmtest"));
    list.SelectOnly(2); // d
    app.PressKeys({VK_SHIFT, VK_DELETE});
    HWND box = app.FindBox(L"Permanently Delete the File(s), Are You Sure?", 10000);
    ASSERT_NE(nullptr, box);
    EXPECT_TRUE(IsCentredOver(box, app.Window()));     // the page's box, over the whole window
    EXPECT_TRUE(FileExists(out.Path() + L"d.qmtest")); // nothing before the answer
    PressDialogButton(box, IDYES);
    expectNames({L"C.qmtest", L"a.qmtest"}, "Shift+Del");
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(out.Path() + L"d.qmtest"); }, 10000));

    // ---- rename in place
    list.SelectOnly(0);
    ::PostMessageW(hPage, WM_COMMAND, ID_FILE_RENAME, 0);
    HWND editor = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&]
        { return (editor = ::FindWindowExW(hList, nullptr, L"Edit", nullptr)) && ::IsWindowVisible(editor); },
        10000));
    ::SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"E.qmtest"));
    SavePicture(app, L"files-page-renaming");
    // In the editor, Shift+Del and Ctrl+A belong to the name, not to the list.
    app.PressKeys({VK_SHIFT, VK_DELETE});
    app.PressKeys({VK_CONTROL, 'A'});
    app.PressKeys({VK_RETURN});
    EXPECT_TRUE(WaitUntil([&] { return FileExists(out.Path() + L"E.qmtest"); }, 10000));
    EXPECT_FALSE(FileExists(out.Path() + L"C.qmtest"));
    EXPECT_EQ(nullptr, app.FindBox(L"Permanently", 0));
    EXPECT_EQ((Texts{L"E.qmtest", L"a.qmtest"}), list.Column(0));
    EXPECT_EQ(1, list.SelectedCount());

    // A name that exists: the message, and the old name back.
    ::PostMessageW(hPage, WM_COMMAND, ID_FILE_RENAME, 0);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(editor) != FALSE; }, 10000));
    ::SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"a.qmtest"));
    app.PressKeys({VK_RETURN});
    box = app.FindBox(L"Fail to Rename File!", 10000);
    ASSERT_NE(nullptr, box);
    EXPECT_TRUE(IsCentredOver(box, app.Window()));
    PressDialogButton(box, IDOK);
    expectNames({L"E.qmtest", L"a.qmtest"}, "rename refused");
    EXPECT_TRUE(FileExists(out.Path() + L"E.qmtest"));

    // ---- open by a double click: no program for the extension, so the message and the folder
    std::vector<HWND> before;
    for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT))
        before.push_back(w);
    ClickAt(CentreOf(list.RowRect(1)), false, true);
    box = app.FindBox(L"There is no application associated with the given file name extension.", 15000);
    ASSERT_NE(nullptr, box);
    EXPECT_TRUE(IsCentredOver(box, app.Window()));
    PressDialogButton(box, IDOK);
    HWND folderWindow = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&]
        {
            for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT))
            {
                DWORD pid = 0;
                ::GetWindowThreadProcessId(w, &pid);
                if (::IsWindowVisible(w) && pid != app.ProcessId() && pid != ::GetCurrentProcessId() &&
                    std::find(before.begin(), before.end(), w) == before.end())
                {
                    folderWindow = w;
                    return true;
                }
            }
            return false;
        },
        30000));
    if (folderWindow)
        ::PostMessageW(folderWindow, WM_CLOSE, 0, 0);

    app.Command(ID_EXIT);
    ASSERT_EQ(1u, app.WaitForExit());
    std::vector<RecordedFileRow> rows;
    ASSERT_EQ(RecordedFilesFile::Loaded, RecordedFilesFile(DataFile(L"Output.ini").c_str()).Load(rows));
    EXPECT_EQ((Texts{L"E.qmtest", L"a.qmtest"}), Names(rows));
}
