// The main road through the real program: record by the keyboard with a pause, stop, and
// the file against the signal; then the toolbar and the menu with an automatic stop in
// the other two formats (decoded on the Linux side by road.sh).
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <set>
#include <string>

#include "../engine/TestFiles.h"
#include "app/AppFolders.h"
#include "app/RecordingReadouts.h"
#include "harness/SignalMatch.h"
#include "resources/resource.h"
#include "tests/app_gui/RunningApp.h"

namespace
{
// The recordings stay here for road.sh.
std::wstring RoadFolder()
{
    const std::wstring folder = BuildFolder() + L"\\app-road\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

// Every level text a block copy of the signal can give, whatever its phase.
std::set<std::wstring> PossibleLevels(const std::vector<int16_t>& signal, int channel)
{
    std::set<std::wstring> texts;
    std::vector<int32_t> block(8820);
    for (size_t start = 0; start + block.size() < signal.size(); start += 2 * 37)
    {
        for (size_t i = 0; i < block.size(); ++i)
            block[i] = static_cast<int32_t>(signal[start + i]) * 65536;
        CString left;
        CString right;
        if (RecordingReadouts::LevelTexts(block.data(), 8820, 2, left, right))
            texts.insert(channel == 0 ? left.GetString() : right.GetString());
    }
    return texts;
}
} // namespace

TEST(MainRoad, RecordsByTheKeyboardWithAPauseAndStops)
{
    const std::wstring folder = RoadFolder();
    const std::wstring path = folder + L"take.wav";
    const std::wstring second = folder + L"take (2).wav";
    ::DeleteFileW(path.c_str());
    ::DeleteFileW(second.c_str());
    ASSERT_TRUE(
        WriteConfig(L"[OUTPUT]\r\nOutputFormat=1\r\nLoc=1\r\nName=take\r\nDesDir=" + folder + L"\r\n"));
    RunningApp app;
    ASSERT_TRUE(app.Start());

    // The tabs and Esc and Enter from the keyboard, with the focus on a page's control.
    HWND tab = app.Control(IDC_MAIN_TAB);
    app.PressKeys({VK_F3});
    EXPECT_TRUE(WaitUntil([&] { return ::SendMessageW(tab, TCM_GETCURSEL, 0, 0) == 1; }, 10000));
    app.PressKeys({VK_CONTROL, VK_TAB});
    EXPECT_TRUE(WaitUntil([&] { return ::SendMessageW(tab, TCM_GETCURSEL, 0, 0) == 2; }, 10000));
    app.PressKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(WaitUntil([&] { return ::SendMessageW(tab, TCM_GETCURSEL, 0, 0) == 1; }, 10000));
    app.PressKeys({VK_ESCAPE});
    app.PressKeys({VK_RETURN});
    app.PressKeys({VK_F2});
    EXPECT_TRUE(WaitUntil([&] { return ::SendMessageW(tab, TCM_GETCURSEL, 0, 0) == 0; }, 10000));
    EXPECT_TRUE(::IsWindowVisible(app.Window()));

    app.PressKeys({VK_CONTROL, 'R'});
    const std::wstring recording = L" Recording:  " + path;
    ASSERT_TRUE(WaitUntil([&] { return app.StatusText(1) == recording; }, 30000))
        << Narrow(app.StatusText(1));
    // The clock counts and the meters show what the signal gives.
    HWND clock = app.Control(IDC_MAIN_TIME);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(clock) >= L"00:00:01.0"; }, 30000)) << Narrow(TextOf(clock));
    // Without the automatic stop the bar has nothing to count and stays full.
    EXPECT_EQ(1000, ::SendMessageW(app.Control(IDC_MAIN_PROGRESS), PBM_GETPOS, 0, 0));
    std::wstring error;
    const std::vector<int16_t> signal = LoadHarnessSignal(&error);
    ASSERT_FALSE(signal.empty()) << Narrow(error);
    const std::set<std::wstring> left = PossibleLevels(signal, 0);
    const std::set<std::wstring> right = PossibleLevels(signal, 1);
    HWND leftMeter = app.Control(IDC_MAIN_LEFT_LEVEL);
    HWND rightMeter = app.Control(IDC_MAIN_RIGHT_LEVEL);
    EXPECT_TRUE(WaitUntil([&] { return left.count(TextOf(leftMeter)) == 1; }, 10000))
        << Narrow(TextOf(leftMeter));
    EXPECT_TRUE(WaitUntil([&] { return right.count(TextOf(rightMeter)) == 1; }, 10000));

    // Paused: the file stops growing.
    app.PressKeys({VK_CONTROL, 'U'});
    ASSERT_TRUE(
        WaitUntil([&] { return app.StatusText(1) == L" Recording Manually Paused:  " + path; }, 10000));
    ULONGLONG pausedSize = 0;
    ASSERT_TRUE(WaitUntil(
        [&]
        {
            const ULONGLONG before = FileSize(path);
            ::Sleep(300);
            pausedSize = FileSize(path);
            return pausedSize == before;
        },
        10000));
    ::Sleep(700); // the pause itself, a span of time the file must not show
    EXPECT_EQ(pausedSize, FileSize(path));
    app.PressKeys({VK_CONTROL, 'U'});
    ASSERT_TRUE(WaitUntil([&] { return app.StatusText(1) == recording; }, 10000));
    EXPECT_TRUE(WaitUntil([&] { return FileSize(path) > pausedSize + 88200; }, 30000));

    // Record right after Stop, while the take is still being finished: a second take with a
    // name of its own follows once the first has ended.
    app.PressKeys({VK_CONTROL, 'S'});
    app.PressKeys({VK_CONTROL, 'R'});
    ASSERT_TRUE(WaitUntil([&] { return app.StatusText(1) == L" Recording:  " + second; }, 30000))
        << Narrow(app.StatusText(1));
    EXPECT_TRUE(WaitUntil([&] { return FileSize(second) > 44 + 88200; }, 30000));
    app.PressKeys({VK_CONTROL, 'S'});
    // Back to idle: the status shows the free space again and the clock is blank.
    EXPECT_TRUE(WaitUntil(
        [&] { return app.StatusText(1).find(L"Free space on drive") != std::wstring::npos; }, 30000));
    EXPECT_TRUE(WaitUntil([&] { return TextOf(clock) == L"           "; }, 10000));
    EXPECT_EQ(2, ::SendMessageW(app.Control(IDC_FILE_LIST), LVM_GETITEMCOUNT, 0, 0));
    app.Command(ID_EXIT);
    ASSERT_EQ(1u, app.WaitForExit());
    const WavFile take2 = ReadWav(second);
    ASSERT_TRUE(take2.valid);
    EXPECT_EQ(take2.data.size(), take2.dataSize);
    EXPECT_GT(take2.dataSize, 88200u);

    const WavFile wav = ReadWav(path);
    ASSERT_TRUE(wav.valid);
    EXPECT_EQ(wav.data.size(), wav.dataSize);
    EXPECT_EQ(0u, wav.dataSize % (4410 * 4)); // whole blocks
    const std::vector<int16_t> samples = wav.Samples16();
    const SignalMatch match = MatchSignal(signal, samples.data(), samples.size() / 2, 2);
    ASSERT_TRUE(match.found);
    // Everything before the pause is the signal without a gap.
    EXPECT_GE(match.firstNonSilent + match.matched, (pausedSize - 44) / 4);
}

