// Finds recorded audio in the harness's known signal, sample by sample.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// The signal the harness plays: interleaved stereo 16-bit frames, looped without seams.
std::vector<int16_t> LoadHarnessSignal(std::wstring* error);

struct SignalMatch
{
    bool found = false; // the first frame occurs in the signal at all
    size_t offset = 0;  // frame index of the first recorded frame in the signal
    size_t matched = 0; // frames that match from there on, before the first mismatch
    size_t firstNonSilent = 0;
};

// Matches interleaved frames (channels 1 or 2) against the looped stereo signal.
// A mono recording is compared with the left channel. shift drops that many low
// bits from both sides before comparing (8 for 8-bit recordings).
// Leading silence (all-zero frames, before the stream delivers) is skipped.
SignalMatch MatchSignal(const std::vector<int16_t>& signal, const int16_t* frames, size_t frameCount,
                        int channels, int shift = 0);

// Whether interleaved samples (channels 1 or 2, shift as above) are the harness's signal
// from their first sound, which comes before frame firstSoundBefore, to their last frame
// without a gap.
::testing::AssertionResult IsWholeSignal(const std::vector<int16_t>& samples, int channels, int shift = 0,
                                         size_t firstSoundBefore = SIZE_MAX);
