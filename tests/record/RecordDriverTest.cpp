// The recording driver end to end: options, files, headers and the samples themselves.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "../engine/TestFiles.h"
#include "tests/common/DriverRun.h"
#include "harness/SignalMatch.h"

namespace
{
std::string Utf8(const std::wstring& text)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &s[0], n, nullptr, nullptr);
    s.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
    return s;
}

// qmrec.exe from this program's folder, started with its output discarded.
struct RunningDriver
{
    PROCESS_INFORMATION pi{};

    explicit RunningDriver(const std::wstring& arguments)
    {
        const std::wstring exe = DriverPath();
        std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
        SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
        HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                                 OPEN_EXISTING, 0, nullptr);
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = nul;
        si.hStdOutput = nul;
        si.hStdError = nul;
        if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                            &pi))
            pi = PROCESS_INFORMATION{};
        if (nul != INVALID_HANDLE_VALUE)
            CloseHandle(nul);
    }
    ~RunningDriver()
    {
        if (!pi.hProcess)
            return;
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 30000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    RunningDriver(const RunningDriver&) = delete;
    RunningDriver& operator=(const RunningDriver&) = delete;

    bool Running() const { return pi.hProcess && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT; }
};

uint64_t FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

std::wstring Quoted(const std::wstring& folder)
{
    // A trailing backslash would escape the closing quote.
    std::wstring f = folder;
    if (!f.empty() && f.back() == L'\\')
        f.pop_back();
    return L"\"" + f + L"\"";
}
} // namespace

TEST(RecordDriver, TwoSecondsOfTheSignalIntoUntitledThenUntitled2)
{
    TempFolder folder;
    for (const wchar_t* name : {L"Untitled.wav", L"Untitled (2).wav"})
    {
        SCOPED_TRACE(Utf8(name));
        const DriverRun run = RunDriver(L"--seconds 2 --format wav --dir " + Quoted(folder.Path()));
        ASSERT_EQ(run.exitCode, 0u) << run.out << run.err;
        const std::wstring path = folder.Path() + name;
        EXPECT_EQ(run.LastLine(), Utf8(path));
        EXPECT_NE(run.out.find("[note] Automatically stop recording."), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("[info] Done."), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("[status] Recording:  " + Utf8(path)), std::string::npos) << run.out;

        const WavFile wav = ReadWav(path);
        ASSERT_TRUE(wav.valid);
        EXPECT_EQ(wav.riffSize, 36u + 352800u);
        EXPECT_EQ(wav.formatTag, 1);
        EXPECT_EQ(wav.channels, 2);
        EXPECT_EQ(wav.sampleRate, 44100u);
        EXPECT_EQ(wav.byteRate, 176400u);
        EXPECT_EQ(wav.blockAlign, 4);
        EXPECT_EQ(wav.bits, 16);
        EXPECT_EQ(wav.dataSize, 20u * 4410 * 4); // 20 blocks
        EXPECT_EQ(wav.data.size(), wav.dataSize);
        EXPECT_TRUE(IsWholeSignal(wav.Samples16(), wav.channels, 0, 4410));
    }
}

// 8-bit files and 8-bit captures keep the top byte of the signal.
TEST(RecordDriver, EightBitFilesAndCapturesKeepTheTopByte)
{
    TempFolder folder;
    const struct
    {
        const wchar_t* options;
        int bits;
    } cases[] = {{L"--bits 8", 8},
                 {L"--resolution u8", 16},
                 {L"--resolution s8", 16},
                 {L"--resolution u8 --bits 8", 8}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(Utf8(c.options));
        const DriverRun run = RunDriver(L"--seconds 1 " + std::wstring(c.options) + L" --name x --dir " +
                                        Quoted(folder.Path()));
        ASSERT_EQ(run.exitCode, 0u) << run.out << run.err;
        const std::wstring path = folder.Path() + L"x.wav";
        const WavFile wav = ReadWav(path);
        EXPECT_EQ(wav.bits, c.bits);
        EXPECT_EQ(wav.blockAlign, 2 * c.bits / 8);
        EXPECT_EQ(wav.byteRate, 44100u * 2 * c.bits / 8);
        EXPECT_EQ(wav.dataSize, 10u * 4410 * 2 * c.bits / 8);
        EXPECT_TRUE(IsWholeSignal(wav.Samples16(), wav.channels, 8, 4410));
        if (c.bits == 16)
        {
            for (size_t i = 0; i < wav.data.size(); i += 2)
                ASSERT_EQ(wav.data[i], 0) << "an 8-bit capture has no low byte";
        }
        DeleteFileW(path.c_str());
    }
}

