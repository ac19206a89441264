// Recordings from the harness's capture source through the whole engine.
#include <gtest/gtest.h>

#include <algorithm>

#include <atomic>
#include <unordered_set>

#include "TestFiles.h"
#include "TestRecorder.h"
#include "engine/AudioLibrary.h"
#include "harness/SignalMatch.h"

namespace
{
const uint32_t kBlockBytes = 4410 * 2 * 2; // 100 ms of 44100 Hz 16-bit stereo
// Waits for a condition: generous, since a loaded machine may be slow to get there.
const DWORD kTimeout = 60000;

class RecordingSessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(audio.GetError(), paNoError);
        device = Pa_GetDefaultInputDevice();
        ASSERT_NE(device, paNoDevice);
        formats.ProbeInputFormats(device);
        formats.ResetFormatCapabilities();
        settings.nOutputFormat = FORMAT_WAV;
        settings.strDestDir = folder.Path().c_str();
    }

    void AutoStopAfter(int seconds)
    {
        settings.bAutoStop = 1;
        settings.nStopHour = 0;
        settings.nStopMinute = 0;
        settings.nStopSecond = static_cast<int16_t>(seconds);
    }

    std::wstring InFolder(const wchar_t* name) const { return folder.Path() + name; }

    AudioLibrary audio;
    TempFolder folder;
    FormatSupportTable formats;
    RecorderSettings settings;
    int device = paNoDevice;
};

// Stand-ins for the capture loop's calls on the stream: the real read with its result
// changed in chosen blocks, a read that never returns, a device that goes silent.
std::atomic<unsigned long> g_frames{0};
HANDLE g_stall = nullptr;
std::atomic<bool> g_inStall{false};
unsigned long g_silentAfter = 0; // frames

PaError OverflowThenFail(PaStream* stream, void* buffer, unsigned long frames)
{
    const PaError error = Pa_ReadStream(stream, buffer, frames);
    const unsigned long block = g_frames / 4410 + 1; // the block this piece goes to
    g_frames += frames;
    return block == 2 ? paInputOverflowed : block == 5 ? paInternalError : error;
}

PaError CountedRead(PaStream* stream, void* buffer, unsigned long frames)
{
    g_frames += frames;
    return Pa_ReadStream(stream, buffer, frames);
}

signed long GoesSilent(PaStream* stream)
{
    const signed long available = Pa_GetStreamReadAvailable(stream);
    const unsigned long left = g_frames < g_silentAfter ? g_silentAfter - g_frames : 0;
    return available < 0 || static_cast<unsigned long>(available) < left ? available
                                                                         : static_cast<signed long>(left);
}

PaError Stall(PaStream*, void*, unsigned long)
{
    g_inStall = true;
    WaitForSingleObject(g_stall, INFINITE);
    return paInternalError;
}

BlockReader::Calls WithRead(BlockReader::ReadFn read, BlockReader::AvailableFn available = nullptr)
{
    BlockReader::Calls calls;
    calls.read = read;
    if (available)
        calls.available = available;
    return calls;
}

// The harness's second source: every frame tells its position in a loop of 60 s.
const int64_t kClockFrames = 60 * 44100;
int64_t ClockPosition(int16_t left, int16_t right)
{
    return (left + 32768) + static_cast<int64_t>((right + 16000) / 1000) * 65536;
}

bool HasLogStartingWith(const TestRecorder& rec, const std::wstring& start, int level, int* count = nullptr)
{
    int n = 0;
    for (const auto& l : rec.logs)
        n += l.level == level && l.text.compare(0, start.size(), start) == 0;
    if (count)
        *count = n;
    return n > 0;
}
} // namespace

