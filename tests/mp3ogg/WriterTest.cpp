// The writers in this process, from a filled ring: conversions, the name the tag is
// written by, the failure paths with the exact warnings they give, and what they count
// of a file that a full disk cut short.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "../engine/TestFiles.h"
#include "FakeLame.h"
#include "engine/Mp3Writer.h"
#include "engine/OggWriter.h"
#include "engine/RecordingSession.h"
#include "engine/WavRecordingWriter.h"

namespace
{
// seconds of 440 Hz (left) and 660 Hz (right) at half scale, 16-bit values in the top bits.
void FillSine(SampleRing& ring, int rate, int channels, double seconds)
{
    const int frames = static_cast<int>(rate * seconds);
    std::vector<int32_t> block;
    for (int f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c)
        {
            const double hz = c == 0 ? 440.0 : 660.0;
            const int16_t v =
                static_cast<int16_t>(16384.0 * std::sin(2.0 * 3.14159265358979 * hz * f / rate));
            block.push_back(static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint16_t>(v)) << 16));
        }
    ASSERT_EQ(ring.Write(block.data(), static_cast<unsigned>(block.size())), block.size());
}

RecorderSettings Settings(int channels)
{
    RecorderSettings s;
    s.nChannels = static_cast<int16_t>(channels);
    return s;
}

const std::function<bool()> kCaptureEnded = [] { return true; };

struct WriterRun
{
    int result = -1; // 1 finished, 0 gave up before the audio, -1 not started
    int64_t samplesOnDisk = -1;
    // The writer's warnings, each of which the session logs and stops the capture with.
    std::vector<std::wstring> logs;
    RecordingWriter::WarnFn Warn()
    {
        return [this](const CString& text) { logs.push_back(text.GetString()); };
    }
};

// The session's loop over the ring; file null for a real file.
void Record(WriterRun& run, RecordingWriter& writer, const std::wstring& path, SampleRing& ring,
            std::unique_ptr<CFile> file = nullptr)
{
    if (!file)
        file.reset(new CFile);
    run.result =
        RecordingSession::RecordTo(writer, path.c_str(), std::move(file), ring, kCaptureEnded) ? 1 : 0;
    run.samplesOnDisk = writer.GetSamplesOnDisk();
}

WriterRun RecordMp3(const std::wstring& path, const RecorderSettings& s, SampleRing& ring,
                    const CString& folder, std::unique_ptr<CFile> file = nullptr)
{
    WriterRun run;
    Mp3Writer writer(s, run.Warn());
    if (writer.LoadEncoder(folder))
        Record(run, writer, path, ring, std::move(file));
    return run;
}

WriterRun RecordOgg(const std::wstring& path, const RecorderSettings& s, SampleRing& ring,
                    std::unique_ptr<CFile> file = nullptr)
{
    WriterRun run;
    OggWriter writer(s, run.Warn());
    Record(run, writer, path, ring, std::move(file));
    return run;
}

using Lines = std::vector<std::wstring>;

// A failed write's two lines: the headline, then the file's own reason.
Lines DiskFull(const std::wstring& path)
{
    return Lines{L"Output file write error",
                 L"The file " + path + L" could not be written: the disk is full."};
}

// A file that cannot be created: the headline, then the system's reason.
Lines CannotCreate(const std::wstring& path, const std::wstring& reason)
{
    return Lines{L"Error creating file " + path, L"The file " + path + L" " + reason + L"."};
}

// Where the tag sits: the first frame, after its side information.
bool HasInfoTag(const std::vector<uint8_t>& bytes)
{
    const std::string head(bytes.begin(), bytes.begin() + std::min<size_t>(bytes.size(), 64));
    return bytes.size() > 4 && bytes[0] == 0xFF && head.find("Info") != std::string::npos;
}
} // namespace