TEST(RecordDriver, HeaderFollowsRateChannelsAndWidth)
{
    TempFolder folder;
    const struct
    {
        int rate, channels, bits;
    } cases[] = {{8000, 1, 8}, {22050, 1, 16}, {48000, 2, 16}, {11025, 2, 8}};
    for (const auto& c : cases)
    {
        const std::wstring name = L"r" + std::to_wstring(c.rate) + L"c" + std::to_wstring(c.channels);
        SCOPED_TRACE(Utf8(name));
        const DriverRun run = RunDriver(L"--seconds 1 --rate " + std::to_wstring(c.rate) + L" --channels " +
                                        std::to_wstring(c.channels) + L" --bits " + std::to_wstring(c.bits) +
                                        L" --name " + name + L" --dir " + Quoted(folder.Path()));
        ASSERT_EQ(run.exitCode, 0u) << run.out << run.err;
        const WavFile wav = ReadWav(folder.Path() + name + L".wav");
        const uint32_t bytes = static_cast<uint32_t>(c.bits / 8);
        EXPECT_TRUE(wav.valid);
        EXPECT_EQ(wav.channels, c.channels);
        EXPECT_EQ(wav.sampleRate, static_cast<uint32_t>(c.rate));
        EXPECT_EQ(wav.byteRate, c.rate * c.channels * bytes);
        EXPECT_EQ(wav.blockAlign, c.channels * bytes);
        EXPECT_EQ(wav.bits, c.bits);
        EXPECT_EQ(wav.dataSize, 10 * (c.rate / 10) * c.channels * bytes);
        EXPECT_EQ(wav.riffSize, wav.dataSize + 36);
        EXPECT_EQ(wav.data.size(), wav.dataSize);
    }
}

TEST(RecordDriver, FailuresExitNonZeroWithTheReason)
{
    TempFolder folder;
    const std::wstring dir = L" --dir " + Quoted(folder.Path());
    DriverRun run = RunDriver(L"--rate 12345" + dir);
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_NE(run.err.find("unsupported sampling rate 12345"), std::string::npos) << run.err;

    run = RunDriver(L"--seconds 1 --device 99" + dir);
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_NE(run.err.find("qmrec: there is no device 99"), std::string::npos) << run.err;

    run = RunDriver(L"--help");
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(run.out.find("usage: qmrec"), 0u) << run.out;
    EXPECT_EQ(run.err, "");

    run = RunDriver(L"--seconds 360000" + dir); // past 99:59:59
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_NE(run.err.find("bad option --seconds 360000"), std::string::npos) << run.err;

    run = RunDriver(L"--format flac" + dir);
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_NE(run.err.find("bad option --format flac"), std::string::npos) << run.err;

    ASSERT_TRUE(WriteAll(folder.Path() + L"file", {}));
    run = RunDriver(L"--seconds 1 --dir " + Quoted(folder.Path() + L"file\\sub"));
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_NE(run.err.find("Fail to create folder "), std::string::npos) << run.out << run.err;
    EXPECT_FALSE(FileExists(folder.Path() + L"Untitled.wav"));
}

TEST(RecordDriver, ListsTheDevicesWithTheirFormats)
{
    const DriverRun run = RunDriver(L"--list");
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_NE(run.out.find("Monitor of Null Output"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("[default input]"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("s16 stereo    yes"), std::string::npos) << run.out;
}

// A process killed mid-way leaves a WAV file whose header holds the audio up to its last
// second, and that audio is the signal.
TEST(RecordDriver, AKilledRecordingPlaysUpToItsLastSecond)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"killed.wav";
    const uint64_t second = 176400; // 44100 Hz, 16-bit stereo
    {
        RunningDriver driver(L"--seconds 20 --name killed --dir " + Quoted(folder.Path()));
        ASSERT_NE(driver.pi.hProcess, nullptr);
        const DWORD start = GetTickCount();
        while (driver.Running() && FileSize(path) < 44 + 3 * second && GetTickCount() - start < 60000)
            Sleep(20);
        ASSERT_TRUE(driver.Running()) << "the recording ended before it was killed";
        ASSERT_TRUE(TerminateProcess(driver.pi.hProcess, 1));
        ASSERT_EQ(WaitForSingleObject(driver.pi.hProcess, 30000), WAIT_OBJECT_0);
    }
    WavFile wav = ReadWav(path);
    ASSERT_TRUE(wav.valid);
    const uint64_t onDisk = wav.data.size();
    EXPECT_GE(onDisk, 3 * second);
    EXPECT_EQ(wav.dataSize % 4, 0u);
    EXPECT_EQ(wav.riffSize, wav.dataSize + 36);
    EXPECT_LE(wav.dataSize, onDisk);
    // At most a second and one chunk of 2048 samples behind the data.
    EXPECT_GE(wav.dataSize + second + 8192, onDisk);
    EXPECT_GE(wav.dataSize, second);
    wav.data.resize(wav.dataSize);
    EXPECT_TRUE(IsWholeSignal(wav.Samples16(), wav.channels, 0, 4410));
}