TEST_F(RecordingSessionTest, AutomaticStopLeavesTheSignalInUniquelyNamedFiles)
{
    AutoStopAfter(1);
    TestRecorder rec;
    ASSERT_TRUE(rec.Session().Record(settings, formats, device));
    ASSERT_TRUE(rec.RunUntilEnded(kTimeout)) << rec.Dump();
    const std::wstring path = InFolder(L"Untitled.wav");
    EXPECT_EQ(rec.Session().GetOutputPath(), path.c_str());

    const WavFile wav = ReadWav(path);
    ASSERT_TRUE(wav.valid);
    EXPECT_EQ(wav.channels, 2);
    EXPECT_EQ(wav.sampleRate, 44100u);
    EXPECT_EQ(wav.bits, 16);
    EXPECT_EQ(wav.dataSize, 10 * kBlockBytes);
    EXPECT_EQ(wav.data.size(), wav.dataSize);
    EXPECT_TRUE(IsWholeSignal(wav.Samples16(), 2));

    EXPECT_EQ(rec.Session().GetBlockCount(), 10);
    EXPECT_TRUE(rec.Session().IsAutoStopped());
    EXPECT_FALSE(rec.Session().IsRecording());
    ASSERT_EQ(rec.outcomes.size(), 1u);
    EXPECT_EQ(rec.outcomes[0].result, RecordingOutcome::kComplete);
    EXPECT_EQ(rec.outcomes[0].samplesOnDisk, 10 * 4410 * 2);
    EXPECT_EQ(rec.resets, 1);
    EXPECT_TRUE(rec.threadEnds.empty());
    EXPECT_EQ(rec.progress, 10);      // one per block read
    EXPECT_EQ(rec.progressCopies, 1); // the 10th carries the levels
    EXPECT_EQ(rec.lastCopySize, 4410 * 2);
    ASSERT_EQ(rec.logs.size(), 2u) << rec.Dump();
    EXPECT_TRUE(rec.HasLog(L"Automatically stop recording.", LOG_NOTE));
    EXPECT_EQ(rec.logs.back().text, L"Done.");
    EXPECT_EQ(rec.logs.back().level, LOG_INFO);
    EXPECT_EQ(rec.statusTexts, std::vector<std::wstring>{L"Recording:  " + path});
    EXPECT_FALSE(rec.wrongThreadStatus);
    EXPECT_EQ(rec.states, std::vector<bool>{false});

    ASSERT_TRUE(rec.Session().Record(settings, formats, device));
    ASSERT_TRUE(rec.RunUntilEnded(kTimeout)) << rec.Dump();
    EXPECT_EQ(rec.Session().GetOutputPath(), InFolder(L"Untitled (2).wav").c_str());
    EXPECT_EQ(ReadWav(InFolder(L"Untitled (2).wav")).dataSize, 10 * kBlockBytes);
}

TEST_F(RecordingSessionTest, PausedBlocksCountTowardTheAutomaticStop)
{
    AutoStopAfter(2);
    TestRecorder rec;
    ASSERT_TRUE(rec.Session().Record(settings, formats, device));
    const std::wstring path = rec.Session().GetOutputPath().GetString();
    ASSERT_TRUE(rec.RunUntil([&] { return rec.Session().GetBlockCount() >= 3; }, kTimeout));
    rec.Session().OnPauseResume();
    EXPECT_TRUE(rec.Session().IsPaused());
    const int pausedAt = rec.Session().GetBlockCount();
    ASSERT_TRUE(rec.RunUntil([&] { return rec.Session().GetBlockCount() >= pausedAt + 3; }, kTimeout));
    rec.Session().OnPauseResume();
    ASSERT_TRUE(rec.RunUntilEnded(kTimeout)) << rec.Dump();

    EXPECT_EQ(rec.Session().GetBlockCount(), 20);
    EXPECT_TRUE(rec.Session().IsAutoStopped());
    // Blocks read are the blocks written; the paused ones only count time (at most one
    // block may be in flight when the pause is set).
    EXPECT_GE(rec.progress, 3);
    EXPECT_LE(rec.progress, 18);
    const WavFile wav = ReadWav(path);
    EXPECT_EQ(wav.dataSize, static_cast<uint32_t>(rec.progress) * kBlockBytes);
    EXPECT_TRUE(rec.HasLog(L"Recording manually paused:  " + path, LOG_NOTE));
    EXPECT_TRUE(rec.HasLog(L"Manually resumed recording:  " + path, LOG_NOTE));
    EXPECT_EQ(rec.states, (std::vector<bool>{false, true, false}));
    ASSERT_EQ(rec.statusTexts.size(), 3u);
    EXPECT_EQ(rec.statusTexts[1], L"Recording Manually Paused:  " + path);
    EXPECT_EQ(rec.statusTexts[2], L"Recording:  " + path);

    // Pause/Resume does nothing once the recording is over.
    rec.Session().OnPauseResume();
    EXPECT_FALSE(rec.Session().IsPaused());
}

