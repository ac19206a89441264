#include <gtest/gtest.h>

#include <windows.h>

#include "../engine/TestFiles.h"
#include "app/AppFolders.h"
#include "app/DeviceListing.h"
#include "app/EventPresentation.h"
#include "app/FormatTables.h"
#include "app/FreeSpace.h"
#include "app/RecordingLifecycle.h"

TEST(FreeSpace, WarningBelow100MegabytesAndUnknownSpace)
{
    FreeSpaceReport low = BuildFreeSpaceReport(L"C:\\", TRUE, 99.9);
    EXPECT_EQ(low.strStatus, L"Free space on drive C  99.90 MB");
    EXPECT_EQ(low.strWarning, L"Warning, less than 100 MB free space on drive C");
    FreeSpaceReport enough = BuildFreeSpaceReport(L"D:\\", TRUE, 100.0);
    EXPECT_EQ(enough.strStatus, L"Free space on drive D  100.00 MB");
    EXPECT_TRUE(enough.strWarning.IsEmpty());
    FreeSpaceReport unc = BuildFreeSpaceReport(L"\\\\server\\share\\", FALSE, 0.0);
    EXPECT_FALSE(unc.bKnown);
    EXPECT_EQ(unc.strStatus, L"Free space on drive \\\\server\\share\\ unknown");
    EXPECT_TRUE(unc.strWarning.IsEmpty());

    // The real volume of a scratch folder, reached by a full and by a relative path.
    TempFolder folder;
    FreeSpaceReport real = CheckFreeSpaceOf(folder.Path().c_str());
    EXPECT_TRUE(real.bKnown);
    EXPECT_EQ(real.strStatus.Left(22), CString(L"Free space on drive ") + folder.Path()[0] + L" ");
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
    EXPECT_TRUE(CheckFreeSpaceOf(L".").bKnown);
    EXPECT_TRUE(CheckFreeSpaceOf(L"sub\\dir\\").bKnown);
    SetCurrentDirectoryW(previous); // the folder cannot be removed while it is current
}

TEST(FormatTables, IndexesOutsideTheTablesAreRefused)
{
    RecorderSettings s;
    EXPECT_EQ(FormatRateAndChannels(s), L" 44100 Hz;  Stereo;");
    s.nSampleRateIndex = 0;
    s.nChannels = 1;
    EXPECT_EQ(FormatRateAndChannels(s), L"  8000 Hz;  Mono;");
    for (int16_t index : {int16_t(9), int16_t(12), int16_t(-1)})
    {
        s.nSampleRateIndex = index;
        EXPECT_EQ(FormatRateAndChannels(s), L"    ? Hz;  Mono;");
    }
    int32_t rate = 5;
    EXPECT_FALSE(SampleRateAt(9, rate));
    EXPECT_EQ(rate, 5);
    EXPECT_TRUE(SampleRateAt(8, rate));
    EXPECT_EQ(rate, 48000);
    int kbps = 5;
    EXPECT_FALSE(Mp3BitrateAt(14, kbps));
    EXPECT_FALSE(Mp3BitrateAt(-1, kbps));
    EXPECT_EQ(kbps, 5);
    EXPECT_TRUE(Mp3BitrateAt(13, kbps));
    EXPECT_EQ(kbps, 192);
    EXPECT_TRUE(AnsiToCString(nullptr).IsEmpty());
    EXPECT_EQ(AnsiToCString("Line In"), L"Line In");
}

TEST(AppFolders, DataProgramAndDefaultOutputFolders)
{
    const CString data = GetUserDataFolder();
    EXPECT_EQ(data.Right(10), L"\\Quillmoth");
    EXPECT_EQ(data.Find(L"\\\\"), -1);
    EXPECT_EQ(GetDefaultDestDir().Right(1), L"\\");
    const CString exe = GetProgramDir() + L"\\app_logic_tests.exe";
    EXPECT_NE(GetFileAttributesW(exe), INVALID_FILE_ATTRIBUTES) << exe.GetString();
}

