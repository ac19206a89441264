// How a recording ended and how much of it reached the disk: the value the finished
// message carries, so that its owner decides on it rather than on the log's wording.
#pragma once

#include <cstdint>

struct RecordingOutcome
{
    enum Result
    {
        kComplete,     // the file holds everything captured
        kWriteFailed,  // a write failed (a full disk): the file ends where it failed
        kReadFailed,   // the input stream failed: the file holds what came before
        kDeviceSilent, // the device delivered nothing for the silence limit
        kCancelled     // the writer gave up before the audio: there is no file to keep
    };

    Result result = kCancelled;
    // Interleaved samples in the file on disk, at the recording's rate: what a player gets.
    int64_t samplesOnDisk = 0;
};