// After Resume the file goes on with what came after Resume: one jump per pause, at least
// as long as the pause, and nothing of the pause itself.
TEST_F(RecordingSessionTest, NothingCapturedWhilePausedReachesTheFile)
{
    int clock = paNoDevice;
    for (int i = 0; i < Pa_GetDeviceCount() && clock == paNoDevice; ++i)
        if (Pa_GetDeviceInfo(i)->maxInputChannels > 0 &&
            std::string(Pa_GetDeviceInfo(i)->name).find("Monitor of Clock Output") != std::string::npos)
            clock = i;
    ASSERT_NE(clock, paNoDevice);
    formats.ProbeInputFormats(clock);
    formats.ResetFormatCapabilities();

    TestRecorder rec;
    ASSERT_TRUE(rec.Session().Record(settings, formats, clock));
    std::vector<DWORD> paused;
    for (DWORD pause : {500u, 2000u})
    {
        const int before = rec.progress;
        ASSERT_TRUE(rec.RunUntil([&] { return rec.progress >= before + 8; }, kTimeout)) << rec.Dump();
        rec.Session().OnPauseResume();
        const DWORD start = GetTickCount();
        rec.RunUntil([&] { return GetTickCount() - start >= pause; }, kTimeout); // the pause itself
        paused.push_back(GetTickCount() - start);
        rec.Session().OnPauseResume();
    }
    const int before = rec.progress;
    ASSERT_TRUE(rec.RunUntil([&] { return rec.progress >= before + 8; }, kTimeout)) << rec.Dump();
    rec.Session().OnStop();
    ASSERT_TRUE(rec.RunUntilEnded(kTimeout)) << rec.Dump();

    const std::vector<int16_t> samples = ReadWav(rec.Session().GetOutputPath().GetString()).Samples16();
    size_t first = 0; // the device may start with silence
    while (first + 3 < samples.size() && samples[first] == 0 && samples[first + 1] == 0 &&
           samples[first + 2] == 0 && samples[first + 3] == 0)
        first += 2;
    std::vector<int64_t> jumps;
    std::string seams;
    for (size_t i = first + 2; i + 1 < samples.size(); i += 2)
    {
        ASSERT_EQ((samples[i + 1] + 16000) % 1000, 0) << "not a clock frame at sample " << i;
        const int64_t step =
            ((ClockPosition(samples[i], samples[i + 1]) - ClockPosition(samples[i - 2], samples[i - 1])) %
                 kClockFrames +
             kClockFrames) %
            kClockFrames;
        if (step != 1)
        {
            jumps.push_back(step);
            seams += " " + std::to_string(step) + " frames at frame " + std::to_string((i - first) / 2) + ";";
        }
    }
    ASSERT_EQ(jumps.size(), paused.size()) << "jumps:" << seams;
    for (size_t p = 0; p < paused.size(); ++p)
    {
        // The last block before the pause may end up to 100 ms after Pause was pressed.
        EXPECT_GE(jumps[p], static_cast<int64_t>(paused[p] - 250) * 44100 / 1000) << "pause " << p;
        EXPECT_LE(jumps[p], static_cast<int64_t>(paused[p] + 1500) * 44100 / 1000) << "pause " << p;
    }
}

TEST_F(RecordingSessionTest, StopEndsARecordingThatAZeroLimitNeverEnds)
{
    AutoStopAfter(0);
    TestRecorder rec;
    ASSERT_TRUE(rec.Session().Record(settings, formats, device));
    ASSERT_TRUE(rec.RunUntil([&] { return rec.progress >= 12; }, kTimeout)) << rec.Dump();
    EXPECT_TRUE(rec.Session().IsRecording());
    rec.Session().OnStop();
    ASSERT_TRUE(rec.RunUntilEnded(kTimeout)) << rec.Dump();
    EXPECT_FALSE(rec.Session().IsAutoStopped());
    EXPECT_FALSE(rec.HasLog(L"Automatically stop recording.", LOG_NOTE));
    const WavFile wav = ReadWav(rec.Session().GetOutputPath().GetString());
    EXPECT_EQ(wav.dataSize, static_cast<uint32_t>(rec.progress) * kBlockBytes);
    EXPECT_EQ(wav.data.size(), wav.dataSize);
    EXPECT_GE(rec.progress, 12);
}

