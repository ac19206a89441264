// The Recording, Output and Misc pages and the Encoder Settings dialog driven through the
// real program: what the user chooses reaches the recorded files and the settings file,
// hand-edited settings are repaired, and every modal window belongs to the main window.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <array>
#include <atomic>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "../engine/TestFiles.h"
#include "AudioFileChecks.h"
#include "PageDriver.h"
#include "app/AppFolders.h"
#include "app/RecordedFilesFile.h"
#include "resources/resource.h"

namespace
{
std::wstring Setting(const wchar_t* section, const wchar_t* key)
{
    wchar_t value[1024] = {};
    ::GetPrivateProfileStringW(section, key, L"<missing>", value, 1024, DataFile(L"Config.ini").c_str());
    return value;
}

// A folder inside the default output folder, removed with its files afterwards.
class BrowsableFolder
{
public:
    BrowsableFolder() : m_path(std::wstring(GetDefaultDestDir().GetString()) + L"qm-pages-browse\\")
    {
        Remove();
        ::CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~BrowsableFolder() { Remove(); }
    const std::wstring& Path() const { return m_path; }

private:
    void Remove() const
    {
        std::wstring from = m_path.substr(0, m_path.size() - 1);
        from.push_back(L'\0');
        SHFILEOPSTRUCTW op = {};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        ::SHFileOperationW(&op);
    }

    std::wstring m_path;
};

void UseConfig(const std::wstring& lines)
{
    ASSERT_TRUE(WriteConfig(lines));
}

// Config.ini as another editor leaves it: 8-bit, in the code page, without a mark.
void UseEightBitConfig(const std::wstring& lines)
{
    UseConfig(lines);
    const int n = ::WideCharToMultiByte(CP_ACP, 0, lines.c_str(), static_cast<int>(lines.size()), nullptr, 0,
                                        nullptr, nullptr);
    std::vector<uint8_t> bytes(static_cast<size_t>(n));
    ::WideCharToMultiByte(CP_ACP, 0, lines.c_str(), static_cast<int>(lines.size()),
                          reinterpret_cast<char*>(bytes.data()), n, nullptr, nullptr);
    ASSERT_TRUE(WriteAll(DataFile(L"Config.ini"), bytes));
}

size_t Count(const std::wstring& text, const std::wstring& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// Starts the program, answering with OK the message boxes start-up shows; their texts
// are collected. The Device page reports a mixer it cannot open under the harness.
bool StartCollecting(RunningApp& app, std::vector<std::wstring>& texts)
{
    std::atomic<bool> finished{false};
    bool started = false;
    std::thread starter(
        [&]
        {
            started = app.Start();
            finished = true;
        });
    PageDriver d(app);
    while (!finished)
    {
        HWND box = app.ProcessId() ? d.WaitForPopup(L"Quillmoth", 100) : nullptr;
        if (box)
        {
            texts.push_back(d.MessageText(box));
            d.PressButton(box, L"OK");
            d.WaitGone(box);
        }
    }
    starter.join();
    return started;
}

// Starts the program; start-up may only report the mixer.
bool StartApp(RunningApp& app)
{
    std::vector<std::wstring> texts;
    const bool started = StartCollecting(app, texts);
    for (const auto& text : texts)
        EXPECT_NE(std::wstring::npos, text.find(L"mixer")) << Narrow(text);
    return started;
}

// Runs one recording to its end ("Done." logged once more).
bool WaitForRecordingEnd(const RunningApp& app, size_t doneBefore, DWORD ms = 60000)
{
    return WaitUntil([&] { return app.LogCount(L"Done.") > doneBefore; }, ms);
}

// The settings file holds these values: {section, key, value}.
void ExpectSettings(std::initializer_list<std::array<const wchar_t*, 3>> expected)
{
    for (const auto& e : expected)
        EXPECT_EQ(Narrow(e[2]), Narrow(Setting(e[0], e[1]))) << Narrow(e[0]) << "/" << Narrow(e[1]);
}

bool IsOwnedModal(const RunningApp& app, HWND popup, HWND owner)
{
    return ::GetWindow(popup, GW_OWNER) == owner && !::IsWindowEnabled(app.Window());
}

const int kRecordingRadios[14] = {
    IDC_RECORDING_MONO,        IDC_RECORDING_STEREO,      IDC_RECORDING_RATE_8000,
    IDC_RECORDING_RATE_11025,  IDC_RECORDING_RATE_12000,  IDC_RECORDING_RATE_16000,
    IDC_RECORDING_RATE_22050,  IDC_RECORDING_RATE_24000,  IDC_RECORDING_RATE_32000,
    IDC_RECORDING_RATE_44100,  IDC_RECORDING_RATE_48000,  IDC_RECORDING_8BIT_UNSIGNED,
    IDC_RECORDING_8BIT_SIGNED, IDC_RECORDING_16BIT_SIGNED};
const int kRateRadios[9] = {IDC_RECORDING_RATE_8000,  IDC_RECORDING_RATE_11025, IDC_RECORDING_RATE_12000,
                            IDC_RECORDING_RATE_16000, IDC_RECORDING_RATE_22050, IDC_RECORDING_RATE_24000,
                            IDC_RECORDING_RATE_32000, IDC_RECORDING_RATE_44100, IDC_RECORDING_RATE_48000};
const int kOutputWhileIdle[6] = {IDC_OUTPUT_STOP_MANUALLY, IDC_OUTPUT_STOP_AFTER,       IDC_OUTPUT_ASK_FOLDER,
                                 IDC_OUTPUT_SAVE_TO,       IDC_OUTPUT_ENCODER_SETTINGS, IDC_OUTPUT_RESET_ALL};

// Opens Encoder Settings from the Output page; null when it did not come.
HWND OpenEncoderSettings(const RunningApp& app, const PageDriver& d)
{
    app.Command(ID_TOOL_OUTPUT);
    HWND output = d.Page(IDC_OUTPUT_DEST_DIR);
    HWND button = d.Item(output, IDC_OUTPUT_ENCODER_SETTINGS);
    if (!d.WaitEnabled(button, true))
        return nullptr;
    d.ClickLater(button);
    return d.WaitForPopup(L"Encoder Settings");
}

// Chooses rows in the open Encoder Settings dialog and presses OK.
void ChooseEncoderRows(const PageDriver& d, HWND dialog, std::initializer_list<std::pair<int, int>> rows)
{
    for (const auto& row : rows)
        ::SendMessageW(d.Item(dialog, row.first), CB_SETCURSEL, static_cast<WPARAM>(row.second), 0);
    ASSERT_TRUE(d.PressButton(dialog, L"OK"));
    ASSERT_TRUE(d.WaitGone(dialog));
}

// Dismisses the one message box with text; false when none came.
bool DismissMessage(const RunningApp& app, const PageDriver& d, const std::wstring& text, HWND owner)
{
    HWND box = d.WaitForPopup(L"Quillmoth");
    if (!box)
        return false;
    EXPECT_EQ(Narrow(text), Narrow(d.MessageText(box)));
    EXPECT_TRUE(IsOwnedModal(app, box, owner));
    EXPECT_TRUE(d.PressButton(box, L"OK"));
    return d.WaitGone(box);
}
} // namespace

TEST(PagesGui, RecordingPageChoicesAndAnAutomaticStopReachTheFile)
{
    TempFolder out;
    UseConfig(L"[MISC]\r\nTip=0\r\n");
    RunningApp app;
    ASSERT_TRUE(StartApp(app));
    PageDriver d(app);

    // Mono, 22050 Hz, 8-bit unsigned through the page; each shows in the format line at once.
    app.Command(ID_TOOL_RECORDING);
    HWND rec = d.Page(IDC_RECORDING_MONO);
    ASSERT_NE(nullptr, rec);
    d.Shot(L"pages-recording-idle");
    for (int id : {IDC_RECORDING_MONO, IDC_RECORDING_RATE_22050, IDC_RECORDING_8BIT_UNSIGNED})
    {
        ASSERT_TRUE(d.WaitEnabled(d.Item(rec, id), true)) << id;
        d.Click(d.Item(rec, id));
        EXPECT_TRUE(d.IsChecked(d.Item(rec, id))) << id;
    }
    EXPECT_FALSE(d.IsChecked(d.Item(rec, IDC_RECORDING_STEREO)));
    EXPECT_FALSE(d.IsChecked(d.Item(rec, IDC_RECORDING_RATE_44100)));
    const std::wstring format = app.StatusText(2);
    EXPECT_NE(std::wstring::npos, format.find(L"22050 Hz")) << Narrow(format);
    EXPECT_NE(std::wstring::npos, format.find(L"Mono")) << Narrow(format);

    // WAV, 8-bit unsigned PCM in Encoder Settings, whose rows are exactly the program's.
    app.Command(ID_FORMAT_WAV);
    HWND encoder = OpenEncoderSettings(app, d);
    ASSERT_NE(nullptr, encoder);
    EXPECT_TRUE(IsOwnedModal(app, encoder, app.Window()));
    SaveScreenshot(encoder, L"pages-encoder-settings");
    const std::vector<std::wstring> wavRows = {L" Unsigned 8 bit PCM", L" Signed 16 bit PCM"};
    const std::vector<std::wstring> modeRows = {L" Stereo", L" Joint Stereo", L" Dual Channel"};
    const std::vector<std::wstring> oggRows = {
        L"Quality -0.1;  Estimated Bitrate:    48kbps",   L"Quality  0.0;  Estimated Bitrate:    64kbps",
        L"Quality\t  0.1;  Estimated Bitrate:    80kbps", L"Quality  0.2;  Estimated Bitrate:    96kbps",
        L"Quality\t  0.3;  Estimated Bitrate:   112kbps", L"Quality  0.4;  Estimated Bitrate:   128kbps",
        L"Quality\t  0.5;  Estimated Bitrate:   160kbps", L"Quality  0.6;  Estimated Bitrate:   192kbps"};
    const int kbps[14] = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192};
    std::vector<std::wstring> bitrateRows;
    for (int k : kbps)
    {
        std::wstring row = std::to_wstring(k);
        bitrateRows.push_back(std::wstring(4 - row.size(), L' ') + row + L" kbits per second");
    }
    const struct
    {
        int id;
        const std::vector<std::wstring>& rows;
        int selected;
    } lists[] = {{IDC_ENCODER_WAV_CODEC, wavRows, 1},
                 {IDC_ENCODER_MP3_BITRATE, bitrateRows, 11},
                 {IDC_ENCODER_MP3_MODE, modeRows, 1},
                 {IDC_ENCODER_OGG_QUALITY, oggRows, 4}};
    for (const auto& list : lists)
    {
        HWND combo = d.Item(encoder, list.id);
        ASSERT_EQ(static_cast<int>(list.rows.size()), d.ComboCount(combo)) << list.id;
        for (size_t i = 0; i < list.rows.size(); ++i)
            EXPECT_EQ(Narrow(list.rows[i]), Narrow(d.ComboRow(combo, static_cast<int>(i)))) << list.id;
        EXPECT_EQ(list.selected, d.ComboSelection(combo)) << list.id;
    }
    ChooseEncoderRows(d, encoder, {{IDC_ENCODER_WAV_CODEC, 0}});
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(app.Window()) != FALSE; }, 10000));
    EXPECT_NE(std::wstring::npos, app.StatusText(2).find(L"WAV")) << Narrow(app.StatusText(2));

    // Stop after 0:0:3, spun down from 0:2:30 without a message on the way.
    HWND output = d.Page(IDC_OUTPUT_DEST_DIR);
    d.Click(d.Item(output, IDC_OUTPUT_STOP_AFTER));
    HWND minutes = d.Item(output, IDC_OUTPUT_MINUTES);
    HWND seconds = d.Item(output, IDC_OUTPUT_SECONDS);
    ASSERT_TRUE(d.WaitEnabled(minutes, true));
    EXPECT_EQ("0", Narrow(TextOf(d.Item(output, IDC_OUTPUT_HOURS))));
    EXPECT_EQ("2", Narrow(TextOf(minutes)));
    EXPECT_EQ("30", Narrow(TextOf(seconds)));
    ASSERT_TRUE(d.SpinDownTo(d.Item(output, IDC_OUTPUT_MINUTES_SPIN), minutes, L"1"));
    ASSERT_TRUE(d.SpinDownTo(d.Item(output, IDC_OUTPUT_MINUTES_SPIN), minutes, L"0"));
    for (int s = 29; s >= 3; --s)
        ASSERT_TRUE(d.SpinDownTo(d.Item(output, IDC_OUTPUT_SECONDS_SPIN), seconds, std::to_wstring(s))) << s;
    EXPECT_EQ(0, d.CountPopups(L"Quillmoth"));
    d.Type(d.Item(output, IDC_OUTPUT_DEST_DIR), out.Path());
    d.Type(d.Item(output, IDC_OUTPUT_FILE_NAME), L"take");
    d.Shot(L"pages-output-idle");

    // While recording every choice of the three pages is closed.
    const size_t done = app.LogCount(L"Done.");
    app.Command(ID_RECORD);
    for (int id : kRecordingRadios)
        EXPECT_TRUE(d.WaitEnabled(d.Item(rec, id), false)) << id;
    for (int id : kOutputWhileIdle)
        EXPECT_TRUE(d.WaitEnabled(d.Item(output, id), false)) << id;
    for (int id : {IDC_OUTPUT_DEST_DIR, IDC_OUTPUT_BROWSE, IDC_OUTPUT_FILE_NAME, IDC_OUTPUT_SECONDS_SPIN})
        EXPECT_TRUE(d.WaitEnabled(d.Item(output, id), false)) << id;
    d.Shot(L"pages-output-recording");
    app.Command(ID_TOOL_RECORDING);
    d.Shot(L"pages-recording-recording");
    ASSERT_TRUE(WaitForRecordingEnd(app, done));
    EXPECT_NE(std::wstring::npos, app.LogText().find(L"Automatically stop recording."));
    for (int id : {IDC_RECORDING_MONO, IDC_RECORDING_RATE_22050, IDC_RECORDING_8BIT_UNSIGNED})
        EXPECT_TRUE(d.WaitEnabled(d.Item(rec, id), true)) << id;

    // Exactly that format, 30 blocks of 2205 frames, and the harness's tone in it.
    const WavFile wav = ReadWav(out.Path() + L"take.wav");
    ASSERT_TRUE(wav.valid);
    EXPECT_EQ(1, wav.formatTag);
    EXPECT_EQ(1, wav.channels);
    EXPECT_EQ(22050u, wav.sampleRate);
    EXPECT_EQ(8, wav.bits);
    EXPECT_EQ(22050u, wav.byteRate);
    EXPECT_EQ(1, wav.blockAlign);
    EXPECT_EQ(30u * 2205u, wav.dataSize);
    const std::vector<int16_t> samples = wav.Samples16();
    const double tone = TonePower(samples, 1, 22050, 440.0);
    EXPECT_GT(tone, 1e5);
    EXPECT_GT(tone, 100.0 * TonePower(samples, 1, 22050, 1000.0));

    app.Command(ID_EXIT);
    EXPECT_EQ(1u, app.WaitForExit());
    ExpectSettings({{L"OUTPUT", L"Chan", L"1"},
                    {L"OUTPUT", L"Freq", L"4"},
                    {L"OUTPUT", L"Resolution", L"0"},
                    {L"OUTPUT", L"OutputFormat", L"1"},
                    {L"WAV", L"SubFormat", L"0"},
                    {L"MISC", L"Stop", L"1"},
                    {L"MISC", L"StopMin", L"0"},
                    {L"MISC", L"StopSec", L"3"}});
}

