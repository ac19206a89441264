// WAV output: the recording's samples into a WavWriter file, up to its size limit.
#pragma once

#include "engine/RecorderSettings.h"
#include "engine/RecordingWriter.h"
#include "engine/WavWriter.h"

class WavRecordingWriter : public RecordingWriter
{
public:
    static constexpr unsigned kChunk = 2048;

    // dataLimit: the most data bytes the file takes.
    WavRecordingWriter(const RecorderSettings& settings, uint64_t dataLimit, WarnFn warn);

    bool Open(const CString& path, std::unique_ptr<CFile> file) override;
    unsigned GetChunk() const override { return kChunk; }
    void Write(const int32_t* samples, unsigned count) override;
    void Finish() override;

private:
    WavWriter m_wav;
    const unsigned m_nBytesPerSample;
};
