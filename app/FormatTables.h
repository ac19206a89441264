// Range-checked access to the format tables: settings come from a file a user can edit,
// so every index is checked before a table is read.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/RecorderSettings.h"
#include "framework/CString.h"

// FALSE (rate untouched) when index is outside the sampling-rate table.
BOOL SampleRateAt(int index, int32_t& rate);
// FALSE (kbps untouched) when index is outside the MP3 bitrate table.
BOOL Mp3BitrateAt(int index, int& kbps);

// Narrow text in the system code page; null gives an empty string.
CString AnsiToCString(const char* text);

// " 44100 Hz;  Stereo;": the rate (a "?" when its index is outside the table), then
// " Mono;" for one channel, " Stereo;" otherwise.
CString FormatRateAndChannels(const RecorderSettings& s);