TEST_F(RecordingSessionTest, RefusesSettingsOutsideTheirRanges)
{
    TestRecorder rec;
    const RecorderSettings good = settings;
    auto refused = [&](void (*change)(RecorderSettings&))
    {
        RecorderSettings s = good;
        change(s);
        rec.logs.clear();
        EXPECT_FALSE(rec.Session().Record(s, formats, device));
        rec.RunFor(20);
        EXPECT_FALSE(rec.Session().IsRecording());
        ASSERT_EQ(rec.logs.size(), 1u) << rec.Dump();
        EXPECT_EQ(rec.logs[0].level, LOG_WARNING);
        EXPECT_EQ(rec.logs[0].text,
                  L"The recording settings are out of range (sampling rate, channels, resolution, "
                  L"output format or balance)!");
    };
    refused([](RecorderSettings& s) { s.nSampleRateIndex = 12; });
    refused([](RecorderSettings& s) { s.nSampleRateIndex = -1; });
    refused([](RecorderSettings& s) { s.nChannels = 0; });
    refused([](RecorderSettings& s) { s.nChannels = 3; });
    refused([](RecorderSettings& s) { s.nResolution = 3; });
    refused([](RecorderSettings& s) { s.nResolution = -1; });
    refused([](RecorderSettings& s) { s.nOutputFormat = 0; });
    refused([](RecorderSettings& s) { s.nOutputFormat = 4; });
    refused([](RecorderSettings& s) { s.nLeftBalance = 101; });
    refused([](RecorderSettings& s) { s.nRightBalance = -1; });

    FormatSupportTable noDevice = formats;
    noDevice.m_deviceSupport[FormatSupportTable::CellIndex(2, 2, 7)] = 0;
    RecorderSettings s = good;
    EXPECT_FALSE(rec.Session().Record(s, noDevice, device));
    EXPECT_TRUE(rec.HasLog(L"The sound device does not support the parameters you chose!", LOG_WARNING));
    FormatSupportTable noEncoder = formats;
    noEncoder.m_encoderSupport[FormatSupportTable::CellIndex(2, 2, 7)] = 0;
    EXPECT_FALSE(rec.Session().Record(s, noEncoder, device));
    EXPECT_TRUE(rec.HasLog(L"The encoder does not support the parameters you chose!", LOG_WARNING));

    // A cancelled save dialog changes nothing and says nothing.
    rec.logs.clear();
    s.nSaveLocation = 0;
    EXPECT_FALSE(rec.Session().Record(s, formats, device));
    EXPECT_TRUE(rec.logs.empty());
    EXPECT_TRUE(rec.states.empty());

    // A folder that cannot be made.
    s = good;
    s.strDestDir = (folder.Path() + std::wstring(300, L'x') + L"\\").c_str();
    EXPECT_FALSE(rec.Session().Record(s, formats, device));
    rec.RunFor(50);
    EXPECT_TRUE(HasLogStartingWith(rec, L"Fail to create folder ", LOG_WARNING)) << rec.Dump();
    EXPECT_TRUE(rec.logs.back().text.size() > 3 &&
                rec.logs.back().text.substr(rec.logs.back().text.size() - 3) == L" !!");
    EXPECT_TRUE(rec.statusTexts.empty());

    // A file where the folder should be is a folder that cannot be made.
    ASSERT_TRUE(WriteAll(InFolder(L"taken"), {1}));
    s.strDestDir = InFolder(L"taken\\").c_str();
    rec.logs.clear();
    EXPECT_FALSE(rec.Session().Record(s, formats, device));
    rec.RunFor(50);
    EXPECT_TRUE(rec.HasLog(L"Fail to create folder " + InFolder(L"taken") + L" !!", LOG_WARNING))
        << rec.Dump();
    EXPECT_EQ(ReadAll(InFolder(L"taken")).size(), 1u);
}

TEST_F(RecordingSessionTest, RecordWaitsForThePreviousRecordingAndWorksOnACopy)
{
    TestRecorder rec;
    ASSERT_TRUE(rec.Session().Record(settings, formats, device));
    rec.Session().OnStop();
    // The old writer is still draining: a new recording would reset the ring under it.
    ASSERT_FALSE(rec.Session().Record(settings, formats, device));
    EXPECT_TRUE(rec.HasLog(L"The previous recording is still being finished. Please try again in a moment.",
                           LOG_WARNING));
    ASSERT_TRUE(rec.RunUntilEnded(kTimeout)) << rec.Dump();

    AutoStopAfter(1);
    settings.strFileName = L" take<1> ";
    ASSERT_TRUE(rec.Session().Record(settings, formats, device));
    EXPECT_EQ(settings.strFileName, L"take_1_"); // kept cleaned
    // The pages may change the settings during a recording: the workers do not see it.
    settings.nChannels = 1;
    settings.nSampleRateIndex = 0;
    settings.nWavSubFormat = 0;
    settings.nStopSecond = 5;
    settings.nLeftBalance = 0;
    ASSERT_TRUE(rec.RunUntilEnded(kTimeout)) << rec.Dump();
    const WavFile wav = ReadWav(InFolder(L"take_1_.wav"));
    EXPECT_EQ(wav.channels, 2);
    EXPECT_EQ(wav.sampleRate, 44100u);
    EXPECT_EQ(wav.bits, 16);
    EXPECT_EQ(wav.dataSize, 10 * kBlockBytes);
    EXPECT_TRUE(IsWholeSignal(wav.Samples16(), 2));
}

