// A recording the writer has just completed, as the recorded-files list sees it: whether
// it is too short to keep, and the cells of its row. Everything comes from the values the
// recording was started with, never from the settings as they are now.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/RecordedFilesFile.h"
#include "framework/CString.h"

class FinishedRecording
{
public:
    // samples: the interleaved samples in the file on disk.
    FinishedRecording(const CString& path, int64_t samples, int channels, int blockFrames, int outputFormat);

    // One capture block or less: neither file nor row is kept.
    bool IsTooShort() const;
    // The length in whole seconds, rounded.
    uint64_t GetSeconds() const;
    // The name after the last backslash; the folder up to and including it.
    CString GetName() const;
    CString GetFolder() const;
    // The format recorded (not the name's extension, which Save As leaves to the user):
    // WAV, MP3 or OGG.
    CString GetFormatText() const;
    // The cells of the row: name, folder, format, duration, time stamp, size.
    RecordedFileRow MakeRow(uint64_t fileBytes, const SYSTEMTIME& added) const;

    // Megabytes (2^20 bytes) with three decimals, from the whole 64-bit size.
    static CString FormatSize(uint64_t bytes);
    // Whether two full paths name the same file, as the file system compares them.
    static bool SamePath(const CString& a, const CString& b);

private:
    CString m_path;
    int64_t m_samples;
    int m_channels;
    int m_blockFrames;
    int m_outputFormat;
};