TEST(WriterConversion, SixteenBitValuesInTheTopBitsBecomeTheirFloatValue)
{
    const int32_t samples[] = {static_cast<int32_t>(0x7FFF0000), static_cast<int32_t>(0x80000000), 0x00010000,
                               static_cast<int32_t>(0xFFFF0000), 0x12340000};
    float left[5] = {}, right[5] = {};
    EXPECT_EQ(Mp3Writer::SplitToFloat(samples, 5, 2, left, right), 2u); // the odd last sample is dropped
    EXPECT_EQ(left[0], 32767.0f);
    EXPECT_EQ(right[0], -32768.0f);
    EXPECT_EQ(left[1], 1.0f);
    EXPECT_EQ(right[1], -1.0f);
    EXPECT_EQ(right[2], 0.0f);

    EXPECT_EQ(Mp3Writer::SplitToFloat(samples, 5, 1, left, right), 5u);
    EXPECT_EQ(left[1], -32768.0f);
    EXPECT_EQ(left[4], 4660.0f);

    float out[3] = {};
    const int32_t full[] = {INT_MIN, 0x40000000, 0};
    OggWriter::ConvertInt32ToFloat(full, out, 3);
    EXPECT_EQ(out[0], -1.0f);
    EXPECT_EQ(out[1], 0.5f);
    EXPECT_EQ(out[2], 0.0f);
}

TEST(Mp3Writer, TagNameReachesTheSameFileWhenTheCodePageLacksItsCharacters)
{
    TempFolder folder;
    const std::wstring plain = folder.Path() + L"plain.mp3";
    EXPECT_EQ(Mp3Writer::GetTagFileName(plain.c_str()), std::string(plain.begin(), plain.end()));

    const std::wstring foreign = folder.Path() + L"\x03A9\x03BC\x03AD\x03B3\x03B1 \x4E2D.mp3";
    ASSERT_TRUE(WriteAll(foreign, {'m', 'a', 'r', 'k'}));
    const std::string name = Mp3Writer::GetTagFileName(foreign.c_str());
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(name.find('#'), std::string::npos) << name;
    EXPECT_EQ(name.find('?'), std::string::npos) << name;
    HANDLE file =
        CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
    char mark[8] = {};
    DWORD got = 0;
    ReadFile(file, mark, sizeof(mark), &got, nullptr);
    CloseHandle(file);
    EXPECT_EQ(std::string(mark, got), "mark");

    // A file that does not exist has no short form to fall back on.
    EXPECT_EQ(Mp3Writer::GetTagFileName((folder.Path() + L"\x03A9-missing.mp3").c_str()), "");
}

TEST(Mp3Writer, EncodesTheRingAndWritesTheTagIntoTheFirstFrame)
{
    TempFolder folder;
    for (int channels : {1, 2})
    {
        SCOPED_TRACE(channels);
        SampleRing ring(1 << 20);
        FillSine(ring, 44100, channels, 0.5);
        const std::wstring path = folder.Path() + L"sine" + std::to_wstring(channels) + L".mp3";
        const WriterRun run = RecordMp3(path, Settings(channels), ring, LameEncoder::GetProgramFolder());
        EXPECT_EQ(run.result, 1);
        EXPECT_EQ(run.logs, Lines());
        EXPECT_EQ(run.samplesOnDisk, 22050 * channels);
        const std::vector<uint8_t> bytes = ReadAll(path);
        EXPECT_GT(bytes.size(), 4000u); // 0.5 s at 128 kbit/s is 8000 bytes
        EXPECT_TRUE(HasInfoTag(bytes));
    }
}

TEST(Mp3Writer, MissingLibraryPostsBothWarningsAndCreatesNoFile)
{
    TempFolder folder;
    SampleRing ring(1 << 16);
    FillSine(ring, 44100, 2, 0.1);
    const std::wstring path = folder.Path() + L"none.mp3";
    for (const CString& dllFolder : {CString(folder.Path().c_str()), CString()})
    {
        const WriterRun run = RecordMp3(path, Settings(2), ring, dllFolder);
        EXPECT_EQ(run.logs, (Lines{L"Error loading lame_enc.dll.", L"Unable to get LAME interfaces."}));
        EXPECT_FALSE(FileExists(path));
    }
}

