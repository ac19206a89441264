#include "engine/RecordingSession.h"

#include <shlwapi.h>

#include <vector>

#include "engine/AudioLibrary.h"
#include "engine/BlockReader.h"
#include "engine/CaptureBlock.h"
#include "engine/DrainRing.h"
#include "engine/FileNaming.h"
#include "engine/Mp3Writer.h"
#include "engine/OggWriter.h"
#include "engine/SampleConversion.h"
#include "engine/WavRecordingWriter.h"
#include "framework/CFileException.h"

namespace
{
// Stops and closes the capture stream however the capture loop is left.
class StreamGuard
{
public:
    explicit StreamGuard(PaStream*& stream) : m_stream(stream) {}
    ~StreamGuard()
    {
        if (m_stream)
        {
            Pa_StopStream(m_stream);
            Pa_CloseStream(m_stream);
            m_stream = nullptr;
        }
    }
    StreamGuard(const StreamGuard&) = delete;
    StreamGuard& operator=(const StreamGuard&) = delete;

private:
    PaStream*& m_stream;
};

// A hand-edited settings file can hold anything: nothing may index a table with it.
bool ValidSettings(const RecorderSettings& s)
{
    return FormatSupportTable::CellIndex(s.nChannels, s.nResolution, s.nSampleRateIndex) >= 0 &&
           !GetFormatExtension(s.nOutputFormat).IsEmpty() &&
           SettingRanges::kBalance.Contains(s.nLeftBalance) &&
           SettingRanges::kBalance.Contains(s.nRightBalance);
}

bool Running(const std::unique_ptr<CWinThread>& thread)
{
    return thread && WaitForSingleObject(thread->m_hThread, 0) == WAIT_TIMEOUT;
}
} // namespace

RecordingSession::RecordingSession(HWND hWnd, RecordingHost& host, const Limits& limits)
    : m_hWnd(hWnd), m_host(host), m_limits(limits), m_pRingBuffer(new SampleRing(limits.ringSamples))
{
}

RecordingSession::~RecordingSession()
{
    OnStop();
    if (!WaitForEnd(5000))
        TerminateRunningThreads();
    ReleaseThreads();
}

CString RecordingSession::LossText(uint64_t droppedSamples, unsigned overflows)
{
    CString text;
    if (droppedSamples)
        text.Format(L"The encoder could not keep up: %I64u samples were lost.", droppedSamples);
    if (overflows)
    {
        CString device;
        if (overflows == 1)
            device = L"The input device overflowed once: input was lost.";
        else
            device.Format(L"The input device overflowed %u times: input was lost.", overflows);
        text += text.IsEmpty() ? device : L" " + device;
    }
    return text;
}

void RecordingSession::PostLog(const CString& text, int level) const
{
    std::unique_ptr<CString> message(new CString(text));
    if (PostMessageW(m_hWnd, WM_REC_LOG, reinterpret_cast<WPARAM>(message.get()), static_cast<LPARAM>(level)))
        message.release(); // the receiver deletes it
}

void RecordingSession::PostThreadEnd(WPARAM which) const
{
    PostMessageW(m_hWnd, WM_REC_THREAD_END, which, static_cast<LPARAM>(m_nRecording));
}

