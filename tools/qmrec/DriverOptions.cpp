#include "tools/qmrec/DriverOptions.h"

#include <cwchar>

#include "engine/FormatSupportTable.h"
#include "engine/Mp3EncoderConfig.h"

namespace
{
// The automatic stop's longest time, 99:59:59.
constexpr int kMaxSeconds = (99 * 60 + 59) * 60 + 59;

bool ToInt(const wchar_t* text, int& value)
{
    wchar_t* end = nullptr;
    const long v = std::wcstol(text, &end, 10);
    if (!*text || *end || v < -1000000000L || v > 1000000000L)
        return false;
    value = static_cast<int>(v);
    return true;
}
} // namespace

const wchar_t* DriverOptions::Usage()
{
    return L"usage: qmrec [--help] [--list] [--device N] [--seconds S] [--format wav|mp3|ogg] [--rate HZ]\n"
           L"             [--channels 1|2] [--bits 8|16] [--resolution u8|s8|s16] [--dir FOLDER] [--name "
           L"NAME]\n"
           L"             [--bitrate KBITS] [--mode stereo|joint|dual] [--quality -1..6]\n";
}

BOOL DriverOptions::Parse(int argc, wchar_t** argv, CString& error)
{
    CString folder = L".";
    settings.nOutputFormat = FORMAT_WAV;
    settings.nSaveLocation = 1;
    for (int i = 1; i < argc; ++i)
    {
        const CString option = argv[i];
        if (option == L"--help" || option == L"-h" || option == L"/?")
        {
            help = true;
            return TRUE;
        }
        if (option == L"--list")
        {
            list = true;
            continue;
        }
        if (i + 1 >= argc)
        {
            error = L"missing value after " + option;
            return FALSE;
        }
        const wchar_t* value = argv[++i];
        int number = 0;
        const bool isNumber = ToInt(value, number);
        const CString text = value;
        if (option == L"--device" && isNumber && number >= 0)
            device = number;
        else if (option == L"--seconds" && isNumber && number > 0 && number <= kMaxSeconds)
            seconds = number;
        else if (option == L"--format" && (text == L"wav" || text == L"mp3" || text == L"ogg"))
            settings.nOutputFormat = text == L"wav" ? FORMAT_WAV : text == L"mp3" ? FORMAT_MP3 : FORMAT_OGG;
        else if (option == L"--rate" && isNumber)
        {
            int index = -1;
            for (int r = 0; r < kSampleRateCount; ++r)
                if (kSampleRates[r] == number)
                    index = r;
            if (index < 0)
            {
                error = L"unsupported sampling rate " + text;
                return FALSE;
            }
            settings.nSampleRateIndex = static_cast<int16_t>(index);
        }
        else if (option == L"--channels" && isNumber && (number == 1 || number == 2))
            settings.nChannels = static_cast<int16_t>(number);
        else if (option == L"--bits" && isNumber && (number == 8 || number == 16))
            settings.nWavSubFormat = number == 8 ? 0 : 1;
        else if (option == L"--resolution" && (text == L"u8" || text == L"s8" || text == L"s16"))
            settings.nResolution = text == L"u8"   ? RESOLUTION_U8
                                   : text == L"s8" ? RESOLUTION_S8
                                                   : RESOLUTION_S16;
        else if (option == L"--bitrate" && isNumber)
        {
            int index = -1;
            for (int b = 0; b < Mp3EncoderConfig::kBitrateCount; ++b)
                if (Mp3EncoderConfig::kMp3Bitrates[b] == number)
                    index = b;
            if (index < 0)
            {
                error = L"unsupported MP3 bitrate " + text;
                return FALSE;
            }
            settings.nMp3BitrateIndex = static_cast<int16_t>(index);
        }
        else if (option == L"--mode" && (text == L"stereo" || text == L"joint" || text == L"dual"))
            settings.nMp3ChannelMode = text == L"stereo" ? 0 : text == L"joint" ? 1 : 2;
        else if (option == L"--quality" && isNumber && number >= -1 && number <= 6)
            settings.nOggQuality = static_cast<int16_t>(number);
        else if (option == L"--dir" && !text.IsEmpty())
            folder = text;
        else if (option == L"--name" && !text.IsEmpty())
            settings.strFileName = text;
        else
        {
            error = L"bad option " + option + L" " + text;
            return FALSE;
        }
    }
    // The engine joins folder and name without a separator.
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(folder, MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH)
    {
        error = L"bad folder " + folder;
        return FALSE;
    }
    settings.strDestDir = full;
    if (settings.strDestDir.Right(1) != L"\\")
        settings.strDestDir += L'\\';
    if (seconds > 0)
    {
        settings.bAutoStop = 1;
        settings.nStopHour = static_cast<int16_t>(seconds / 3600);
        settings.nStopMinute = static_cast<int16_t>(seconds / 60 % 60);
        settings.nStopSecond = static_cast<int16_t>(seconds % 60);
    }
    else
    {
        settings.bAutoStop = 0;
    }
    return TRUE;
}
