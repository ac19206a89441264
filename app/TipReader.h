// The tips file: 8-bit text beside the program, one tip a line. Lines that start with a
// blank, a TAB, a line end or ";" are comments or empty and never show; a line longer
// than kMaxPiece characters comes in pieces, each counted as a line. Reading goes round
// the file: after the last tip comes the first again.
#pragma once

#include <cstdio>

#include "framework/CString.h"

class TipReader
{
public:
    enum Result
    {
        TipRead,      // the tip (with its line end) is in the string
        NoTipLine,    // a whole pass found only comments and empty lines
        RewindFailed, // the file could not go back to its start; the string is unchanged
    };

    static constexpr int kMaxPiece = 999;

    TipReader() = default;
    ~TipReader() { Close(); }
    TipReader(const TipReader&) = delete;
    TipReader& operator=(const TipReader&) = delete;

    // Opens the file for reading in text mode; FALSE when it cannot be opened.
    BOOL Open(const CString& path);
    void Close();
    BOOL IsOpen() const { return m_pStream != nullptr; }

    Result ReadNextTip(CString& tip);

    // Whether a line that starts with this character is a tip.
    static bool IsTipLine(char first);

private:
    FILE* m_pStream = nullptr;
};

// The tips file beside the program in programDir (no trailing backslash).
CString TipsFilePath(const CString& programDir);
