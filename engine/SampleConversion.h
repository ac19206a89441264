// Widening of captured samples to 32-bit integers with the sample in the top bits, and
// the channel balance applied to them.
#pragma once

#include <cstdint>

typedef unsigned long PaSampleFormat;

// The audio library's format for a resolution (0 unsigned 8-bit, 1 signed 8-bit, 2 16-bit).
PaSampleFormat GetCaptureSampleFormat(int resolution);

// 1 for the 8-bit resolutions, 2 otherwise.
int GetCaptureSampleBytes(int resolution);

// Zeroes dst, then widens count samples of src; an unknown resolution leaves zeros.
void ConvertCaptureToInt32(const void* src, int32_t* dst, unsigned count, int resolution);

// Scales the left and right samples of interleaved stereo frames, truncating toward zero.
void ApplyBalance(int32_t* samples, unsigned frames, float leftGain, float rightGain);