TEST(MainRoad, ToolbarAndMenuRecordTheOtherFormatsUntilTheAutomaticStop)
{
    const std::wstring folder = RoadFolder();
    for (const wchar_t* name : {L"take.mp3", L"take.ogg"})
        ::DeleteFileW((folder + name).c_str());
    ASSERT_TRUE(
        WriteConfig(L"[MISC]\r\nStop=1\r\nStopHour=0\r\nStopMin=0\r\nStopSec=2\r\nActAftRec=1\r\n[OUTPUT]\r\n"
                    L"OutputFormat=2\r\nLoc=1\r\nName=take\r\nDesDir=" +
                    folder + L"\r\n"));
    RunningApp app;
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(L"  MP3:  CBR 128 kbps; 44100 Hz; Joint Stereo;", app.StatusText(2));

    ASSERT_TRUE(app.ClickToolbarButton(ID_RECORD));
    HWND box = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (box = app.FindBox(L"Audio Recording Finished!")) != nullptr; }, 30000));
    EXPECT_EQ(1000, ::SendMessageW(app.Control(IDC_MAIN_PROGRESS), PBM_GETPOS, 0, 0));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return app.FindBox(L"Audio Recording Finished!") == nullptr; }, 10000));
    EXPECT_GT(FileSize(folder + L"take.mp3"), 20000u);

    app.Command(ID_FORMAT_OGG);
    EXPECT_TRUE(
        WaitUntil([&] { return app.StatusText(2) == L"  OGG:  Quality : 0.30; Stereo; 44100 Hz;"; }, 10000));
    app.Command(ID_RECORD);
    ASSERT_TRUE(
        WaitUntil([&] { return (box = app.FindBox(L"Audio Recording Finished!")) != nullptr; }, 30000));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_GT(FileSize(folder + L"take.ogg"), 8000u);
    app.Command(ID_EXIT);
    EXPECT_EQ(1u, app.WaitForExit());
}