BOOL RecordingSession::Record(RecorderSettings& settings, const FormatSupportTable& formats, int device)
{
    if (m_bRecording)
        return FALSE;
    // A new recording resets the ring under the old writer: wait for it to finish.
    if (!HasEnded())
    {
        m_host.LogEvent(L"The previous recording is still being finished. Please try again in a moment.",
                        LOG_WARNING);
        return FALSE;
    }
    ReleaseThreads();

    if (!ValidSettings(settings))
    {
        m_host.LogEvent(
            L"The recording settings are out of range (sampling rate, channels, resolution, output "
            L"format or balance)!",
            LOG_WARNING);
        return FALSE;
    }
    const int cell =
        FormatSupportTable::CellIndex(settings.nChannels, settings.nResolution, settings.nSampleRateIndex);
    if (!formats.m_deviceSupport[cell])
    {
        m_host.LogEvent(L"The sound device does not support the parameters you chose!", LOG_WARNING);
        return FALSE;
    }
    if (!formats.m_encoderSupport[cell])
    {
        m_host.LogEvent(L"The encoder does not support the parameters you chose!", LOG_WARNING);
        return FALSE;
    }

    const CString ext = GetFormatExtension(settings.nOutputFormat);
    CString path;
    if (settings.nSaveLocation)
    {
        settings.strDestDir = SanitizeFileName(settings.strDestDir, true);
        settings.strFileName = SanitizeFileName(settings.strFileName, false);
        path = SanitizeFileName(settings.strDestDir + settings.strFileName + ext, true);
        const int slash = path.ReverseFind(L'\\');
        if (slash > 0)
        {
            const CString folder = path.Left(slash);
            if (!PathIsDirectoryW(folder) && !CreateDirectoryPath(folder))
            {
                CString text;
                text.Format(L"Fail to create folder %s !!", folder.GetString());
                PostLog(text, LOG_WARNING);
                return FALSE;
            }
        }
        // Taken now, so that another copy of the program choosing the same name at the
        // same moment goes on to the next one. Where no file can be made, the writer
        // reports why.
        CString created;
        if (CreateUniqueFile(path, ext, created))
            path = created;
        else if (PathFileExistsW(path))
            path = MakeUniqueFileName(path, ext);
    }
    else if (!m_host.PromptOutputPath(ext, path))
    {
        return FALSE;
    }

    m_strOutputPath = SanitizeFileName(path, true);
    m_settings = settings;
    m_nDevice = device;
    m_nBlockFrames = kSampleRates[settings.nSampleRateIndex] / kBlocksPerSecond;
    m_nBlockCount = 0;
    m_nCaptureResult = RecordingOutcome::kComplete;
    m_bPaused = 0;
    m_bAutoStopped = 0;
    SetBalance(settings.nLeftBalance, settings.nRightBalance);
    m_nStopBlocks =
        ((static_cast<int64_t>(settings.nStopHour) * 60 + settings.nStopMinute) * 60 + settings.nStopSecond) *
        kBlocksPerSecond;

    // Both threads start suspended, so everything they read is in place before they run.
    m_bLaunched = false;
    m_pCaptureThread.reset(
        AfxBeginThread(CaptureThreadProc, this, THREAD_PRIORITY_TIME_CRITICAL, 0, CREATE_SUSPENDED));
    if (m_pCaptureThread)
        m_pCaptureThread->m_bAutoDelete = FALSE;
    m_pEncoderThread.reset(
        AfxBeginThread(EncoderThreadProc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    if (m_pEncoderThread)
        m_pEncoderThread->m_bAutoDelete = FALSE;
    if (!m_pCaptureThread || !m_pEncoderThread)
    {
        // Without m_bLaunched a resumed worker returns at once.
        for (auto* thread : {m_pCaptureThread.get(), m_pEncoderThread.get()})
            if (thread)
            {
                thread->ResumeThread();
                WaitForSingleObject(thread->m_hThread, INFINITE);
            }
        ReleaseThreads();
        if (settings.nSaveLocation)
            DeleteFileW(m_strOutputPath); // the empty file taken for the name
        m_host.LogEvent(L"The recording threads could not be started.", LOG_ERROR);
        return FALSE;
    }

    m_bRecording = 1;
    m_host.ShowRecordingState(false);
    m_pRingBuffer->Reset();
    m_hCaptureThread = m_pCaptureThread->m_hThread;
    ++m_nRecording;
    m_bLaunched = true;
    m_pCaptureThread->ResumeThread();
    m_pEncoderThread->ResumeThread();
    return TRUE;
}

void RecordingSession::OnPauseResume()
{
    if (!m_bRecording)
        return;
    const bool paused = !m_bPaused;
    m_bPaused = paused ? 1 : 0;
    if (paused)
    {
        m_host.LogEvent(L"Recording manually paused:  " + m_strOutputPath, LOG_NOTE);
        m_host.SetStatusText(L"Recording Manually Paused:  " + m_strOutputPath);
    }
    else
    {
        m_host.LogEvent(L"Manually resumed recording:  " + m_strOutputPath, LOG_NOTE);
        m_host.SetStatusText(L"Recording:  " + m_strOutputPath);
    }
    m_host.ShowRecordingState(paused);
}

void RecordingSession::SetBalance(int left, int right)
{
    m_nLeftBalance = left;
    m_nRightBalance = right;
}

void RecordingSession::OnStop()
{
    m_bRecording = 0;
}

BOOL RecordingSession::HasEnded() const
{
    return !Running(m_pCaptureThread) && !Running(m_pEncoderThread);
}

BOOL RecordingSession::WaitForEnd(DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;)
    {
        // The workers may be blocked in SendMessage to a window of this thread.
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);

        HANDLE handles[2];
        DWORD count = 0;
        for (auto* thread : {&m_pCaptureThread, &m_pEncoderThread})
            if (Running(*thread))
                handles[count++] = (*thread)->m_hThread;
        if (count == 0)
            return TRUE;
        DWORD wait = INFINITE;
        if (timeoutMs != INFINITE)
        {
            const DWORD elapsed = GetTickCount() - start;
            if (elapsed >= timeoutMs)
                return FALSE;
            wait = timeoutMs - elapsed;
        }
        if (MsgWaitForMultipleObjects(count, handles, FALSE, wait, QS_SENDMESSAGE) == WAIT_FAILED)
            return FALSE;
    }
}

