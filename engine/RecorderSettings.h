// The user's options. The program keeps one record that its pages edit; a recording
// works on a copy taken when it starts. The fields stand in the order of the settings file.
#pragma once

#include <cstdint>

#include "engine/SettingRanges.h"
#include "framework/CString.h"

enum OutputFormatKind : int16_t
{
    FORMAT_WAV = 1,
    FORMAT_MP3 = 2,
    FORMAT_OGG = 3
};

// What the window does when a recording has stopped by itself.
enum AfterRecordingAction : int16_t
{
    AFTER_RECORDING_NOTHING = 0,
    AFTER_RECORDING_MESSAGE_BOX = 1,
    AFTER_RECORDING_BALLOON = 2
};

enum SampleResolution : int16_t
{
    RESOLUTION_U8 = 0,
    RESOLUTION_S8 = 1,
    RESOLUTION_S16 = 2
};

struct RecorderSettings
{
    int32_t bShowAmplitude = 1; // one progress message a second carries a copy of its block
    int32_t bAutoStop = 0;
    int16_t nStopHour = SettingRanges::kStopHour.defaultValue;
    int16_t nStopMinute = SettingRanges::kStopMinute.defaultValue;
    int16_t nStopSecond = SettingRanges::kStopSecond.defaultValue;
    int32_t bMinimizeToTray = 0;
    int32_t bCloseToTray = 0;
    int16_t nActionAfterRecording = AFTER_RECORDING_BALLOON;
    int16_t nInputDevice = -1;       // index in the window's device list; -1 none chosen
    int32_t bMuteWhileRecording = 1; // message boxes make no sound while recording
    int32_t bWriteLogFile = 0;
    int16_t nLeftBalance = SettingRanges::kBalance.defaultValue;
    int16_t nRightBalance = SettingRanges::kBalance.defaultValue;
    int16_t nOutputFormat = FORMAT_MP3;
    int16_t nSampleRateIndex = SettingRanges::kSampleRateIndex.defaultValue;
    int16_t nChannels = SettingRanges::kChannels.defaultValue;
    int16_t nResolution = SettingRanges::kResolution.defaultValue;
    int16_t nSaveLocation = 1; // 0 ask for a name every time, 1 strDestDir + strFileName
    CString strDestDir;        // ends in a backslash; the program sets its default folder
    CString strFileName = L"Untitled";
    int16_t nWavSubFormat = SettingRanges::kWavSubFormat.defaultValue;
    int16_t nMp3BitrateIndex = SettingRanges::kMp3BitrateIndex.defaultValue;
    int16_t nMp3ChannelMode = SettingRanges::kMp3ChannelMode.defaultValue;
    int32_t nMp3Quality = SettingRanges::kMp3Quality.defaultValue;
    int16_t nOggQuality = SettingRanges::kOggQuality.defaultValue;
};
