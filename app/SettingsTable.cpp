#include "app/SettingsTable.h"

namespace
{
using S = RecorderSettings;
using namespace SettingRanges;

// Every default is the settings record's own.
const RecorderSettings kDefaults;

SettingKey Int32Key(LPCWSTR section, LPCWSTR key, int32_t S::*p)
{
    return {section, key, SettingWidth::Int32, kDefaults.*p, INT_MAX, p, nullptr, nullptr, nullptr};
}

SettingKey Int16Key(LPCWSTR section, LPCWSTR key, int16_t S::*p, int upperLimit = INT_MAX)
{
    return {section, key, SettingWidth::Int16, kDefaults.*p, upperLimit, nullptr, p, nullptr, nullptr};
}

SettingKey TextKey(LPCWSTR section, LPCWSTR key, CString S::*p)
{
    // An empty default is the caller's (the output folder).
    const CString& text = kDefaults.*p;
    return {section, key,     SettingWidth::Text,
            0,       INT_MAX, nullptr,
            nullptr, p,       text.IsEmpty() ? nullptr : text.GetString()};
}

const SettingKey kKeys[] = {
    Int32Key(L"MISC", L"AmpDigi", &S::bShowAmplitude),
    Int32Key(L"MISC", L"Stop", &S::bAutoStop),
    Int16Key(L"MISC", L"StopHour", &S::nStopHour),
    Int16Key(L"MISC", L"StopMin", &S::nStopMinute),
    Int16Key(L"MISC", L"StopSec", &S::nStopSecond),
    Int32Key(L"MISC", L"MinToTray", &S::bMinimizeToTray),
    Int32Key(L"MISC", L"CloseToTray", &S::bCloseToTray),
    Int16Key(L"MISC", L"ActAftRec", &S::nActionAfterRecording),
    Int16Key(L"MISC", L"InputDevice", &S::nInputDevice),
    Int32Key(L"MISC", L"Mute", &S::bMuteWhileRecording),
    Int32Key(L"MISC", L"WriteLog", &S::bWriteLogFile),
    Int16Key(L"MISC", L"LCB", &S::nLeftBalance),
    Int16Key(L"MISC", L"RCB", &S::nRightBalance),
    Int16Key(L"OUTPUT", L"OutputFormat", &S::nOutputFormat),
    Int16Key(L"OUTPUT", L"Freq", &S::nSampleRateIndex),
    Int16Key(L"OUTPUT", L"Chan", &S::nChannels),
    Int16Key(L"OUTPUT", L"Resolution", &S::nResolution),
    Int16Key(L"OUTPUT", L"Loc", &S::nSaveLocation),
    TextKey(L"OUTPUT", L"DesDir", &S::strDestDir),
    TextKey(L"OUTPUT", L"Name", &S::strFileName),
    // Only these three are limited on load; the pages and the engine check the others.
    Int16Key(L"WAV", L"SubFormat", &S::nWavSubFormat, kWavSubFormat.high),
    Int16Key(L"MP3", L"LameBits", &S::nMp3BitrateIndex, kMp3BitrateIndex.high),
    Int16Key(L"MP3", L"LameChannel", &S::nMp3ChannelMode),
    Int16Key(L"OGG", L"QualityCompression", &S::nOggQuality, kOggQuality.high),
};
} // namespace

const SettingKey* GetSettingKeys(size_t* count)
{
    if (count)
        *count = sizeof(kKeys) / sizeof(kKeys[0]);
    return kKeys;
}