TEST_F(RecordingSessionTest, AStreamThatCannotOpenEndsTheRecording)
{
    for (auto& cell : formats.m_deviceSupport)
        cell = 1;
    int outputOnly = paNoDevice;
    for (int i = 0; i < Pa_GetDeviceCount(); ++i)
        if (Pa_GetDeviceInfo(i)->maxInputChannels == 0)
            outputOnly = i;
    ASSERT_NE(outputOnly, paNoDevice);

    const struct
    {
        int device;
        PaError error;
    } cases[] = {{9999, paInvalidDevice}, {outputOnly, paInvalidChannelCount}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.device);
        TestRecorder rec;
        ASSERT_TRUE(rec.Session().Record(settings, formats, c.device));
        ASSERT_TRUE(rec.RunUntilEnded(kTimeout)) << rec.Dump();
        EXPECT_TRUE(rec.HasLog(L"Fail to open input stream.", LOG_WARNING)) << rec.Dump();
        EXPECT_TRUE(rec.HasLog(AudioLibrary::ErrorText(c.error).GetString(), LOG_WARNING)) << rec.Dump();
        EXPECT_EQ(rec.threadEnds, std::vector<int>{1});
        EXPECT_FALSE(HasLogStartingWith(rec, L"A recording thread did not end", LOG_ERROR));
        // The normal end still ran: an empty file, the list and reset messages, "Done.".
        ASSERT_EQ(rec.outcomes.size(), 1u);
        EXPECT_EQ(rec.outcomes[0].result, RecordingOutcome::kReadFailed);
        EXPECT_EQ(rec.outcomes[0].samplesOnDisk, 0);
        EXPECT_EQ(rec.resets, 1);
        EXPECT_TRUE(rec.HasLog(L"Done.", LOG_INFO));
        EXPECT_EQ(ReadAll(rec.Session().GetOutputPath().GetString()).size(), 44u);
        EXPECT_EQ(rec.Session().GetBlockCount(), 0);
        EXPECT_TRUE(DeleteFileW(rec.Session().GetOutputPath()));
    }
}

// The window's handler for a worker failure waits for the workers while they wait for
// the window (the writer sends its last two messages).
TEST_F(RecordingSessionTest, WorkerFailureHandlingWaitsWithoutDeadlock)
{
    TestRecorder rec;
    ASSERT_TRUE(rec.Session().Record(settings, formats, device));
    ASSERT_TRUE(rec.RunUntil([&] { return rec.progress >= 2; }, kTimeout)) << rec.Dump();
    // Record while recording does nothing.
    EXPECT_FALSE(rec.Session().Record(settings, formats, device));
    EXPECT_TRUE(rec.logs.empty()) << rec.Dump();
    // A deadlock would end in the last resort, which logs that a thread was terminated.
    const unsigned first = rec.Session().GetRecordingNumber();
    EXPECT_TRUE(rec.Session().OnRecThreadEnd(first));
    EXPECT_TRUE(rec.Session().HasEnded());
    ASSERT_EQ(rec.outcomes.size(), 1u); // handled during the wait
    EXPECT_EQ(rec.outcomes[0].result, RecordingOutcome::kComplete);
    EXPECT_EQ(rec.resets, 1);
    EXPECT_TRUE(rec.RunUntil([&] { return rec.HasLog(L"Done.", LOG_INFO); }, kTimeout));
    EXPECT_FALSE(HasLogStartingWith(rec, L"A recording thread did not end", LOG_ERROR)) << rec.Dump();

    // The failure message of the first recording, come late, leaves the next one alone.
    ASSERT_TRUE(rec.Session().Record(settings, formats, device));
    EXPECT_NE(rec.Session().GetRecordingNumber(), first);
    ASSERT_TRUE(PostMessageW(rec.GetSafeHwnd(), WM_REC_THREAD_END, 1, static_cast<LPARAM>(first)));
    ASSERT_TRUE(rec.RunUntil([&] { return !rec.threadEnds.empty(); }, kTimeout));
    EXPECT_TRUE(rec.Session().IsRecording());
    const int progress = rec.progress;
    EXPECT_TRUE(rec.RunUntil([&] { return rec.progress >= progress + 2; }, kTimeout)) << rec.Dump();
    rec.Session().OnStop();
    EXPECT_TRUE(rec.RunUntilEnded(kTimeout)) << rec.Dump();
    EXPECT_EQ(rec.outcomes.size(), 2u);
    const WavFile wav = ReadWav(rec.Session().GetOutputPath().GetString());
    EXPECT_EQ(wav.data.size(), wav.dataSize);
    EXPECT_GT(wav.dataSize, 0u);
}