TEST(Mp3Writer, OutOfRangeSettingsStopBeforeTheFile)
{
    TempFolder folder;
    SampleRing ring(1 << 16);
    RecorderSettings s = Settings(2);
    s.nMp3BitrateIndex = 14;
    const std::wstring path = folder.Path() + L"bad.mp3";
    const WriterRun run = RecordMp3(path, s, ring, LameEncoder::GetProgramFolder());
    EXPECT_EQ(run.result, 0);
    ASSERT_EQ(run.logs.size(), 1u);
    EXPECT_NE(run.logs[0].find(L"MP3 settings are out of range"), std::wstring::npos);
    EXPECT_FALSE(FileExists(path));
}

TEST(OggWriter, RefusedSettingsCreateNoFile)
{
    TempFolder folder;
    SampleRing ring(1 << 16);
    const std::wstring path = folder.Path() + L"bad.ogg";
    std::vector<RecorderSettings> refused(4, Settings(2));
    refused[0].nOggQuality = -2;
    refused[1].nOggQuality = 7;
    refused[2].nSampleRateIndex = -1;
    refused[3].nSampleRateIndex = 9;
    for (const RecorderSettings& s : refused)
    {
        const WriterRun run = RecordOgg(path, s, ring);
        EXPECT_EQ(run.result, 0);
        EXPECT_EQ(run.logs, Lines{L"Invalid Ogg Vorbis format."});
        EXPECT_FALSE(FileExists(path));
    }
    const std::wstring missing = folder.Path() + L"no\\such\\folder.ogg";
    const WriterRun run = RecordOgg(missing, Settings(2), ring);
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(run.logs, CannotCreate(missing, L"has an invalid path"));
}

TEST(OggWriter, EmptyRecordingStillHasItsHeaderPages)
{
    TempFolder folder;
    SampleRing ring(1 << 16);
    const std::wstring path = folder.Path() + L"empty.ogg";
    const WriterRun run = RecordOgg(path, Settings(1), ring);
    EXPECT_EQ(run.result, 1);
    EXPECT_EQ(run.logs, Lines());
    EXPECT_EQ(run.samplesOnDisk, 0);
    const std::vector<uint8_t> bytes = ReadAll(path);
    ASSERT_GT(bytes.size(), 100u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "OggS");
}

TEST(Mp3Writer, EmptyRecordingIsFinished)
{
    TempFolder folder;
    SampleRing ring(1 << 16);
    const std::wstring path = folder.Path() + L"empty.mp3";
    const WriterRun run = RecordMp3(path, Settings(2), ring, LameEncoder::GetProgramFolder());
    EXPECT_EQ(run.result, 1);
    EXPECT_EQ(run.logs, Lines());
    EXPECT_EQ(run.samplesOnDisk, 0);
    EXPECT_TRUE(HasInfoTag(ReadAll(path)));
}

namespace
{
// A device every write to fails, as on a full disk: Wine maps the Unix root to Z:.
const wchar_t kFullDevice[] = L"Z:\\dev\\full";

bool HaveFullDevice()
{
    const HANDLE device = CreateFileW(kFullDevice, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (device == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(device);
    return true;
}

// The writer against the stand-in library, which the test loads as well to set it up
// and to read back what the writer did.
class FakeLameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dllFolder = LameEncoder::GetProgramFolder() + L"fakelame\\";
        m_dll = LoadLibraryW(m_dllFolder + LameEncoder::kFileName);
        ASSERT_NE(m_dll, nullptr);
        const auto get = reinterpret_cast<FakeLameStateProc>(
            reinterpret_cast<void*>(GetProcAddress(m_dll, "FakeLameGetState")));
        ASSERT_NE(get, nullptr);
        m_lame = get();
        *m_lame = FakeLameState();
    }
    void TearDown() override
    {
        if (m_dll)
            FreeLibrary(m_dll);
    }

    // Half a second of 44.1 kHz: 22050 frames, 10 mono or 20 stereo chunks of 2304 samples.
    WriterRun Run(const std::wstring& path, int channels)
    {
        SampleRing ring(1 << 17);
        FillSine(ring, 44100, channels, 0.5);
        return RecordMp3(path, Settings(channels), ring, m_dllFolder);
    }

    TempFolder m_files;
    CString m_dllFolder;
    HMODULE m_dll = nullptr;
    FakeLameState* m_lame = nullptr;
};
} // namespace

