// OGG Vorbis output: the Vorbis encoder (variable bitrate by quality) and the Ogg pages,
// written page by page.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/RecorderSettings.h"
#include "engine/RecordingWriter.h"

class OggWriter : public RecordingWriter
{
public:
    static constexpr unsigned kChunk = 2048;

    OggWriter(const RecorderSettings& settings, WarnFn warn);
    ~OggWriter() override;

    bool Open(const CString& path, std::unique_ptr<CFile> file) override;
    unsigned GetChunk() const override { return kChunk; }
    void Write(const int32_t* samples, unsigned count) override;
    void Finish() override;

    // x 2^-31: the full 32-bit range maps to -1.0 up to just below 1.0.
    static void ConvertInt32ToFloat(const int32_t* samples, float* out, unsigned count);

private:
    struct Encoder;
    // granule: the page's position in samples per channel, -1 when it ends no packet.
    void WritePage(const void* header, long headerBytes, const void* body, long bodyBytes, int64_t granule);
    void WriteBlocks();

    const RecorderSettings m_settings;
    std::unique_ptr<Encoder> m_encoder;
    std::unique_ptr<CFile> m_file;
    std::vector<float> m_floats;
    bool m_bEndOfStream = false;
    uint64_t m_nBytesOnDisk = 0; // the whole pages written
};
