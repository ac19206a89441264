#include "app/SettingsTable.h"

namespace
{
using S = RecorderSettings;

constexpr SettingKey Int32Key(LPCWSTR section, LPCWSTR key, int defaultValue, int32_t S::*p)
{
    return {section, key, SettingWidth::Int32, defaultValue, INT_MAX, p, nullptr, nullptr, nullptr};
}

constexpr SettingKey Int16Key(LPCWSTR section, LPCWSTR key, int defaultValue, int16_t S::*p,
                              int upperLimit = INT_MAX)
{
    return {section, key, SettingWidth::Int16, defaultValue, upperLimit, nullptr, p, nullptr, nullptr};
}

constexpr SettingKey TextKey(LPCWSTR section, LPCWSTR key, LPCWSTR defaultText, CString S::*p)
{
    return {section, key, SettingWidth::Text, 0, INT_MAX, nullptr, nullptr, p, defaultText};
}

const SettingKey kKeys[] = {
    Int32Key(L"MISC", L"AmpDigi", 1, &S::bShowAmplitude),
    Int32Key(L"MISC", L"Stop", 0, &S::bAutoStop),
    Int16Key(L"MISC", L"StopHour", 0, &S::nStopHour),
    Int16Key(L"MISC", L"StopMin", 2, &S::nStopMinute),
    Int16Key(L"MISC", L"StopSec", 30, &S::nStopSecond),
    Int32Key(L"MISC", L"MinToTray", 0, &S::bMinimizeToTray),
    Int32Key(L"MISC", L"CloseToTray", 0, &S::bCloseToTray),
    Int16Key(L"MISC", L"ActAftRec", 2, &S::nActionAfterRecording),
    Int16Key(L"MISC", L"InputDevice", -1, &S::nInputDevice),
    Int32Key(L"MISC", L"Mute", 1, &S::bMuteWhileRecording),
    Int32Key(L"MISC", L"WriteLog", 0, &S::bWriteLogFile),
    Int16Key(L"MISC", L"LCB", 100, &S::nLeftBalance),
    Int16Key(L"MISC", L"RCB", 100, &S::nRightBalance),
    Int16Key(L"OUTPUT", L"OutputFormat", FORMAT_MP3, &S::nOutputFormat),
    Int16Key(L"OUTPUT", L"Freq", 7, &S::nSampleRateIndex),
    Int16Key(L"OUTPUT", L"Chan", 2, &S::nChannels),
    Int16Key(L"OUTPUT", L"Resolution", RESOLUTION_S16, &S::nResolution),
    Int16Key(L"OUTPUT", L"Loc", 1, &S::nSaveLocation),
    TextKey(L"OUTPUT", L"DesDir", nullptr, &S::strDestDir),
    TextKey(L"OUTPUT", L"Name", L"Untitled", &S::strFileName),
    Int16Key(L"WAV", L"SubFormat", 1, &S::nWavSubFormat, 1),
    Int16Key(L"MP3", L"LameBits", 11, &S::nMp3BitrateIndex, 13),
    Int16Key(L"MP3", L"LameChannel", 1, &S::nMp3ChannelMode),
    Int16Key(L"OGG", L"QualityCompression", 3, &S::nOggQuality, 6),
};
} // namespace

const SettingKey* GetSettingKeys(size_t* count)
{
    if (count)
        *count = sizeof(kKeys) / sizeof(kKeys[0]);
    return kKeys;
}
