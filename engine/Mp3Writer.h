// MP3 output through the run-time loaded encoder library: drains the ring into the
// encoder, writes its frames and, once the file is closed, the information tag into the
// first frame. Failures are posted as warnings and clear the recording flag, so that
// capture stops.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/LameEncoder.h"
#include "engine/RecorderSettings.h"
#include "engine/RingBuffer.h"
#include "framework/CString.h"

class Mp3Writer
{
public:
    // hWnd receives the WM_REC_LOG messages; recording is cleared on every failure.
    Mp3Writer(HWND hWnd, std::atomic<int32_t>& recording);

    // Loads the library from folder and resolves its entry points; FALSE after the
    // two warnings.
    BOOL LoadEncoder(const CString& folder);

    // 1 when the file was finished, 0 when it gave up (nothing more is then written).
    int Record(const CString& path, const RecorderSettings& settings, SampleRing& ring,
               const std::function<bool()>& captureEnded, std::atomic<int64_t>& samplesRead);

    // The samples carry a 16-bit capture in their top bits: x 2^-16 restores its value.
    // Stereo splits even and odd samples (an odd last sample is dropped); returns the
    // samples per channel.
    static unsigned SplitToFloat(const int32_t* samples, unsigned count, int channels, float* left,
                                 float* right);

    // A multibyte name that reaches the same file: the path itself when the code page
    // holds it, else its short form; empty when neither does.
    static std::string GetTagFileName(const CString& path);

    const LameEncoder& Encoder() const { return m_lame; }

private:
    void Warn(const CString& text);
    void WriteBytes(const BYTE* bytes, DWORD count, FILE* file);

    const HWND m_hWnd;
    std::atomic<int32_t>& m_bRecording;
    LameEncoder m_lame;
    Mp3EncoderConfig m_beConfig{};
    bool m_bReady = false;
    bool m_bWriteFailed = false;
    bool m_bEncodeFailed = false;
};