BOOL RecordingSession::OnRecThreadEnd(unsigned recording)
{
    if (recording != m_nRecording)
        return FALSE;
    OnStop();
    if (!m_pCaptureThread && !m_pEncoderThread)
        return TRUE;
    if (!WaitForEnd(2000))
    {
        m_host.LogEvent(L"A recording thread did not end in time and was terminated.", LOG_ERROR);
        TerminateRunningThreads();
    }
    ReleaseThreads();
    return TRUE;
}

void RecordingSession::TerminateRunningThreads()
{
    for (auto* thread : {&m_pCaptureThread, &m_pEncoderThread})
        if (Running(*thread))
        {
            TerminateThread((*thread)->m_hThread, 0);
            WaitForSingleObject((*thread)->m_hThread, INFINITE);
        }
}

void RecordingSession::ReleaseThreads()
{
    m_hCaptureThread = nullptr;
    m_pCaptureThread.reset();
    m_pEncoderThread.reset();
}

int RecordingSession::CheckAutoStop()
{
    // Equality: a limit of 0 never matches, and paused blocks count.
    if (m_settings.bAutoStop && static_cast<int64_t>(m_nBlockCount) == m_nStopBlocks)
    {
        m_bRecording = 0;
        PostLog(L"Automatically stop recording.", LOG_NOTE);
        m_bAutoStopped = 1;
        return 2;
    }
    return 0;
}

// Capture thread ---------------------------------------------------------------------

UINT RecordingSession::CaptureThreadProc(LPVOID pParam)
{
    RecordingSession* self = static_cast<RecordingSession*>(pParam);
    if (!self->m_bLaunched)
        return 0;
    try
    {
        // Sent, so the window sets it on its own thread before the first progress.
        const CString status = L"Recording:  " + self->m_strOutputPath;
        SendMessageW(self->m_hWnd, WM_REC_STATUS, 0, reinterpret_cast<LPARAM>(&status));
        self->CaptureAudio();
    }
    catch (...)
    {
        self->m_bRecording = 0;
        self->m_nCaptureResult = RecordingOutcome::kReadFailed;
        self->PostLog(L"An error occurred while recording.", LOG_ERROR);
        self->PostThreadEnd(1);
    }
    return 0;
}

void RecordingSession::FailCapture(LPCWSTR text, PaError error, int level)
{
    FailCapture(text, AudioLibrary::ErrorText(error), level);
}

void RecordingSession::FailCapture(LPCWSTR text, const CString& detail, int level,
                                   RecordingOutcome::Result result)
{
    m_bRecording = 0;
    m_nCaptureResult = result;
    PostLog(text, level);
    PostLog(detail, level);
    PostThreadEnd(1);
}

void RecordingSession::PostProgress(const int32_t* samples, unsigned count, unsigned copies)
{
    if (!samples)
    {
        PostMessageW(m_hWnd, WM_REC_PROGRESS, 0, 0);
        return;
    }
    std::unique_ptr<int32_t[]> copy(new int32_t[static_cast<size_t>(count) * copies]);
    for (unsigned c = 0; c < copies; ++c)
        std::copy(samples, samples + count, copy.get() + static_cast<size_t>(c) * count);
    if (PostMessageW(m_hWnd, WM_REC_PROGRESS, reinterpret_cast<WPARAM>(copy.get()),
                     static_cast<LPARAM>(count * copies)))
        copy.release(); // the receiver deletes it
}