TEST_F(FakeLameTest, DrivesTheLibraryInOrderAndTagsTheClosedStream)
{
    for (int channels : {1, 2})
    {
        SCOPED_TRACE(channels);
        *m_lame = FakeLameState();
        const std::wstring path = m_files.Path() + L"fake" + std::to_wstring(channels) + L".mp3";
        const WriterRun run = Run(path, channels);
        EXPECT_EQ(run.result, 1);
        EXPECT_EQ(run.logs, Lines());

        Mp3EncoderConfig expected;
        ASSERT_TRUE(expected.Fill(Settings(channels)));
        EXPECT_EQ(std::memcmp(m_lame->config, &expected, sizeof(expected)), 0);
        EXPECT_EQ(m_lame->initCalls, 1);
        EXPECT_EQ(m_lame->handleBeforeInit, nullptr);
        const int chunks = channels == 1 ? 10 : 20;
        EXPECT_EQ(m_lame->encodeCalls, chunks);
        EXPECT_EQ(m_lame->monoCalls, channels == 1 ? chunks : 0);
        EXPECT_EQ(m_lame->samplesPerChannel, 22050u);
        EXPECT_EQ(m_lame->deinitCalls, 1);
        EXPECT_EQ(m_lame->closeCalls, 1);
        // The tag goes through the handle already closed, by the file's own name.
        EXPECT_EQ(m_lame->infoTagCalls, 1);
        EXPECT_NE(m_lame->infoTagHandle, nullptr);
        EXPECT_EQ(m_lame->infoTagHandle, m_lame->closedHandle);
        EXPECT_EQ(m_lame->vbrHeaderCalls, 0);
        EXPECT_EQ(std::string(m_lame->tagName), std::string(path.begin(), path.end()));
        EXPECT_EQ(ReadAll(path).size(), static_cast<size_t>(chunks) * 100 + 10);
    }
}

TEST_F(FakeLameTest, InitFailureKeepsTheEmptyFileAndClosesOnlyAReturnedHandle)
{
    for (bool returnsHandle : {true, false})
    {
        SCOPED_TRACE(returnsHandle);
        *m_lame = FakeLameState();
        m_lame->initResult = 2;
        m_lame->initReturnsHandle = returnsHandle;
        const std::wstring path = m_files.Path() + L"init" + std::to_wstring(returnsHandle) + L".mp3";
        const WriterRun run = Run(path, 2);
        EXPECT_EQ(run.result, 0);
        EXPECT_EQ(run.logs, Lines{L"Error opening encoding stream (2)"});
        EXPECT_EQ(m_lame->handleBeforeInit, nullptr);
        EXPECT_EQ(m_lame->closeCalls, returnsHandle ? 1 : 0);
        EXPECT_EQ(m_lame->encodeCalls, 0);
        EXPECT_EQ(m_lame->infoTagCalls + m_lame->vbrHeaderCalls, 0);
        EXPECT_TRUE(FileExists(path));
        EXPECT_TRUE(ReadAll(path).empty());
    }
}

TEST_F(FakeLameTest, FileThatCannotBeCreatedStopsBeforeTheLibrary)
{
    const std::wstring path = m_files.Path() + L"no\\such\\folder.mp3";
    const WriterRun run = Run(path, 2);
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(run.logs, CannotCreate(path, L"has an invalid path"));
    EXPECT_EQ(m_lame->initCalls, 0);
}

TEST_F(FakeLameTest, EncodeAndFlushFailuresStopCaptureButTheFileIsFinished)
{
    m_lame->encodeResult = 5;
    m_lame->deinitResult = 4;
    const std::wstring path = m_files.Path() + L"failing.mp3";
    const WriterRun run = Run(path, 2);
    EXPECT_EQ(run.result, 1);
    // One line for the encoder however many chunks fail: the rest of the ring still goes in.
    EXPECT_EQ(run.logs, (Lines{L"beEncodeChunk() failed (5)", L"beExitStream failed (4)"}));
    EXPECT_EQ(m_lame->encodeCalls, 20);
    EXPECT_EQ(m_lame->infoTagCalls, 1);
    EXPECT_EQ(ReadAll(path).size(), 20u * 100 + 10);
}

