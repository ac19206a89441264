// The log file: UTF-16LE text with a byte-order mark, appended to. Every call opens the
// file, writes at its end and closes it, so no handle stays open between events.
#pragma once

#include <windows.h>

#include "framework/CString.h"

class EventLogFile
{
public:
    explicit EventLogFile(const CString& path);

    // Two lines of asterisks, the product line and startLine (given without a line end).
    BOOL WriteBanner(const CString& startLine) const;
    // stamp + " " + text + CR LF.
    BOOL AppendEvent(const CString& stamp, const CString& text) const;
    // Five empty lines that separate one run from the next.
    BOOL WriteTrailer() const;

    // "HH:MM:SS  " (two blanks after the seconds).
    static CString FormatStamp(const SYSTEMTIME& t);
    // "Starting Time: HH:MM:SS  Mon DD, YYYY" with English month names, no line end.
    static CString FormatStartLine(const SYSTEMTIME& t);

    const CString& GetPath() const { return m_path; }

private:
    BOOL Append(const CString& text) const;

    CString m_path;
};