void RecordingSession::CaptureAudio()
{
    const int channels = m_settings.nChannels;
    const int resolution = m_settings.nResolution;
    const unsigned frames = static_cast<unsigned>(m_nBlockFrames);
    const unsigned blockSamples = static_cast<unsigned>(channels) * frames;

    StreamGuard guard(m_pStream);
    m_pStream = nullptr;
    const PaDeviceInfo* info = Pa_GetDeviceInfo(m_nDevice);
    if (!info)
    {
        FailCapture(L"Fail to open input stream.", paInvalidDevice, LOG_WARNING);
        return;
    }
    m_inputParams.device = m_nDevice;
    m_inputParams.channelCount = channels;
    m_inputParams.sampleFormat = GetCaptureSampleFormat(resolution);
    m_inputParams.suggestedLatency = info->defaultLowInputLatency;
    m_inputParams.hostApiSpecificStreamInfo = nullptr;
    m_paError = Pa_OpenStream(&m_pStream, &m_inputParams, nullptr, kSampleRates[m_settings.nSampleRateIndex],
                              paFramesPerBufferUnspecified, resolution < 2 ? paDitherOff : paNoFlag, nullptr,
                              nullptr);
    if (m_paError != paNoError)
    {
        m_pStream = nullptr;
        FailCapture(L"Fail to open input stream.", m_paError, LOG_WARNING);
        return;
    }

    // Zeroed, so a block the device never filled is silence.
    const unsigned sampleBytes = GetCaptureSampleBytes(resolution);
    std::vector<BYTE> bytes(static_cast<size_t>(blockSamples) * sampleBytes);
    std::vector<int32_t> samples(blockSamples);
    const unsigned progressCopies = m_settings.nSampleRateIndex == 0 ? 2 : 1;
    unsigned reads = 0;
    unsigned overflows = 0;
    BlockReader reader(m_pStream, static_cast<unsigned>(channels) * sampleBytes, m_limits.silenceMs,
                       m_streamCalls);

    // The settling pause comes before the start: once started, the device's buffers
    // hold little more than the latency, and a pause there would leave a gap.
    Sleep(200);
    const PaError startError = Pa_StartStream(m_pStream);
    if (startError != paNoError)
    {
        FailCapture(L"Fail to start input stream.", startError, LOG_WARNING);
        return;
    }
    reader.Started();
    while (m_bRecording)
    {
        // While paused the blocks are read all the same and dropped: a device left
        // unread would keep audio of the pause for the first reads after Resume. The
        // reads also keep the 100 ms pace of the block count.
        const bool paused = m_bPaused != 0;
        if (!paused)
            ++reads;
        const PaError error = reader.Read(bytes.data(), frames, m_bRecording);
        if (error == BlockReader::kStopped)
            break;
        if (error == BlockReader::kNoAudio)
        {
            CString text;
            text.Format(L"No audio has come from the input device for %lu seconds.",
                        m_limits.silenceMs / 1000);
            FailCapture(L"Fail to read input stream.", text, LOG_ERROR, RecordingOutcome::kDeviceSilent);
            break;
        }
        // An overflow lost input before this block, but the block itself is good.
        if (error == paInputOverflowed)
            ++overflows;
        else if (error != paNoError)
        {
            FailCapture(L"Fail to read input stream.", error, LOG_ERROR);
            break;
        }
        if (paused)
        {
            ++m_nBlockCount;
        }
        else
        {
            ConvertCaptureToInt32(bytes.data(), samples.data(), blockSamples, resolution);
            if (channels == 2)
                ApplyBalance(samples.data(), frames, static_cast<float>(m_nLeftBalance / 100.0),
                             static_cast<float>(m_nRightBalance / 100.0));
            if (m_settings.bShowAmplitude && reads % kBlocksPerSecond == 0)
                PostProgress(samples.data(), blockSamples, progressCopies);
            else
                PostProgress(nullptr, 0, 0);
            ++m_nBlockCount;
            m_pRingBuffer->Write(samples.data(), blockSamples, static_cast<unsigned>(channels));
        }
        if (CheckAutoStop())
            break;
    }

    const CString lost = LossText(m_pRingBuffer->GetDropped(), overflows);
    if (!lost.IsEmpty())
        PostLog(lost, LOG_WARNING);
}

// Encoder thread ---------------------------------------------------------------------

UINT RecordingSession::EncoderThreadProc(LPVOID pParam)
{
    RecordingSession* self = static_cast<RecordingSession*>(pParam);
    if (!self->m_bLaunched)
        return 0;
    return self->EncoderThread();
}