TEST_F(FakeLameTest, WriteFailureIsPostedOnceAndTheTagSkipped)
{
    {
        // Bytes that are no frames: the file ends after the last write that reached it whole.
        SampleRing ring(1 << 17);
        FillSine(ring, 44100, 2, 0.5);
        const std::wstring path = m_files.Path() + L"cut.mp3";
        const WriterRun run =
            RecordMp3(path, Settings(2), ring, m_dllFolder, std::unique_ptr<CFile>(new SmallDisk(1050)));
        EXPECT_EQ(run.result, 1);
        EXPECT_EQ(run.logs, DiskFull(path));
        EXPECT_EQ(m_lame->encodeCalls, 11);
        EXPECT_EQ(ReadAll(path).size(), 1000u);
        EXPECT_EQ(m_lame->infoTagCalls + m_lame->vbrHeaderCalls, 0);
    }
    *m_lame = FakeLameState();
    if (!HaveFullDevice())
        GTEST_SKIP() << "no device that fails writes";
    m_lame->bytesPerChunk = 4096; // past the runtime's buffer at every chunk
    const WriterRun run = Run(kFullDevice, 2);
    EXPECT_EQ(run.result, 1);
    EXPECT_EQ(run.logs, DiskFull(kFullDevice));
    // Nothing after the failed write reaches the file, nor counts toward its length.
    EXPECT_EQ(m_lame->encodeCalls, 1);
    EXPECT_EQ(run.samplesOnDisk, 0);
    EXPECT_EQ(m_lame->closeCalls, 1);
    // The library would look for frames that never reached the disk and show a message box.
    EXPECT_EQ(m_lame->infoTagCalls + m_lame->vbrHeaderCalls, 0);
}

// A writer that cannot start says why and leaves no file of its own: a file another
// program holds stays as it is, and a file whose headers found no room is taken away.
TEST(Writers, AWriterThatCannotStartLeavesNoFileOfItsOwn)
{
    TempFolder folder;
    SampleRing ring(1 << 16);
    FillSine(ring, 44100, 2, 0.1);
    const std::wstring held = folder.Path() + L"held.wav";
    ASSERT_TRUE(WriteAll(held, {1, 2, 3}));
    const HANDLE holder = CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    {
        WriterRun run;
        WavRecordingWriter writer(Settings(2), WavWriter::kMaxDataBytes, run.Warn());
        Record(run, writer, held, ring);
        EXPECT_EQ(run.result, 0);
        EXPECT_EQ(run.logs, CannotCreate(held, L"is in use by another process"));
    }
    CloseHandle(holder);
    EXPECT_EQ(ReadAll(held), (std::vector<uint8_t>{1, 2, 3}));

    // Part of the WAV header, or the first of the OGG header pages, fits.
    for (const bool ogg : {false, true})
    {
        const std::wstring path = folder.Path() + (ogg ? L"full.ogg" : L"full.wav");
        SCOPED_TRACE(path);
        WriterRun run;
        std::unique_ptr<RecordingWriter> writer;
        if (ogg)
            writer.reset(new OggWriter(Settings(2), run.Warn()));
        else
            writer.reset(new WavRecordingWriter(Settings(2), WavWriter::kMaxDataBytes, run.Warn()));
        Record(run, *writer, path, ring, std::unique_ptr<CFile>(new SmallDisk(ogg ? 100 : 30)));
        EXPECT_EQ(run.result, 0);
        EXPECT_EQ(run.logs, DiskFull(path));
        EXPECT_FALSE(FileExists(path));
    }
}

