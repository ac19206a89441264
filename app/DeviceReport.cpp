#include "app/DeviceReport.h"

#include <cstdarg>
#include <cstdint>

namespace
{
// The standard rates the report asks about, ended by -1.
const int kReportRates[] = {6000,  8000,  9600,  11025, 12000,  16000,  22050,  24000, 32000,
                            44100, 48000, 88200, 96000, 192000, 288000, 384000, -1};

struct FormatHeading
{
    PaSampleFormat format;
    LPCWSTR heading;
};
const FormatHeading kFormats[6] = {
    {paUInt8, L"Diagnose unsigned 8 bit integer bit resolution..."},
    {paInt8, L"Diagnose signed 8 bit integer bit resolution..."},
    {paInt16, L"Diagnose signed 16 bit integer bit resolution..."},
    {paInt24, L"Diagnose signed 24 bit integer bit resolution..."},
    {paInt32, L"Diagnose signed 32 bit integer bit resolution..."},
    {paFloat32, L"Diagnose 32 bit float point bit resolution..."},
};

CString Repeat(wchar_t c, int count)
{
    CString text;
    for (int i = 0; i < count; ++i)
        text += c;
    return text;
}

CString Formatted(LPCWSTR format, ...)
{
    CString text;
    va_list args;
    va_start(args, format);
    text.FormatV(format, args);
    va_end(args);
    return text;
}
} // namespace

COLORREF DeviceReport::Colour(int colour)
{
    switch (colour)
    {
    case 1:
        return RGB(0, 128, 0);
    case 2:
        return RGB(255, 0, 0);
    default:
        return RGB(0, 0, 255);
    }
}

BOOL DeviceReport::ReportNoDevices(int count, const Sink& sink)
{
    const auto shortCount = static_cast<int16_t>(count);
    if (shortCount < 0)
        sink(L"An error occurred!", 2);
    else if (shortCount == 0)
        sink(L"Warning:no device found!", 2);
    else
        return FALSE;
    return TRUE;
}

void DeviceReport::ListSupportedRates(DeviceReportSource& source, const PaStreamParameters* input,
                                      const PaStreamParameters* output, const Sink& sink)
{
    CString line;
    int pieces = 0;
    for (int i = 0; kReportRates[i] > 0; ++i)
    {
        if (source.IsFormatSupported(input, output, kReportRates[i]) != paFormatIsSupported)
            continue;
        const CString piece =
            Formatted(pieces == 0 || pieces == 8 ? L"%06d Hz" : L"   %06d Hz", kReportRates[i]);
        if (pieces == 8)
        {
            sink(line, 0);
            line.Empty();
            pieces = 0;
        }
        line += piece;
        ++pieces;
    }
    sink(line, 0);
}

void DeviceReport::ReportDevices(DeviceReportSource& source, int count, const Sink& sink)
{
    sink(Formatted(L"Found %d devices.", count), 0);
    sink(L"", 0);
    for (int i = 0; i < count; ++i)
        ReportDevice(source, i, sink);
    sink(Repeat(L'*', 34) + L"End of Report" + Repeat(L'*', 36), 0);
}

void DeviceReport::ReportDevice(DeviceReportSource& source, int device, const Sink& sink)
{
    const CString bar = Repeat(L'=', 27);
    sink(bar + Formatted(L"Device #%02d", device + 1) + bar, 2);
    ReportDeviceInfo info;
    if (source.Describe(device, info))
    {
        if (info.isDefaultInput)
            sink(L"This device is the default input device. ", 1);
        else if (info.isHostApiDefaultInput)
            sink(Formatted(L"This device is the default %s input", info.hostApiName.GetString()), 1);
        if (info.isDefaultOutput)
            sink(L"This device is the default output device. ", 1);
        else if (info.isHostApiDefaultOutput)
            sink(Formatted(L"This device is the default %s output", info.hostApiName.GetString()), 1);

        sink(Formatted(L"Name                        = %s", info.name.GetString()), 1);
        sink(Formatted(L"Host API                    = %s", info.hostApiName.GetString()), 1);
        sink(Formatted(L"Max inputs channels = %d", info.maxInputChannels), 1);
        sink(Formatted(L"Max outputs channels= %d", info.maxOutputChannels), 1);
        sink(Formatted(L"Default low input latency    = %8.3f", info.defaultLowInputLatency), 1);
        sink(Formatted(L"Default low output latency  = %8.3f", info.defaultLowOutputLatency), 1);
        sink(Formatted(L"Default high input latency   = %8.3f", info.defaultHighInputLatency), 1);
        sink(Formatted(L"Default high output latency = %8.3f", info.defaultHighOutputLatency), 1);
        sink(Formatted(L"Default sample rate         = %8.1f", info.defaultSampleRate), 1);
        sink(L"", 0);

        // One direction: input when the device has any, else output.
        const bool input = info.maxInputChannels > 0;
        const int maxChannels = input ? info.maxInputChannels : info.maxOutputChannels;
        if (maxChannels > 0)
        {
            PaStreamParameters params = {};
            params.device = device;
            params.suggestedLatency = 0.0;
            params.hostApiSpecificStreamInfo = nullptr;
            for (const FormatHeading& format : kFormats)
            {
                sink(format.heading, 0);
                params.sampleFormat = format.format;
                for (int c = 1; c <= maxChannels; ++c)
                {
                    params.channelCount = c;
                    sink(Formatted(input ? L"Supported standard sample rates for %d channel input:"
                                         : L"Supported standard sample rates for %d channel output:",
                                   c),
                         1);
                    ListSupportedRates(source, input ? &params : nullptr, input ? nullptr : &params, sink);
                }
                sink(Repeat(L'-', 113), 1);
                sink(L"", 0);
            }
        }
    }
    sink(Repeat(L'*', 81), 2);
    sink(L"", 0);
}