// The writer says why and gives up before the audio: the normal end runs with nothing to list.
TEST_F(RecordingSessionTest, AFileThatCannotBeCreatedEndsTheRecording)
{
    TestRecorder rec;
    settings.nSaveLocation = 0;
    rec.promptPath = InFolder(L"missing\\x.wav");
    ASSERT_TRUE(rec.Session().Record(settings, formats, device));
    ASSERT_TRUE(rec.RunUntilEnded(kTimeout)) << rec.Dump();
    // The headline, then the system's reason on a line of its own.
    const std::wstring headline = L"Error creating file " + rec.promptPath;
    const auto line =
        std::find_if(rec.logs.begin(), rec.logs.end(), [&](const LogLine& l) { return l.text == headline; });
    ASSERT_NE(line, rec.logs.end()) << rec.Dump();
    EXPECT_EQ(line->level, LOG_WARNING);
    ASSERT_NE(line + 1, rec.logs.end()) << rec.Dump();
    EXPECT_EQ(line[1].text, L"The file " + rec.promptPath + L" has an invalid path.") << rec.Dump();
    EXPECT_EQ(line[1].level, LOG_WARNING);
    EXPECT_FALSE(rec.HasLog(L"An error occurred while encoding.", LOG_ERROR));
    EXPECT_TRUE(rec.threadEnds.empty());
    ASSERT_EQ(rec.outcomes.size(), 1u);
    EXPECT_EQ(rec.outcomes[0].result, RecordingOutcome::kCancelled);
    EXPECT_EQ(rec.resets, 1);
    EXPECT_TRUE(rec.HasLog(L"Done.", LOG_INFO));
    EXPECT_FALSE(HasLogStartingWith(rec, L"A recording thread did not end", LOG_ERROR)) << rec.Dump();
    EXPECT_FALSE(rec.Session().IsRecording());
}

TEST_F(RecordingSessionTest, OverflowDropsWholeFramesAndWarnsOnce)
{
    RecordingSession::Limits limits;
    limits.ringSamples = 3001; // an odd free count with stereo frames
    TestRecorder rec(limits);
    AutoStopAfter(1);
    ASSERT_TRUE(rec.Session().Record(settings, formats, device));
    ASSERT_TRUE(rec.RunUntilEnded(kTimeout)) << rec.Dump();
    int warnings = 0;
    EXPECT_TRUE(HasLogStartingWith(rec, L"The encoder could not keep up: ", LOG_WARNING, &warnings))
        << rec.Dump();
    EXPECT_EQ(warnings, 1);

    const WavFile wav = ReadWav(rec.Session().GetOutputPath().GetString());
    EXPECT_LT(wav.dataSize, 10 * kBlockBytes);
    EXPECT_EQ(wav.dataSize % 4, 0u);
    // With gaps the stream no longer matches in one piece, but every frame is still a
    // frame of the signal, left and right in place.
    std::wstring error;
    const std::vector<int16_t> signal = LoadHarnessSignal(&error);
    ASSERT_FALSE(signal.empty());
    std::unordered_set<uint32_t> pairs;
    for (size_t i = 0; i + 1 < signal.size(); i += 2)
        pairs.insert(static_cast<uint16_t>(signal[i]) << 16 | static_cast<uint16_t>(signal[i + 1]));
    const std::vector<int16_t> samples = wav.Samples16();
    size_t foreign = 0, sounding = 0;
    for (size_t i = 0; i + 1 < samples.size(); i += 2)
    {
        if (samples[i] == 0 && samples[i + 1] == 0)
            continue;
        ++sounding;
        foreign +=
            !pairs.count(static_cast<uint16_t>(samples[i]) << 16 | static_cast<uint16_t>(samples[i + 1]));
    }
    EXPECT_GT(sounding, 1000u);
    EXPECT_EQ(foreign, 0u);
}