namespace
{
// The whole pages or frames at the start of a file: where the last of them ends, and the
// interleaved samples they hold.
struct WholeUnits
{
    size_t end = 0;
    int64_t samples = 0;
};

// Up to the last whole Ogg page, by its granule position.
WholeUnits OggPages(const std::vector<uint8_t>& bytes, int channels)
{
    int64_t granule = 0;
    size_t pos = 0;
    while (pos + 27 <= bytes.size() && std::memcmp(&bytes[pos], "OggS", 4) == 0)
    {
        const size_t segments = bytes[pos + 26];
        if (pos + 27 + segments > bytes.size())
            break;
        size_t end = pos + 27 + segments;
        for (size_t i = 0; i < segments; ++i)
            end += bytes[pos + 27 + i];
        if (end > bytes.size())
            break;
        int64_t g = 0;
        std::memcpy(&g, &bytes[pos + 6], 8);
        if (g >= 0)
            granule = g;
        pos = end;
    }
    return WholeUnits{pos, granule * channels};
}

// The whole frames of a 128 kbit/s, 44100 Hz MP3 file.
WholeUnits Mp3Frames(const std::vector<uint8_t>& bytes, int channels)
{
    size_t pos = 0;
    int64_t frames = 0;
    while (pos + 4 <= bytes.size() && bytes[pos] == 0xFF && bytes[pos + 1] >> 5 == 7)
    {
        const size_t length = 144 * 128000 / 44100 + ((bytes[pos + 2] >> 1) & 1);
        if (pos + length > bytes.size())
            break;
        ++frames;
        pos += length;
    }
    return WholeUnits{pos, frames * 1152 * channels};
}
} // namespace

// A disk that fills during the recording: each writer says so once, ends the file after its
// last whole page or frame, and counts what the file holds as a player sees it, not what
// went into the encoder.
TEST(Writers, AFullDiskCountsWhatReachedIt)
{
    TempFolder folder;
    for (const ULONGLONG capacity : {9000ull, 14001ull})
    {
        SCOPED_TRACE("room for " + std::to_string(capacity) + " bytes");
        {
            SampleRing ring(1 << 19);
            FillSine(ring, 44100, 2, 4.0);
            const std::wstring path = folder.Path() + L"full.ogg";
            const WriterRun run =
                RecordOgg(path, Settings(2), ring, std::unique_ptr<CFile>(new SmallDisk(capacity)));
            EXPECT_EQ(run.result, 1);
            EXPECT_EQ(run.logs, DiskFull(path));
            const std::vector<uint8_t> bytes = ReadAll(path);
            const WholeUnits pages = OggPages(bytes, 2);
            EXPECT_EQ(pages.end, bytes.size());
            EXPECT_EQ(run.samplesOnDisk, pages.samples);
            EXPECT_LT(run.samplesOnDisk, 4 * 88200);
            EXPECT_EQ(ring.GetReadAvailable(0), 0u);
        }
        {
            SampleRing ring(1 << 19);
            FillSine(ring, 44100, 2, 4.0);
            const std::wstring path = folder.Path() + L"full.mp3";
            const WriterRun run = RecordMp3(path, Settings(2), ring, LameEncoder::GetProgramFolder(),
                                            std::unique_ptr<CFile>(new SmallDisk(capacity)));
            EXPECT_EQ(run.result, 1);
            EXPECT_EQ(run.logs, DiskFull(path));
            EXPECT_GT(run.samplesOnDisk, 0);
            const std::vector<uint8_t> bytes = ReadAll(path);
            const WholeUnits frames = Mp3Frames(bytes, 2);
            EXPECT_EQ(frames.end, bytes.size());
            EXPECT_EQ(run.samplesOnDisk, frames.samples);
        }
        {
            SampleRing ring(1 << 19);
            FillSine(ring, 44100, 2, 4.0);
            const std::wstring path = folder.Path() + L"full.wav";
            WriterRun run;
            WavRecordingWriter writer(Settings(2), WavWriter::kMaxDataBytes, run.Warn());
            Record(run, writer, path, ring, std::unique_ptr<CFile>(new SmallDisk(capacity)));
            EXPECT_EQ(run.result, 1);
            EXPECT_EQ(run.logs, DiskFull(path));
            EXPECT_EQ(run.samplesOnDisk, static_cast<int64_t>(ReadWav(path).dataSize / 2));
            EXPECT_EQ(run.samplesOnDisk, static_cast<int64_t>((capacity - 44) / 4 * 2));
        }
    }
}