TEST(PagesGui, HandEditedSettingsAreRepairedAndTheStopTimeIsCheckedOnce)
{
    // A zero stop time, a channel count and a rate outside their tables.
    UseConfig(L"[MISC]\r\nTip=0\r\nStop=1\r\nStopHour=0\r\nStopMin=0\r\nStopSec=0\r\n[OUTPUT]\r\nChan="
              L"5\r\nFreq=12\r\n");
    RunningApp app;
    std::vector<std::wstring> texts;
    ASSERT_TRUE(StartCollecting(app, texts));
    // One message while the page is filled (more would have kept start-up waiting).
    EXPECT_EQ(1u, Count(std::accumulate(texts.begin(), texts.end(), std::wstring()),
                        L"Minimum Auto Stop Time is 1 Secs!"));
    PageDriver d(app);
    EXPECT_EQ(0, d.CountPopups(L"Quillmoth"));

    app.Command(ID_TOOL_OUTPUT);
    HWND output = d.Page(IDC_OUTPUT_DEST_DIR);
    HWND seconds = d.Item(output, IDC_OUTPUT_SECONDS);
    EXPECT_EQ("0", Narrow(TextOf(d.Item(output, IDC_OUTPUT_HOURS))));
    EXPECT_EQ("0", Narrow(TextOf(d.Item(output, IDC_OUTPUT_MINUTES))));
    EXPECT_EQ("5", Narrow(TextOf(seconds)));

    // Spinning down to zero with the button held: one message, owned by the main window,
    // then 0:0:5 again, and the spin no longer repeats behind it.
    HWND spin = d.Item(output, IDC_OUTPUT_SECONDS_SPIN);
    ASSERT_TRUE(d.WaitEnabled(seconds, true));
    for (int s = 4; s >= 1; --s)
        ASSERT_TRUE(d.SpinDownTo(spin, seconds, std::to_wstring(s)));
    RECT rect;
    ::GetClientRect(spin, &rect);
    ::PostMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.right / 2, rect.bottom * 3 / 4));
    ASSERT_TRUE(DismissMessage(app, d, L"Minimum Auto Stop Time is 1 Secs!", app.Window()));
    EXPECT_TRUE(WaitUntil([&] { return TextOf(seconds) == L"5"; }, 10000));
    // Several of the spin's repeat intervals: the time stays and no box comes back.
    const DWORD since = ::GetTickCount();
    bool stayed = true;
    while (::GetTickCount() - since < 1500)
        stayed = stayed && TextOf(seconds) == L"5" && d.CountPopups(L"Quillmoth") == 0;
    EXPECT_TRUE(stayed) << Narrow(TextOf(seconds));
    ::PostMessageW(spin, WM_LBUTTONUP, 0, MAKELPARAM(rect.right / 2, rect.bottom * 3 / 4));
    EXPECT_EQ(0, d.CountPopups(L"Quillmoth"));

    // Channels outside the table: no channel or rate radio checked and every rate closed,
    // until a channel choice repairs the setting.
    app.Command(ID_TOOL_RECORDING);
    HWND rec = d.Page(IDC_RECORDING_MONO);
    EXPECT_TRUE(d.WaitEnabled(d.Item(rec, IDC_RECORDING_STEREO), true));
    for (int id : kRateRadios)
    {
        EXPECT_TRUE(d.WaitEnabled(d.Item(rec, id), false)) << id;
        EXPECT_FALSE(d.IsChecked(d.Item(rec, id))) << id;
    }
    EXPECT_FALSE(d.IsChecked(d.Item(rec, IDC_RECORDING_MONO)));
    EXPECT_FALSE(d.IsChecked(d.Item(rec, IDC_RECORDING_STEREO)));
    d.Shot(L"pages-recording-out-of-range");
    d.Click(d.Item(rec, IDC_RECORDING_STEREO));
    for (int id : kRateRadios)
        EXPECT_TRUE(d.WaitEnabled(d.Item(rec, id), true)) << id;
    d.Click(d.Item(rec, IDC_RECORDING_RATE_48000));
    EXPECT_TRUE(d.IsChecked(d.Item(rec, IDC_RECORDING_RATE_48000)));

    app.Command(ID_EXIT);
    EXPECT_EQ(1u, app.WaitForExit());
    ExpectSettings({{L"MISC", L"StopHour", L"0"},
                    {L"MISC", L"StopMin", L"0"},
                    {L"MISC", L"StopSec", L"5"},
                    {L"OUTPUT", L"Chan", L"2"},
                    {L"OUTPUT", L"Freq", L"8"}});

    // Hours past the spin's range show 99 and are stored as shown.
    UseConfig(L"[MISC]\r\nTip=0\r\nStopHour=150\r\nStopMin=75\r\nStopSec=-4\r\n");
    RunningApp again;
    ASSERT_TRUE(StartApp(again));
    PageDriver d2(again);
    again.Command(ID_TOOL_OUTPUT);
    output = d2.Page(IDC_OUTPUT_DEST_DIR);
    EXPECT_EQ("99", Narrow(TextOf(d2.Item(output, IDC_OUTPUT_HOURS))));
    EXPECT_EQ("59", Narrow(TextOf(d2.Item(output, IDC_OUTPUT_MINUTES))));
    EXPECT_EQ("0", Narrow(TextOf(d2.Item(output, IDC_OUTPUT_SECONDS))));
    again.Command(ID_EXIT);
    EXPECT_EQ(1u, again.WaitForExit());
    ExpectSettings(
        {{L"MISC", L"StopHour", L"99"}, {L"MISC", L"StopMin", L"59"}, {L"MISC", L"StopSec", L"0"}});
}

