#include "app/PaDeviceReportSource.h"

#include "app/FormatTables.h"

int PaDeviceReportSource::DeviceCount()
{
    return Pa_GetDeviceCount();
}

BOOL PaDeviceReportSource::Describe(int device, ReportDeviceInfo& info)
{
    const PaDeviceInfo* pa = Pa_GetDeviceInfo(device);
    if (!pa)
        return FALSE;
    info = ReportDeviceInfo();
    info.name = AnsiToCString(pa->name);
    info.maxInputChannels = pa->maxInputChannels;
    info.maxOutputChannels = pa->maxOutputChannels;
    info.defaultLowInputLatency = pa->defaultLowInputLatency;
    info.defaultLowOutputLatency = pa->defaultLowOutputLatency;
    info.defaultHighInputLatency = pa->defaultHighInputLatency;
    info.defaultHighOutputLatency = pa->defaultHighOutputLatency;
    info.defaultSampleRate = pa->defaultSampleRate;
    info.isDefaultInput = device == Pa_GetDefaultInputDevice();
    info.isDefaultOutput = device == Pa_GetDefaultOutputDevice();
    if (const PaHostApiInfo* host = Pa_GetHostApiInfo(pa->hostApi))
    {
        info.hostApiName = AnsiToCString(host->name);
        info.isHostApiDefaultInput = device == host->defaultInputDevice;
        info.isHostApiDefaultOutput = device == host->defaultOutputDevice;
    }
    return TRUE;
}

PaError PaDeviceReportSource::IsFormatSupported(const PaStreamParameters* input,
                                                const PaStreamParameters* output, double rate)
{
    return Pa_IsFormatSupported(input, output, rate);
}