TEST_F(RecordingSessionTest, TheWavSizeLimitStopsTheRecordingWithACorrectHeader)
{
    RecordingSession::Limits limits;
    limits.wavDataBytes = 40000;
    TestRecorder rec(limits);
    AutoStopAfter(3);
    ASSERT_TRUE(rec.Session().Record(settings, formats, device));
    ASSERT_TRUE(rec.RunUntilEnded(kTimeout)) << rec.Dump();
    int warnings = 0;
    EXPECT_TRUE(HasLogStartingWith(rec, L"The WAV file has reached its size limit", LOG_WARNING, &warnings));
    EXPECT_EQ(warnings, 1);
    EXPECT_FALSE(rec.Session().IsAutoStopped());
    EXPECT_LT(rec.Session().GetBlockCount(), 25);
    const WavFile wav = ReadWav(rec.Session().GetOutputPath().GetString());
    EXPECT_EQ(wav.dataSize, 40000u);
    EXPECT_EQ(wav.riffSize, 40036u);
    EXPECT_EQ(wav.data.size(), 40000u);
    ASSERT_EQ(rec.outcomes.size(), 1u);
    EXPECT_EQ(rec.outcomes[0].result, RecordingOutcome::kComplete);
    EXPECT_EQ(rec.outcomes[0].samplesOnDisk, 20000);
}

// At 8000 Hz the level copy holds the block twice; mono blocks are not balanced.
TEST_F(RecordingSessionTest, EightKilohertzMonoBlocksAndTheirLevelCopy)
{
    AutoStopAfter(1);
    settings.nSampleRateIndex = 0;
    settings.nChannels = 1;
    settings.nLeftBalance = 0; // stereo only
    TestRecorder rec;
    ASSERT_TRUE(rec.Session().Record(settings, formats, device));
    ASSERT_TRUE(rec.RunUntilEnded(kTimeout)) << rec.Dump();
    EXPECT_EQ(rec.Session().GetBlockFrames(), 800);
    EXPECT_EQ(rec.progressCopies, 1);
    EXPECT_EQ(rec.lastCopySize, 1600);
    const WavFile wav = ReadWav(rec.Session().GetOutputPath().GetString());
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.sampleRate, 8000u);
    EXPECT_EQ(wav.dataSize, 10u * 800 * 2);
    size_t sounding = 0;
    for (int16_t v : wav.Samples16())
        sounding += v != 0;
    EXPECT_GT(sounding, 4000u);
}

// An overflow loses input before a block but not the block; any other read error ends
// the recording with its text, and the normal end still runs.
TEST_F(RecordingSessionTest, ReadErrorsOtherThanOverflowEndTheRecording)
{
    TestRecorder rec;
    g_frames = 0;
    rec.Session().SetStreamCalls(WithRead(OverflowThenFail));
    ASSERT_TRUE(rec.Session().Record(settings, formats, device));
    ASSERT_TRUE(rec.RunUntilEnded(kTimeout)) << rec.Dump();
    EXPECT_TRUE(rec.HasLog(L"Fail to read input stream.", LOG_ERROR)) << rec.Dump();
    // The overflow is told once, in the recording's one warning of lost input.
    EXPECT_TRUE(rec.HasLog(L"The input device overflowed once: input was lost.", LOG_WARNING)) << rec.Dump();
    EXPECT_TRUE(rec.HasLog(AudioLibrary::ErrorText(paInternalError).GetString(), LOG_ERROR)) << rec.Dump();
    EXPECT_EQ(rec.threadEnds, std::vector<int>{1});
    ASSERT_EQ(rec.outcomes.size(), 1u);
    EXPECT_EQ(rec.outcomes[0].result, RecordingOutcome::kReadFailed);
    EXPECT_EQ(rec.outcomes[0].samplesOnDisk, 4 * 4410 * 2);
    EXPECT_EQ(rec.resets, 1);
    EXPECT_EQ(rec.Session().GetBlockCount(), 4);
    EXPECT_EQ(ReadWav(rec.Session().GetOutputPath().GetString()).dataSize, 4 * kBlockBytes);
}