TEST(PagesGui, SaveAsPromptFolderBrowserAndDefaultName)
{
    // Under the (harness's) music folder, which the browser's tree shows expanded.
    BrowsableFolder out;
    UseConfig(L"[MISC]\r\nTip=0\r\n");
    RunningApp app;
    ASSERT_TRUE(StartApp(app));
    PageDriver d(app);
    app.Command(ID_TOOL_OUTPUT);
    HWND output = d.Page(IDC_OUTPUT_DEST_DIR);
    HWND folder = d.Item(output, IDC_OUTPUT_DEST_DIR);
    HWND name = d.Item(output, IDC_OUTPUT_FILE_NAME);

    // Asking every time: the folder controls close, the free-space line reports drive C,
    // and a cancelled Save As records nothing.
    d.Click(d.Item(output, IDC_OUTPUT_ASK_FOLDER));
    EXPECT_TRUE(d.WaitEnabled(folder, false));
    EXPECT_TRUE(d.WaitEnabled(name, false));
    EXPECT_NE(std::wstring::npos, app.StatusText(1).find(L"drive C")) << Narrow(app.StatusText(1));
    app.Command(ID_RECORD);
    HWND saveAs = d.WaitForPopup(L"Save As");
    ASSERT_NE(nullptr, saveAs);
    EXPECT_TRUE(IsOwnedModal(app, saveAs, app.Window()));
    // No name to start from, and the filter names only the pattern.
    const std::wstring boxTexts = AllTexts(saveAs);
    EXPECT_NE(std::wstring::npos, boxTexts.find(L"\n(*.mp3)\n")) << Narrow(boxTexts);
    EXPECT_EQ(std::wstring::npos, boxTexts.find(L"files (")) << Narrow(boxTexts);
    // The dialog's name field: a combo box, or an edit in the older template.
    auto nameField = [](HWND dialog)
    { return ::GetDlgItem(dialog, 1148) ? ::GetDlgItem(dialog, 1148) : ::GetDlgItem(dialog, 1152); };
    HWND fileName = nameField(saveAs);
    ASSERT_NE(nullptr, fileName);
    EXPECT_EQ(L"", TextOf(fileName));
    ASSERT_TRUE(d.PressButton(saveAs, L"Cancel"));
    ASSERT_TRUE(d.WaitGone(saveAs));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(app.Window()) != FALSE; }, 10000));
    EXPECT_TRUE(::IsWindowEnabled(d.Item(output, IDC_OUTPUT_SAVE_TO)));
    EXPECT_EQ(std::wstring::npos, app.StatusText(1).find(L"Recording:"));

    // Any name the user types is kept, and the list's Format cell says what was recorded.
    app.Command(ID_FORMAT_OGG);
    app.Command(ID_RECORD);
    saveAs = d.WaitForPopup(L"Save As");
    ASSERT_NE(nullptr, saveAs);
    const std::wstring typed = out.Path() + L"foo.txt";
    ::SendMessageW(nameField(saveAs), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
    size_t doneCount = app.LogCount(L"Done.");
    ASSERT_TRUE(d.PressButton(saveAs, L"&Save"));
    ASSERT_TRUE(WaitUntil([&] { return FileSize(typed) > 4096; }, 30000));
    app.Command(ID_STOP);
    ASSERT_TRUE(WaitForRecordingEnd(app, doneCount));
    app.Command(ID_FORMAT_MP3);

    // The fixed folder, chosen with the browser, owned by the main window.
    d.Click(d.Item(output, IDC_OUTPUT_SAVE_TO));
    ASSERT_TRUE(d.WaitEnabled(d.Item(output, IDC_OUTPUT_BROWSE), true));
    d.ClickLater(d.Item(output, IDC_OUTPUT_BROWSE));
    HWND browser = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&]
        {
            HWND top = ::GetForegroundWindow();
            DWORD pid = 0;
            ::GetWindowThreadProcessId(top, &pid);
            browser = pid == app.ProcessId() && top != app.Window() ? top : nullptr;
            return browser != nullptr;
        },
        15000));
    EXPECT_TRUE(IsOwnedModal(app, browser, app.Window()));
    SaveScreenshot(browser, L"pages-folder-browser");
    std::wstring chosen = out.Path();
    chosen.pop_back();
    ASSERT_TRUE(d.SelectFolder(browser, chosen));
    ASSERT_TRUE(d.PressButton(browser, L"OK"));
    ASSERT_TRUE(d.WaitGone(browser));
    EXPECT_EQ(Narrow(chosen), Narrow(TextOf(folder)));

    // An empty name is refused when typed and again at Record.
    // The edit's change handler shows the box: the typing returns once it is answered.
    std::thread typing([&] { d.Type(name, L""); });
    EXPECT_TRUE(DismissMessage(app, d, L"Null Output File Name!", app.Window()));
    typing.join();
    d.Type(name, L"  ");
    EXPECT_EQ(0, d.CountPopups(L"Quillmoth"));
    app.Command(ID_RECORD);
    ASSERT_TRUE(DismissMessage(app, d, L"Null Output File Name!", app.Window()));
    EXPECT_TRUE(::IsWindowEnabled(d.Item(output, IDC_OUTPUT_SAVE_TO)));

    // A typed name records into the chosen folder.
    d.Type(name, L"named");
    const size_t done = app.LogCount(L"Done.");
    app.Command(ID_RECORD);
    const std::wstring path = out.Path() + L"named.mp3";
    ASSERT_TRUE(WaitUntil([&] { return FileSize(path) > 4096; }, 30000));
    app.Command(ID_STOP);
    ASSERT_TRUE(WaitForRecordingEnd(app, done));
    EXPECT_GT(ReadMp3Frames(ReadAll(path)).count, 10);

    app.Command(ID_EXIT);
    EXPECT_EQ(1u, app.WaitForExit());
    EXPECT_EQ("1", Narrow(Setting(L"OUTPUT", L"Loc")));
    EXPECT_EQ(Narrow(out.Path()), Narrow(Setting(L"OUTPUT", L"DesDir")));
    EXPECT_EQ("named", Narrow(Setting(L"OUTPUT", L"Name")));
    std::vector<RecordedFileRow> rows;
    ASSERT_EQ(RecordedFilesFile::Loaded, RecordedFilesFile(DataFile(L"Output.ini").c_str()).Load(rows));
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(L"foo.txt", std::wstring(rows[0].cells[0].GetString()));
    EXPECT_EQ(L"OGG", std::wstring(rows[0].cells[2].GetString()));
    EXPECT_EQ(L"MP3", std::wstring(rows[1].cells[2].GetString()));
}

