// OGG Vorbis output: drains the ring into the Vorbis encoder (variable bitrate by
// quality) and writes the Ogg pages. Failures are posted as warnings and clear the
// recording flag, so that capture stops; the file is closed on every path.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>

#include "engine/RecorderSettings.h"
#include "engine/RingBuffer.h"
#include "framework/CString.h"

class OggWriter
{
public:
    static constexpr unsigned kChunk = 2048;

    OggWriter(HWND hWnd, std::atomic<int32_t>& recording);

    // 1 when the file was finished, 0 when it gave up before writing.
    int Record(const CString& path, const RecorderSettings& settings, SampleRing& ring,
               const std::function<bool()>& captureEnded, std::atomic<int64_t>& samplesRead);

    // x 2^-31: the full 32-bit range maps to -1.0 up to just below 1.0.
    static void ConvertInt32ToFloat(const int32_t* samples, float* out, unsigned count);

private:
    struct Encoder;
    void Warn(const CString& text);
    void WritePage(const void* header, long headerBytes, const void* body, long bodyBytes);
    void WriteBlocks(Encoder& e);

    const HWND m_hWnd;
    std::atomic<int32_t>& m_bRecording;
    FILE* m_pOggFile = nullptr;
    bool m_bEndOfStream = false;
    bool m_bWriteFailed = false;
};