// A device that stops delivering (unplugged) ends the recording as a failed read does,
// with everything that came before in the file; Stop answers at once meanwhile.
TEST_F(RecordingSessionTest, ADeviceThatGoesSilentEndsTheRecording)
{
    RecordingSession::Limits limits;
    limits.silenceMs = 2000;
    {
        TestRecorder rec(limits);
        g_frames = 0;
        g_silentAfter = 3 * 4410;
        rec.Session().SetStreamCalls(WithRead(CountedRead, GoesSilent));
        // The finished message is sent, so it overtakes posted lines: held at the headline
        // until it waits, the detail must still follow the headline and come before it.
        rec.onWorkerLog = [](const CString& text)
        {
            const DWORD start = GetTickCount();
            while (text == L"Fail to read input stream." && !(HIWORD(GetQueueStatus(QS_SENDMESSAGE))) &&
                   GetTickCount() - start < kTimeout)
                Sleep(1);
        };
        ASSERT_TRUE(rec.Session().Record(settings, formats, device));
        ASSERT_TRUE(rec.RunUntilEnded(kTimeout)) << rec.Dump();
        const auto headline =
            std::find_if(rec.logs.begin(), rec.logs.end(),
                         [](const LogLine& line) { return line.text == L"Fail to read input stream."; });
        ASSERT_LT(headline + 1, rec.logs.end()) << rec.Dump();
        EXPECT_EQ(headline[0].level, LOG_ERROR);
        EXPECT_EQ(headline[1].text, L"No audio has come from the input device for 2 seconds.") << rec.Dump();
        EXPECT_EQ(headline[1].level, LOG_ERROR);
        EXPECT_GE(rec.logsAtFinish, static_cast<size_t>(headline + 2 - rec.logs.begin())) << rec.Dump();
        EXPECT_EQ(rec.threadEnds, std::vector<int>{1});
        ASSERT_EQ(rec.outcomes.size(), 1u);
        EXPECT_EQ(rec.outcomes[0].result, RecordingOutcome::kDeviceSilent);
        EXPECT_EQ(rec.outcomes[0].samplesOnDisk, 3 * 4410 * 2);
        EXPECT_EQ(rec.resets, 1);
        EXPECT_FALSE(HasLogStartingWith(rec, L"A recording thread did not end", LOG_ERROR)) << rec.Dump();
        const WavFile wav = ReadWav(rec.Session().GetOutputPath().GetString());
        EXPECT_EQ(wav.dataSize, 3 * kBlockBytes);
        EXPECT_EQ(wav.data.size(), wav.dataSize);
    }
    {
        TestRecorder rec(limits);
        g_frames = 0;
        g_silentAfter = 0;
        rec.Session().SetStreamCalls(WithRead(CountedRead, GoesSilent));
        ASSERT_TRUE(rec.Session().Record(settings, formats, device));
        ASSERT_TRUE(rec.RunUntil([&] { return !rec.statusTexts.empty(); }, kTimeout)); // capture runs
        rec.Session().OnStop();
        const DWORD start = GetTickCount();
        ASSERT_TRUE(rec.RunUntilEnded(kTimeout)) << rec.Dump();
        EXPECT_LT(GetTickCount() - start, 1000u);
        EXPECT_TRUE(rec.threadEnds.empty()) << rec.Dump();
        ASSERT_EQ(rec.outcomes.size(), 1u);
        EXPECT_EQ(rec.outcomes[0].result, RecordingOutcome::kComplete);
    }
}

// A worker that does not end is terminated, with a line in the log, after the wait.
TEST_F(RecordingSessionTest, AStalledWorkerIsTerminatedAsALastResort)
{
    g_inStall = false;
    g_stall = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(g_stall, nullptr);
    {
        TestRecorder rec;
        rec.Session().SetStreamCalls(WithRead(Stall));
        ASSERT_TRUE(rec.Session().Record(settings, formats, device));
        ASSERT_TRUE(rec.RunUntil([] { return g_inStall.load(); }, kTimeout));
        const DWORD start = GetTickCount();
        rec.Session().OnRecThreadEnd(rec.Session().GetRecordingNumber());
        EXPECT_GE(GetTickCount() - start, 1900u); // the workers get their 2 s first
        EXPECT_TRUE(rec.Session().HasEnded());
        EXPECT_TRUE(rec.HasLog(L"A recording thread did not end in time and was terminated.", LOG_ERROR))
            << rec.Dump();
        EXPECT_FALSE(rec.Session().IsRecording());
        EXPECT_TRUE(rec.outcomes.empty());
    }
    CloseHandle(g_stall);
    g_stall = nullptr;
}