TEST(PagesGui, EncoderSettingsReachTheMp3AndOggFiles)
{
    TempFolder out;
    UseConfig(
        L"[MISC]\r\nTip=0\r\nStop=1\r\nStopHour=0\r\nStopMin=0\r\nStopSec=1\r\n[OUTPUT]\r\nOutputFormat=2\r\n"
        L"Loc=1\r\nName=enc\r\nDesDir=" +
        out.Path() + L"\r\n");
    RunningApp app;
    ASSERT_TRUE(StartApp(app));
    PageDriver d(app);

    // F5 with the mouse still: the stop time is open as the page shows, with no idle pass
    // to bring it.
    TypeKeys(app.Window(), {VK_F5});
    HWND output = d.Page(IDC_OUTPUT_DEST_DIR);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(output) != FALSE; }, 10000));
    for (int id : {IDC_OUTPUT_HOURS, IDC_OUTPUT_HOURS_SPIN, IDC_OUTPUT_MINUTES, IDC_OUTPUT_MINUTES_SPIN,
                   IDC_OUTPUT_SECONDS, IDC_OUTPUT_SECONDS_SPIN})
        EXPECT_TRUE(d.WaitEnabled(d.Item(output, id), true, 5000)) << id;

    // Cancel stores nothing: the next opening shows the old rows.
    HWND encoder = OpenEncoderSettings(app, d);
    ASSERT_NE(nullptr, encoder);
    EXPECT_TRUE(IsCentredOver(encoder, app.Window()));
    ::SendMessageW(d.Item(encoder, IDC_ENCODER_MP3_BITRATE), CB_SETCURSEL, 7, 0);
    ASSERT_TRUE(d.PressButton(encoder, L"Cancel"));
    ASSERT_TRUE(d.WaitGone(encoder));
    encoder = OpenEncoderSettings(app, d);
    ASSERT_NE(nullptr, encoder);
    EXPECT_EQ(11, d.ComboSelection(d.Item(encoder, IDC_ENCODER_MP3_BITRATE)));
    ChooseEncoderRows(d, encoder, {{IDC_ENCODER_MP3_BITRATE, 7}, {IDC_ENCODER_MP3_MODE, 2}});

    size_t done = app.LogCount(L"Done.");
    app.Command(ID_RECORD);
    ASSERT_TRUE(WaitForRecordingEnd(app, done));
    const Mp3Frames mp3 = ReadMp3Frames(ReadAll(out.Path() + L"enc.mp3"));
    EXPECT_GT(mp3.count, 10);
    EXPECT_EQ(64, mp3.firstKbps);
    EXPECT_EQ(2, mp3.firstMode);     // dual channel
    EXPECT_EQ(44100, mp3.firstRate); // MP3 has 64 kbps at the input's rate
    EXPECT_TRUE(mp3.uniform);
    EXPECT_EQ(L"  MP3:  CBR  64 kbps; 44100 Hz; Dual Channel;", app.StatusText(2));
    // 16 kbps exists only at half the rate: the line says what the file will have.
    encoder = OpenEncoderSettings(app, d);
    ASSERT_NE(nullptr, encoder);
    ChooseEncoderRows(d, encoder, {{IDC_ENCODER_MP3_BITRATE, 1}});
    EXPECT_EQ(L"  MP3:  CBR  16 kbps; 22050 Hz; Dual Channel;", app.StatusText(2));
    encoder = OpenEncoderSettings(app, d);
    ASSERT_NE(nullptr, encoder);
    ChooseEncoderRows(d, encoder, {{IDC_ENCODER_MP3_BITRATE, 7}});

    // OGG quality 0.0, then 0.6: the second file promises the higher bitrate.
    app.Command(ID_FORMAT_OGG);
    int32_t nominal[2] = {0, 0};
    const int rows[2] = {1, 7};
    const wchar_t* files[2] = {L"enc.ogg", L"enc (2).ogg"};
    for (int i = 0; i < 2; ++i)
    {
        encoder = OpenEncoderSettings(app, d);
        ASSERT_NE(nullptr, encoder);
        ChooseEncoderRows(d, encoder, {{IDC_ENCODER_OGG_QUALITY, rows[i]}});
        done = app.LogCount(L"Done.");
        app.Command(ID_RECORD);
        ASSERT_TRUE(WaitForRecordingEnd(app, done));
        nominal[i] = VorbisNominalBitrate(ReadAll(out.Path() + files[i]));
    }
    EXPECT_GT(nominal[0], 0);
    EXPECT_GT(nominal[1], nominal[0]);

    // OK during a recording (started behind the dialog) keeps the dialog and stores nothing.
    d.Click(d.Item(output, IDC_OUTPUT_STOP_MANUALLY));
    encoder = OpenEncoderSettings(app, d);
    ASSERT_NE(nullptr, encoder);
    done = app.LogCount(L"Done.");
    app.Command(ID_RECORD);
    HWND rec = d.Page(IDC_RECORDING_MONO);
    ASSERT_TRUE(d.WaitEnabled(d.Item(rec, IDC_RECORDING_MONO), false));
    ::SendMessageW(d.Item(encoder, IDC_ENCODER_OGG_QUALITY), CB_SETCURSEL, 0, 0);
    ASSERT_TRUE(d.PressButton(encoder, L"OK"));
    ASSERT_TRUE(DismissMessage(app, d, L"You MUST Stop Recording First!", encoder));
    EXPECT_TRUE(::IsWindowVisible(encoder));
    ASSERT_TRUE(d.PressButton(encoder, L"Cancel"));
    ASSERT_TRUE(d.WaitGone(encoder));
    app.Command(ID_STOP);
    ASSERT_TRUE(WaitForRecordingEnd(app, done));

    app.Command(ID_EXIT);
    EXPECT_EQ(1u, app.WaitForExit());
    ExpectSettings(
        {{L"MP3", L"LameBits", L"7"}, {L"MP3", L"LameChannel", L"2"}, {L"OGG", L"QualityCompression", L"6"}});
}

