// Recording driver: records from a capture device into a file with the recording engine,
// printing the engine's log; or lists the devices and the formats they accept.
#include <windows.h>

#include <memory>

#include "engine/AudioLibrary.h"
#include "engine/FormatSupportTable.h"
#include "mixer/InputMixer.h"
#include "framework/TextConvert.h"
#include "tools/qmrec/ConsoleOutput.h"
#include "tools/qmrec/DriverOptions.h"
#include "tools/qmrec/DriverWindow.h"

namespace
{
HWND g_hDriverWindow = nullptr;

BOOL WINAPI OnConsoleCtrl(DWORD type)
{
    if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT)
        return FALSE;
    PostMessageW(g_hDriverWindow, DriverWindow::WM_DRIVER_STOP, 0, 0);
    return TRUE;
}

int Fail(const CString& reason, int code = 1)
{
    ConsoleOutput::Line(L"qmrec: " + reason, true);
    return code;
}

void PrintFormatTable(const FormatSupportTable& table)
{
    static const wchar_t* const kRows[] = {L"u8 mono",   L"u8 stereo", L"s8 mono",
                                           L"s8 stereo", L"s16 mono",  L"s16 stereo"};
    CString line = L"      format     ";
    for (int r = 0; r < kSampleRateCount; ++r)
        line.AppendFormat(L"%6d", kSampleRates[r]);
    ConsoleOutput::Line(line);
    for (int row = 0; row < 6; ++row)
    {
        line.Format(L"      %-11s", kRows[row]);
        for (int r = 0; r < kSampleRateCount; ++r)
            line += table.m_deviceSupport[row * kSampleRateCount + r] ? L"   yes" : L"    no";
        ConsoleOutput::Line(line);
    }
}

// The device's recording lines through the system mixer, opened on a short-lived stream.
void PrintMixerLines(int device, const PaDeviceInfo& info)
{
    PaStreamParameters input = {};
    input.device = device;
    input.channelCount = info.maxInputChannels < 2 ? info.maxInputChannels : 2;
    input.sampleFormat = paInt16;
    input.suggestedLatency = info.defaultLowInputLatency;
    PaStream* stream = nullptr;
    const PaError error =
        Pa_OpenStream(&stream, &input, nullptr, info.defaultSampleRate, 0, paNoFlag, nullptr, nullptr);
    if (error != paNoError)
    {
        ConsoleOutput::Line(L"      mixer: " + AudioLibrary::ErrorText(error));
        return;
    }
    std::unique_ptr<InputMixer, void (*)(InputMixer*)> mixer(OpenInputMixer(stream, 0), CloseInputMixer);
    Pa_CloseStream(stream); // the mixer keeps its own handles
    if (!mixer)
    {
        ConsoleOutput::Line(L"      mixer: none");
        return;
    }
    const int count = GetInputSourceCount(mixer.get());
    const int selected = GetSelectedSource(mixer.get());
    CString line;
    line.Format(L"      recording lines: %d", count);
    ConsoleOutput::Line(line);
    for (int s = 0; s < count; ++s)
    {
        line.Format(L"      %c %d: %s", s == selected ? L'*' : L' ', s,
                    AnsiToWide(GetSourceName(mixer.get(), s)).GetString());
        if (s == selected)
        {
            const float volume = GetSourceVolume(mixer.get());
            if (volume < 0.0f)
                line += L" (selected, volume unknown)";
            else
                line.AppendFormat(L" (selected, volume %.2f)", volume);
        }
        ConsoleOutput::Line(line);
    }
}

// Empty when device can record; else why not.
CString CheckCaptureDevice(int device, bool chosen)
{
    const PaDeviceInfo* info = device >= 0 ? Pa_GetDeviceInfo(device) : nullptr;
    CString reason;
    if (!info && chosen)
        reason.Format(L"there is no device %d (--list shows them)", device);
    else if (!info)
        reason = L"there is no capture device";
    else if (info->maxInputChannels < 1)
        reason.Format(L"device %d has no input (--list shows the devices)", device);
    return reason;
}

int ListDevices()
{
    const int count = Pa_GetDeviceCount();
    if (count < 0)
        return Fail(AudioLibrary::ErrorText(count));
    const int defaultInput = Pa_GetDefaultInputDevice();
    for (int i = 0; i < count; ++i)
    {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (!info)
            continue;
        const PaHostApiInfo* api = Pa_GetHostApiInfo(info->hostApi);
        CString line;
        line.Format(L"%d: %s (%s, in %d, out %d)%s", i, AudioLibrary::DeviceName(info).GetString(),
                    api ? AnsiToWide(api->name).GetString() : L"?", info->maxInputChannels,
                    info->maxOutputChannels, i == defaultInput ? L" [default input]" : L"");
        ConsoleOutput::Line(line);
        if (info->maxInputChannels > 0)
        {
            FormatSupportTable table;
            table.ProbeInputFormats(i);
            PrintFormatTable(table);
            PrintMixerLines(i, *info);
        }
    }
    return 0;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    DriverOptions options;
    CString error;
    if (!options.Parse(argc, argv, error))
    {
        ConsoleOutput::Line(DriverOptions::Usage(), true);
        return Fail(error, 2);
    }
    if (options.help)
    {
        ConsoleOutput::Line(DriverOptions::Usage());
        return 0;
    }
    AudioLibrary audio;
    if (audio.GetError() != paNoError)
        return Fail(AudioLibrary::ErrorText(audio.GetError()));
    if (options.list)
        return ListDevices();

    const int device = options.device >= 0 ? options.device : Pa_GetDefaultInputDevice();
    const CString deviceProblem = CheckCaptureDevice(device, options.device >= 0);
    if (!deviceProblem.IsEmpty())
        return Fail(deviceProblem);
    FormatSupportTable formats;
    formats.ProbeInputFormats(device);
    formats.ResetFormatCapabilities();

    DriverWindow window;
    if (!window.Create())
        return Fail(L"cannot create the message window");
    g_hDriverWindow = window.GetSafeHwnd();
    SetConsoleCtrlHandler(OnConsoleCtrl, TRUE);

    if (!window.Session().Record(options.settings, formats, device))
    {
        window.DispatchPending();
        return Fail(window.GetFirstProblem().IsEmpty() ? CString(L"the recording did not start")
                                                       : window.GetFirstProblem());
    }
    CString reason;
    const BOOL ok = window.Run(reason);
    SetConsoleCtrlHandler(OnConsoleCtrl, FALSE);
    if (!ok)
        return Fail(L"recording failed: " + reason);
    ConsoleOutput::Line(window.Session().GetOutputPath());
    return 0;
}