UINT RecordingSession::EncoderThread()
{
    CString detail;
    try
    {
        EncodeRecording();
        if (WaitForSingleObject(m_hCaptureThread, 500) == WAIT_TIMEOUT)
        {
            PostLog(L"The capture thread did not end and was terminated.", LOG_ERROR);
            TerminateThread(m_hCaptureThread, static_cast<DWORD>(-1));
        }
        return 1;
    }
    catch (const CException& e)
    {
        wchar_t message[512];
        if (e.GetErrorMessage(message, 512))
            detail = message;
    }
    catch (...)
    {
    }
    // The capture loop must not go on into a writer that is gone.
    m_bRecording = 0;
    PostLog(L"An error occurred while encoding.", LOG_ERROR);
    if (!detail.IsEmpty())
        PostLog(detail, LOG_ERROR);
    PostThreadEnd(2);
    return 0;
}

std::unique_ptr<RecordingWriter> RecordingSession::MakeWriter()
{
    // The one place a writer's trouble is reported: it also stops the capture.
    RecordingWriter::WarnFn warn = [this](const CString& text)
    {
        m_bRecording = 0;
        PostLog(text, LOG_WARNING);
    };
    switch (m_settings.nOutputFormat)
    {
    case FORMAT_WAV:
        return std::unique_ptr<RecordingWriter>(
            new WavRecordingWriter(m_settings, m_limits.wavDataBytes, warn));
    case FORMAT_MP3:
    {
        std::unique_ptr<Mp3Writer> mp3(new Mp3Writer(m_settings, warn));
        mp3->LoadEncoder(LameEncoder::GetProgramFolder()); // without it, Open gives up
        return std::unique_ptr<RecordingWriter>(mp3.release());
    }
    case FORMAT_OGG:
        return std::unique_ptr<RecordingWriter>(new OggWriter(m_settings, warn));
    default:
        return nullptr;
    }
}

bool RecordingSession::RecordTo(RecordingWriter& writer, const CString& path, std::unique_ptr<CFile> file,
                                SampleRing& ring, const std::function<bool()>& captureEnded)
{
    if (!writer.Open(path, std::move(file)))
        return false;
    std::vector<int32_t> buffer(writer.GetChunk());
    DrainRing(ring, buffer.data(), writer.GetChunk(), captureEnded,
              [&](const int32_t* samples, unsigned count)
              {
                  // Once the file takes no more, the rest is drained unused.
                  if (!writer.IsFull())
                      writer.Write(samples, count);
              });
    writer.Finish();
    return true;
}

void RecordingSession::EncodeRecording()
{
    RecordingOutcome outcome;
    const bool ogg = m_settings.nOutputFormat == FORMAT_OGG;
    const HRESULT com = ogg ? CoInitializeEx(nullptr, COINIT_MULTITHREADED) : E_FAIL;
    {
        const std::unique_ptr<RecordingWriter> writer = MakeWriter();
        if (writer && RecordTo(*writer, m_strOutputPath, std::unique_ptr<CFile>(new CFile), *m_pRingBuffer,
                               [this] { return CaptureEnded(); }))
        {
            outcome.result = writer->HasWriteFailed()
                                 ? RecordingOutcome::kWriteFailed
                                 : static_cast<RecordingOutcome::Result>(m_nCaptureResult.load());
            outcome.samplesOnDisk = writer->GetSamplesOnDisk();
        }
    }
    if (ogg && SUCCEEDED(com))
        CoUninitialize();
    // A writer that gave up before writing leaves no empty file of ours behind (its own
    // handle is closed by now).
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (outcome.result == RecordingOutcome::kCancelled && m_settings.nSaveLocation &&
        GetFileAttributesExW(m_strOutputPath, GetFileExInfoStandard, &data) && data.nFileSizeLow == 0 &&
        data.nFileSizeHigh == 0)
        DeleteFileW(m_strOutputPath);
    // The window lists the file (unless the writer gave up) before the reset returns it to
    // idle.
    SendMessageW(m_hWnd, WM_REC_FINISHED, 0, reinterpret_cast<LPARAM>(&outcome));
    SendMessageW(m_hWnd, WM_REC_RESET, 0, 0);
    PostLog(L"Done.", LOG_INFO);
}

bool RecordingSession::CaptureEnded() const
{
    return WaitForSingleObject(m_hCaptureThread, 0) != WAIT_TIMEOUT;
}