TEST(PagesGui, MiscPageStoresItsChoicesAndResetAllBringsBackTheDefaults)
{
    TempFolder out;
    // An 8-bit file with a folder in the code page; a name outside it typed later.
    const std::wstring cafe = out.Path() + L"Caf\u00e9\\";
    const std::wstring name = L"\u0417\u0430\u043f\u0438\u0441\u044c";
    UseEightBitConfig(
        L"[MISC]\r\nTip=0\r\nWriteLog=1\r\nMinToTray=1\r\nCloseToTray=1\r\nMute=0\r\nAmpDigi=1\r\nActAftRec="
        L"0\r\n"
        L"Stop=1\r\nStopMin=7\r\nLCB=40\r\n[OUTPUT]\r\nLoc=1\r\nName=abc\r\nChan=1\r\nFreq=2\r\nDesDir=" +
        cafe + L"\r\n");
    RunningApp app;
    ASSERT_TRUE(StartApp(app));
    PageDriver d(app);
    app.Command(ID_TOOL_MISC);
    HWND misc = d.Page(IDC_MISC_AFTER_RECORDING);
    HWND after = d.Item(misc, IDC_MISC_AFTER_RECORDING);
    ASSERT_EQ(3, d.ComboCount(after));
    EXPECT_EQ(" Do Nothing", Narrow(d.ComboRow(after, 0)));
    EXPECT_EQ(" Show MessageBox", Narrow(d.ComboRow(after, 1)));
    EXPECT_EQ(" Balloon Notification", Narrow(d.ComboRow(after, 2)));
    EXPECT_EQ(0, d.ComboSelection(after));
    EXPECT_TRUE(d.IsChecked(d.Item(misc, IDC_MISC_MINIMIZE_TO_TRAY)));
    EXPECT_TRUE(d.IsChecked(d.Item(misc, IDC_MISC_CLOSE_TO_TRAY)));
    EXPECT_FALSE(d.IsChecked(d.Item(misc, IDC_MISC_MUTE)));
    EXPECT_TRUE(d.IsChecked(d.Item(misc, IDC_MISC_SHOW_AMPLITUDE)));
    d.Shot(L"pages-misc-idle");

    // While recording: the list and the mute box close; the level read-outs go blank at
    // once when Show Amplitude is cleared, stay blank, and come back when it is ticked.
    size_t done = app.LogCount(L"Done.");
    app.Command(ID_RECORD);
    EXPECT_TRUE(d.WaitEnabled(after, false));
    EXPECT_FALSE(::IsWindowEnabled(d.Item(misc, IDC_MISC_MUTE)));
    EXPECT_FALSE(::IsWindowEnabled(d.Item(misc, IDC_MISC_AFTER_LABEL)));
    EXPECT_TRUE(::IsWindowEnabled(d.Item(misc, IDC_MISC_SHOW_AMPLITUDE)));
    EXPECT_TRUE(::IsWindowEnabled(d.Item(misc, IDC_MISC_CLOSE_TO_TRAY)));
    HWND left = ::GetDlgItem(app.Window(), IDC_MAIN_LEFT_LEVEL);
    HWND right = ::GetDlgItem(app.Window(), IDC_MAIN_RIGHT_LEVEL);
    EXPECT_TRUE(
        WaitUntil([&] { return d.LitSegmentPixels(left) > 0 && d.LitSegmentPixels(right) > 0; }, 15000));
    d.Shot(L"pages-misc-recording");
    d.Click(d.Item(misc, IDC_MISC_SHOW_AMPLITUDE));
    EXPECT_TRUE(
        WaitUntil([&] { return d.LitSegmentPixels(left) == 0 && d.LitSegmentPixels(right) == 0; }, 5000));
    // Progress messages carry levels once a second: three seconds of them change nothing.
    const DWORD since = ::GetTickCount();
    bool stayedBlank = true;
    while (::GetTickCount() - since < 3000)
        stayedBlank = stayedBlank && d.LitSegmentPixels(left) == 0;
    EXPECT_TRUE(stayedBlank);
    d.Click(d.Item(misc, IDC_MISC_SHOW_AMPLITUDE));
    EXPECT_TRUE(WaitUntil([&] { return d.LitSegmentPixels(left) > 0; }, 15000));
    app.Command(ID_STOP);
    ASSERT_TRUE(WaitForRecordingEnd(app, done));
    ASSERT_TRUE(d.WaitEnabled(after, true));

    d.Click(d.Item(misc, IDC_MISC_MUTE));
    d.Click(d.Item(misc, IDC_MISC_MINIMIZE_TO_TRAY));
    d.Click(d.Item(misc, IDC_MISC_CLOSE_TO_TRAY));
    d.Click(d.Item(misc, IDC_MISC_SHOW_AMPLITUDE));
    // In the open list Enter takes the row and Esc closes it; neither ends the window.
    RECT list;
    ::GetWindowRect(after, &list);
    const auto dropped = [&] { return ::SendMessageW(after, CB_GETDROPPEDSTATE, 0, 0) != 0; };
    for (const WORD key : {VK_RETURN, VK_ESCAPE})
    {
        ::SetForegroundWindow(app.Window());
        // Never twice at one spot: that would be a double click.
        POINT at = CentreOf(list);
        at.x += key == VK_RETURN ? -8 : 8;
        ClickAt(at);
        ASSERT_TRUE(WaitUntil(dropped, 10000));
        if (key == VK_RETURN)
            app.PressKeys({VK_DOWN});
        app.PressKeys({key});
        EXPECT_TRUE(WaitUntil([&] { return !dropped(); }, 10000)) << key;
        EXPECT_EQ(1, d.ComboSelection(after)) << key;
        EXPECT_TRUE(::IsWindowVisible(app.Window()));
    }
    ::SetWindowTextW(d.Item(d.Page(IDC_OUTPUT_DEST_DIR), IDC_OUTPUT_FILE_NAME), name.c_str());
    app.Command(ID_EXIT);
    ASSERT_EQ(1u, app.WaitForExit());
    ExpectSettings({{L"MISC", L"Mute", L"1"},
                    {L"MISC", L"MinToTray", L"0"},
                    {L"MISC", L"CloseToTray", L"0"},
                    {L"MISC", L"AmpDigi", L"0"},
                    {L"MISC", L"ActAftRec", L"1"}});
    // The 8-bit file was made UTF-16 before the program wrote to it: both texts survive.
    const std::vector<uint8_t> written = ReadAll(DataFile(L"Config.ini"));
    ASSERT_GE(written.size(), 2u);
    EXPECT_EQ(0xFF, written[0]);
    EXPECT_EQ(0xFE, written[1]);
    EXPECT_EQ(cafe, Setting(L"OUTPUT", L"DesDir"));
    EXPECT_EQ(name, Setting(L"OUTPUT", L"Name"));

    // Reset ALL: No changes nothing; Yes deletes the file and every page shows the defaults.
    RunningApp again;
    ASSERT_TRUE(StartApp(again));
    PageDriver d2(again);
    again.Command(ID_TOOL_OUTPUT);
    HWND output = d2.Page(IDC_OUTPUT_DEST_DIR);
    HWND reset = d2.Item(output, IDC_OUTPUT_RESET_ALL);
    EXPECT_EQ(cafe, TextOf(d2.Item(output, IDC_OUTPUT_DEST_DIR)));
    EXPECT_EQ(name, TextOf(d2.Item(output, IDC_OUTPUT_FILE_NAME)));
    for (const wchar_t* answer : {L"&No", L"&Yes"})
    {
        ASSERT_TRUE(d2.WaitEnabled(reset, true));
        d2.ClickLater(reset);
        HWND box = d2.WaitForPopup(L"Quillmoth");
        ASSERT_NE(nullptr, box);
        EXPECT_EQ("Reset ALL Options, Are You Sure?", Narrow(d2.MessageText(box)));
        EXPECT_TRUE(IsOwnedModal(again, box, again.Window()));
        ASSERT_TRUE(d2.PressButton(box, answer) || d2.PressButton(box, answer + 1)) << Narrow(answer);
        ASSERT_TRUE(d2.WaitGone(box));
        if (answer[1] == L'N')
        {
            EXPECT_TRUE(FileExists(DataFile(L"Config.ini")));
            EXPECT_EQ(name, TextOf(d2.Item(output, IDC_OUTPUT_FILE_NAME)));
        }
    }
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(DataFile(L"Config.ini")); }, 10000));
    EXPECT_TRUE(d2.IsChecked(d2.Item(output, IDC_OUTPUT_STOP_MANUALLY)));
    EXPECT_FALSE(d2.IsChecked(d2.Item(output, IDC_OUTPUT_STOP_AFTER)));
    EXPECT_EQ("0", Narrow(TextOf(d2.Item(output, IDC_OUTPUT_HOURS))));
    EXPECT_EQ("2", Narrow(TextOf(d2.Item(output, IDC_OUTPUT_MINUTES))));
    EXPECT_EQ("30", Narrow(TextOf(d2.Item(output, IDC_OUTPUT_SECONDS))));
    EXPECT_TRUE(d2.IsChecked(d2.Item(output, IDC_OUTPUT_SAVE_TO)));
    EXPECT_EQ("Untitled", Narrow(TextOf(d2.Item(output, IDC_OUTPUT_FILE_NAME))));
    EXPECT_EQ(Narrow(GetDefaultDestDir().GetString()), Narrow(TextOf(d2.Item(output, IDC_OUTPUT_DEST_DIR))));
    d2.Shot(L"pages-output-after-reset");

    HWND misc2 = d2.Page(IDC_MISC_AFTER_RECORDING);
    HWND after2 = d2.Item(misc2, IDC_MISC_AFTER_RECORDING);
    EXPECT_EQ(3, d2.ComboCount(after2));
    EXPECT_EQ(2, d2.ComboSelection(after2));
    EXPECT_TRUE(d2.IsChecked(d2.Item(misc2, IDC_MISC_MUTE)));
    EXPECT_TRUE(d2.IsChecked(d2.Item(misc2, IDC_MISC_SHOW_AMPLITUDE)));
    EXPECT_FALSE(d2.IsChecked(d2.Item(misc2, IDC_MISC_MINIMIZE_TO_TRAY)));
    EXPECT_FALSE(d2.IsChecked(d2.Item(misc2, IDC_MISC_CLOSE_TO_TRAY)));

    HWND log = d2.Page(IDC_LOG_TEXT);
    EXPECT_FALSE(d2.IsChecked(d2.Item(log, IDC_LOG_WRITE_FILE)));

    HWND rec = d2.Page(IDC_RECORDING_MONO);
    EXPECT_TRUE(d2.IsChecked(d2.Item(rec, IDC_RECORDING_STEREO)));
    EXPECT_TRUE(d2.IsChecked(d2.Item(rec, IDC_RECORDING_RATE_44100)));
    EXPECT_FALSE(d2.IsChecked(d2.Item(rec, IDC_RECORDING_RATE_12000)));
    EXPECT_TRUE(d2.IsChecked(d2.Item(rec, IDC_RECORDING_16BIT_SIGNED)));
    const std::wstring format = again.StatusText(2);
    EXPECT_NE(std::wstring::npos, format.find(L"44100 Hz")) << Narrow(format);

    HWND device = d2.Page(IDC_DEVICE_LIST);
    EXPECT_EQ(100, ::SendMessageW(d2.Item(device, IDC_DEVICE_LEFT_BALANCE), TBM_GETPOS, 0, 0));
    EXPECT_EQ(100, ::SendMessageW(d2.Item(device, IDC_DEVICE_RIGHT_BALANCE), TBM_GETPOS, 0, 0));

    // A name and a folder outside the code page survive the file Reset ALL removed.
    const std::wstring folder = out.Path() + L"\u97f3\u697d\\";
    ::SetWindowTextW(d2.Item(output, IDC_OUTPUT_FILE_NAME), name.c_str());
    ::SetWindowTextW(d2.Item(output, IDC_OUTPUT_DEST_DIR), folder.c_str());
    again.Command(ID_EXIT);
    EXPECT_EQ(1u, again.WaitForExit());
    const std::vector<uint8_t> bytes = ReadAll(DataFile(L"Config.ini"));
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(0xFF, bytes[0]);
    EXPECT_EQ(0xFE, bytes[1]);
    ExpectSettings({{L"MISC", L"WriteLog", L"0"}, {L"MISC", L"LCB", L"100"}});
    EXPECT_EQ(name, Setting(L"OUTPUT", L"Name"));
    EXPECT_EQ(folder, Setting(L"OUTPUT", L"DesDir"));
}
