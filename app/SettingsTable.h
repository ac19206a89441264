// The settings file's keys, declared once: loading, saving and their tests loop over
// this table, in the order the keys stand in the file.
#pragma once

#include <windows.h>

#include <climits>
#include <cstddef>
#include <cstdint>

#include "engine/RecorderSettings.h"

enum class SettingWidth
{
    Int32,
    Int16,
    Text
};

struct SettingKey
{
    LPCWSTR section;
    LPCWSTR key;
    SettingWidth width;
    int defaultValue;
    int upperLimit; // applied on load, INT_MAX none
    int32_t RecorderSettings::*p32;
    int16_t RecorderSettings::*p16;
    CString RecorderSettings::*pText;
    // Text keys: the default; null where the caller computes it (the output folder).
    LPCWSTR defaultText;
};

// The keys in file order.
const SettingKey* GetSettingKeys(size_t* count);

// The Tip of the Day switch shares the file but is read and written on its own.
constexpr LPCWSTR kTipSection = L"MISC";
constexpr LPCWSTR kTipKey = L"Tip";
constexpr int kTipDefault = 1;