TEST(EventPresentation, PanesTipsAndColoursByKindAndLevel)
{
    int pane = -1;
    CString shown;
    CString tip;
    ASSERT_TRUE(EventPresentation::StatusPane(1, L"14:03:09  Finished Initialization.", pane, shown, tip));
    EXPECT_EQ(0, pane);
    EXPECT_EQ(shown, L"  14:03:09  Finished Initialization.");
    EXPECT_EQ(tip, L"Last Event:  14:03:09  Finished Initialization.");
    ASSERT_TRUE(EventPresentation::StatusPane(2, L"Recording:  C:\\a.wav", pane, shown, tip));
    EXPECT_EQ(1, pane);
    EXPECT_EQ(shown, L" Recording:  C:\\a.wav");
    EXPECT_EQ(tip, L"Current Status: Recording:  C:\\a.wav");
    ASSERT_TRUE(EventPresentation::StatusPane(3, L"WAV;", pane, shown, tip));
    EXPECT_EQ(2, pane);
    EXPECT_EQ(tip, L"Output Audio Format: WAV;");
    EXPECT_FALSE(EventPresentation::StatusPane(0, L"x", pane, shown, tip));
    EXPECT_FALSE(EventPresentation::StatusPane(4, L"x", pane, shown, tip));

    COLORREF colour = 0;
    ASSERT_TRUE(EventPresentation::LineColour(-1, colour));
    EXPECT_EQ(RGB(0, 0, 255), colour);
    ASSERT_TRUE(EventPresentation::LineColour(0, colour));
    EXPECT_EQ(RGB(0, 0, 255), colour);
    ASSERT_TRUE(EventPresentation::LineColour(1, colour));
    EXPECT_EQ(RGB(153, 0, 0), colour);
    ASSERT_TRUE(EventPresentation::LineColour(2, colour));
    EXPECT_EQ(RGB(255, 0, 0), colour);
    EXPECT_FALSE(EventPresentation::LineColour(3, colour));
    EXPECT_FALSE(EventPresentation::LineColour(-2, colour));
}

TEST(DeviceListing, NamesAndTheChosenEntry)
{
    EXPECT_EQ(DeviceListing::CleanName(L"Line In - Input"), L"Line In");
    EXPECT_EQ(DeviceListing::CleanName(L"A - Input B - Input"), L"A B");
    EXPECT_EQ(DeviceListing::CleanName(L"Microphone"), L"Microphone");

    const std::vector<int> devices = {0, 3, 7}; // the library's indexes of three inputs
    EXPECT_EQ(1, DeviceListing::ChooseEntry(1, devices, 7));
    // Out of range: the system's default input, else nothing.
    EXPECT_EQ(2, DeviceListing::ChooseEntry(5, devices, 7));
    EXPECT_EQ(2, DeviceListing::ChooseEntry(-1, devices, 7));
    EXPECT_EQ(-1, DeviceListing::ChooseEntry(3, devices, 4));
    EXPECT_EQ(-1, DeviceListing::ChooseEntry(0, {}, 0));
}

// Record pressed while the last recording is being finished starts once its workers have
// ended, whatever the window heard of them before: the press may come after the last
// message the workers send.
TEST(RecordingLifecycle, ARecordThatWaitsStartsOnceTheWorkersHaveEnded)
{
    using L = RecordingLifecycle;
    L life;
    EXPECT_EQ(life.OnRecordPressed(false, true), L::kStart);
    life.OnStarted();
    EXPECT_EQ(life.GetPhase(), L::kRecording);
    EXPECT_EQ(life.OnRecordPressed(true, false), L::kNothing);

    // Stopped; the reset came, the workers still run: the press waits, however often checked.
    EXPECT_TRUE(life.OnShownIdle());
    EXPECT_FALSE(life.OnShownIdle()); // shown idle once
    EXPECT_EQ(life.GetPhase(), L::kFinishing);
    EXPECT_EQ(life.OnRecordPressed(false, false), L::kWait);
    EXPECT_EQ(life.OnWorkersChecked(false), L::kWait);
    EXPECT_EQ(life.OnWorkersChecked(false), L::kWait);
    EXPECT_EQ(life.OnWorkersChecked(true), L::kStart);
    EXPECT_FALSE(life.IsRecordWaiting());
    EXPECT_EQ(life.GetPhase(), L::kIdle);
    EXPECT_EQ(life.OnWorkersChecked(true), L::kNothing); // started once
    life.OnStarted();

    // Pressed before the reset (the workers cleared the flag): it waits for the reset too,
    // since a failed writer's window is put back to idle after its threads have ended.
    EXPECT_EQ(life.OnRecordPressed(false, false), L::kWait);
    EXPECT_EQ(life.OnWorkersChecked(true), L::kWait);
    EXPECT_TRUE(life.OnShownIdle());
    EXPECT_EQ(life.OnWorkersChecked(true), L::kStart);
    life.OnStarted();

    // Stop or exit drops a waiting Record.
    life.OnShownIdle();
    EXPECT_EQ(life.OnRecordPressed(false, false), L::kWait);
    life.OnStopPressed();
    EXPECT_FALSE(life.IsRecordWaiting());
    EXPECT_EQ(life.OnWorkersChecked(true), L::kNothing);
    EXPECT_EQ(life.GetPhase(), L::kIdle);
}
