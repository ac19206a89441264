// One output format's file as the session's drain loop sees it: open, take chunks of
// interleaved samples, finish; and how much of it reached the disk. A writer tells what
// went wrong through the session's warning function, which logs it and stops the capture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "framework/CFile.h"
#include "framework/CString.h"

class RecordingWriter
{
public:
    // Logs a warning and stops the capture.
    using WarnFn = std::function<void(const CString& text)>;

    explicit RecordingWriter(WarnFn warn);
    virtual ~RecordingWriter();
    RecordingWriter(const RecordingWriter&) = delete;
    RecordingWriter& operator=(const RecordingWriter&) = delete;

    // Creates the file through file (tests pass one that fails) and writes what comes
    // before the audio. FALSE when the writer gave up before the audio, after its warnings.
    virtual bool Open(const CString& path, std::unique_ptr<CFile> file) = 0;
    // Samples per Write, once open.
    virtual unsigned GetChunk() const = 0;
    // count interleaved samples: a whole chunk, or less at the end.
    virtual void Write(const int32_t* samples, unsigned count) = 0;
    // Writes what the encoder still holds and closes the file.
    virtual void Finish() = 0;

    // After a failed write, or at the file's size limit: the rest is drained unused.
    bool IsFull() const { return m_bFull; }
    bool HasWriteFailed() const { return m_bWriteFailed; }
    // Interleaved samples in the file on disk, at the recording's rate.
    int64_t GetSamplesOnDisk() const { return m_nSamplesOnDisk; }

protected:
    void Warn(const CString& text) const { m_warn(text); }
    // Opens path for writing through file, readers allowed; FALSE after its warning and
    // the system's reason.
    bool CreateOutput(const CString& path, CFile& file) const;
    // A file opened by CreateOutput that could not take what comes before the audio: it is
    // no recording, so it is closed and removed rather than left to take the name.
    void DiscardOutput(CFile& file, const CString& path) const;
    // The first failed write: its warning, then the file's reason.
    void FailWrite(const CFileException& error);
    // After a failed write, part of it may be on disk: cuts the file back to length, the
    // end of the last whole frame or page, so that the file ends on one.
    static void CutBack(CFile& file, uint64_t length);
    void SetFull() { m_bFull = true; }

    int64_t m_nSamplesOnDisk = 0;

private:
    // A file error's reason as a line of its own, after the line that says what failed.
    void WarnReason(const CFileException& error) const;

    WarnFn m_warn;
    bool m_bFull = false;
    bool m_bWriteFailed = false;
};
