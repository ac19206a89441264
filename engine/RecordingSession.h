// One recording at a time: the state the user-interface thread shares with the capture
// thread (producer) and the encoder thread (consumer), and the commands that drive it.
// The workers report to the owner's window only through the WM_REC_* messages and the
// host's few synchronous calls.
#pragma once

#include <windows.h>

#include <portaudio.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "engine/BlockReader.h"
#include "engine/FormatSupportTable.h"
#include "engine/RecorderSettings.h"
#include "engine/RecordingHost.h"
#include "engine/RecordingMessages.h"
#include "engine/RecordingOutcome.h"
#include "engine/RingBuffer.h"
#include "engine/WavWriter.h"
#include "framework/CFile.h"
#include "framework/CString.h"
#include "framework/CWinThread.h"

class RecordingWriter;

class RecordingSession
{
public:
    // Capacities, so that tests can reach their edges.
    struct Limits
    {
        unsigned ringSamples = 0x7FFFF; // about 5 s of 48 kHz stereo
        uint64_t wavDataBytes = WavWriter::kMaxDataBytes;
        // No audio from the device for this long ends the recording (a removed device).
        DWORD silenceMs = 5000;
    };

    RecordingSession(HWND hWnd, RecordingHost& host, const Limits& limits);
    RecordingSession(HWND hWnd, RecordingHost& host) : RecordingSession(hWnd, host, Limits()) {}
    // Stops a running recording and waits for its threads.
    ~RecordingSession();
    RecordingSession(const RecordingSession&) = delete;
    RecordingSession& operator=(const RecordingSession&) = delete;

    // User-interface thread. Record starts a recording from a copy of the settings (it
    // stores the cleaned folder and name back) or refuses with a message; TRUE when started.
    BOOL Record(RecorderSettings& settings, const FormatSupportTable& formats, int device);
    void OnPauseResume();
    // The balance of the recording that runs: the capture thread takes it from its next
    // block on. Record starts from the settings' values.
    void SetBalance(int left, int right);
    // Only clears the recording flag: the capture loop ends and the writer drains the rest.
    void OnStop();
    // A worker of the recording with that number failed: stop, wait for both threads while
    // handling sent messages, and terminate them only as a last resort. FALSE, and nothing
    // done, when the message came late from an earlier recording.
    BOOL OnRecThreadEnd(unsigned recording);
    // No worker of the last recording is still running.
    BOOL HasEnded() const;
    // Waits up to timeoutMs for both workers, handling messages sent to this thread
    // meanwhile (the workers wait on them). TRUE when both have ended.
    BOOL WaitForEnd(DWORD timeoutMs);

    // Capture thread, after every block: 2 when the automatic stop has ended the recording.
    int CheckAutoStop();

    BOOL IsRecording() const { return m_bRecording != 0; }
    BOOL IsPaused() const { return m_bPaused != 0; }
    BOOL IsAutoStopped() const { return m_bAutoStopped != 0; }
    const CString& GetOutputPath() const { return m_strOutputPath; }
    int64_t GetStopBlocks() const { return m_nStopBlocks; }
    int GetBlockFrames() const { return m_nBlockFrames; }
    int GetBlockCount() const { return m_nBlockCount; }
    const RecorderSettings& GetSettings() const { return m_settings; }
    // Counts the recordings started; the workers' WM_REC_THREAD_END carries it.
    unsigned GetRecordingNumber() const { return m_nRecording; }

    // The one warning of a recording that lost input: samples the ring dropped and
    // overflows the device reported. Empty when nothing was lost.
    static CString LossText(uint64_t droppedSamples, unsigned overflows);

    // The capture loop's calls on the stream; tests put failing, stalling or silent ones
    // in their place. Only while no recording runs.
    void SetStreamCalls(const BlockReader::Calls& calls) { m_streamCalls = calls; }

    // The encoder thread's loop: opens writer's file at path through file, drains the ring
    // into it until captureEnded() and the ring is empty, and finishes it. FALSE when the
    // writer gave up before the audio.
    static bool RecordTo(RecordingWriter& writer, const CString& path, std::unique_ptr<CFile> file,
                         SampleRing& ring, const std::function<bool()>& captureEnded);

private:
    static UINT __cdecl CaptureThreadProc(LPVOID pParam);
    static UINT __cdecl EncoderThreadProc(LPVOID pParam);

    void CaptureAudio();
    // result: how the failure ends the recording (read failed or device silent).
    void FailCapture(LPCWSTR text, PaError error, int level);
    void FailCapture(LPCWSTR text, const CString& detail, int level,
                     RecordingOutcome::Result result = RecordingOutcome::kReadFailed);
    void PostProgress(const int32_t* samples, unsigned count, unsigned copies);
    UINT EncoderThread();
    void EncodeRecording();
    // The writer of the recording's format; null for a format there is none for.
    std::unique_ptr<RecordingWriter> MakeWriter();
    bool CaptureEnded() const;
    // WM_REC_LOG with a copy of text; level is a LogLevel. Lost when the post fails.
    void PostLog(const CString& text, int level) const;
    void PostThreadEnd(WPARAM which) const;
    void ReleaseThreads();
    void TerminateRunningThreads();

    const HWND m_hWnd;
    RecordingHost& m_host;
    const Limits m_limits;

    std::atomic<int32_t> m_bRecording{0};
    std::atomic<int32_t> m_bPaused{0};
    std::atomic<int32_t> m_bAutoStopped{0};
    std::atomic<int32_t> m_nBlockCount{0};
    // How capture ended: complete, or the failure that ended it.
    std::atomic<int32_t> m_nCaptureResult{RecordingOutcome::kComplete};
    std::atomic<int32_t> m_nLeftBalance{100};
    std::atomic<int32_t> m_nRightBalance{100};
    // Set before the workers are resumed; they do nothing without it.
    bool m_bLaunched = false;
    unsigned m_nRecording = 0;

    RecorderSettings m_settings; // the workers' copy, fixed while they run
    int m_nDevice = paNoDevice;
    CString m_strOutputPath;
    int64_t m_nStopBlocks = 0;
    int m_nBlockFrames = 0;

    std::unique_ptr<CWinThread> m_pCaptureThread;
    std::unique_ptr<CWinThread> m_pEncoderThread;
    HANDLE m_hCaptureThread = nullptr; // signalled once capture has ended
    std::unique_ptr<SampleRing> m_pRingBuffer;

    PaStreamParameters m_inputParams{};
    PaStream* m_pStream = nullptr;
    PaError m_paError = paNoError;
    BlockReader::Calls m_streamCalls;
};
