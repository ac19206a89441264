// MP3 output through the run-time loaded encoder library: encodes the chunks, writes its
// frames and, once the file is closed, the information tag into the first frame.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/LameEncoder.h"
#include "engine/RecorderSettings.h"
#include "engine/RecordingWriter.h"
#include "framework/CString.h"

class Mp3Writer : public RecordingWriter
{
public:
    Mp3Writer(const RecorderSettings& settings, WarnFn warn);
    ~Mp3Writer() override;

    // Loads the library from folder and resolves its entry points; FALSE after the
    // two warnings (Open then gives up without a word).
    BOOL LoadEncoder(const CString& folder);

    bool Open(const CString& path, std::unique_ptr<CFile> file) override;
    unsigned GetChunk() const override { return m_nChunk; }
    void Write(const int32_t* samples, unsigned count) override;
    void Finish() override;

    // The samples carry a 16-bit capture in their top bits: x 2^-16 restores its value.
    // Stereo splits even and odd samples (an odd last sample is dropped); returns the
    // samples per channel.
    static unsigned SplitToFloat(const int32_t* samples, unsigned count, int channels, float* left,
                                 float* right);

    // A multibyte name that reaches the same file: the path itself when the code page
    // holds it, else its short form; empty when neither does.
    static std::string GetTagFileName(const CString& path);

    // The bytes of the layer III frame that header (4 bytes) starts, with its samples per
    // channel and its rate; 0 when it starts no frame.
    static unsigned FrameBytes(const BYTE* header, unsigned& samples, unsigned& rate);

    const LameEncoder& Encoder() const { return m_lame; }

private:
    void WriteBytes(const BYTE* bytes, DWORD count);
    void CountFrames(const BYTE* bytes, uint64_t count);

    const RecorderSettings m_settings;
    LameEncoder m_lame;
    Mp3EncoderConfig m_beConfig{};
    bool m_bReady = false;
    bool m_bEncodeFailed = false;
    std::unique_ptr<CFile> m_file;
    LameEncoder::HBE_STREAM m_stream = nullptr;
    CString m_path;
    unsigned m_nChunk = 0;
    std::vector<BYTE> m_out;
    std::vector<float> m_left;
    std::vector<float> m_right;

    // What reached the disk: the whole frames among the bytes written, each frame found
    // from the one before by its header.
    uint64_t m_nSamplesIn = 0; // interleaved, handed to the encoder
    uint64_t m_nBytesOnDisk = 0;
    uint64_t m_nNextFrame = 0; // where the first frame not yet whole on disk starts
    BYTE m_header[4] = {};
    unsigned m_nHeaderBytes = 0;  // of that frame's header, seen so far
    uint64_t m_nFrameSamples = 0; // per channel, at the file's rate
    unsigned m_nFileRate = 0;
    bool m_bLostFrames = false; // bytes that are no frame: counting stops
};
