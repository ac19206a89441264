// The texts and numbers of the main window's live display: elapsed time, progress
// towards the automatic stop, the input levels and the output format line.
#pragma once

#include <cstdint>

#include "engine/RecorderSettings.h"
#include "framework/CString.h"

class RecordingReadouts
{
public:
    // "%02d:%02d:%02d.%d" of a count of 100 ms blocks; hours grow past two digits.
    static CString ElapsedText(int64_t blocks);
    // Tenths of a percent of the automatic stop, 0..1000. FALSE when there is no limit
    // (0 blocks, which an automatic stop of 00:00:00 gives).
    static BOOL StopProgress(int64_t blocks, int64_t stopBlocks, int& permille);
    // "-%02d" texts of the left and right level of a block copy (mono: the same text
    // twice). FALSE when the copy holds too few samples to measure.
    static BOOL LevelTexts(const int32_t* samples, unsigned count, int channels, CString& left,
                           CString& right);
    // The status bar's format line, with the rate the file will have; for a format outside
    // the three, that nothing can be recorded.
    static CString FormatDescription(const RecorderSettings& s);
};
