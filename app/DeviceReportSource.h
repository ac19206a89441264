// What the device report asks of the audio library: the devices, their descriptions and
// whether a stream format is accepted. The program answers from the library itself; the
// tests answer with made-up devices.
#pragma once

#include <portaudio.h>

#include "framework/CString.h"

struct ReportDeviceInfo
{
    CString name;
    CString hostApiName;
    int maxInputChannels = 0;
    int maxOutputChannels = 0;
    double defaultLowInputLatency = 0.0;
    double defaultLowOutputLatency = 0.0;
    double defaultHighInputLatency = 0.0;
    double defaultHighOutputLatency = 0.0;
    double defaultSampleRate = 0.0;
    bool isDefaultInput = false;        // the system's default input
    bool isHostApiDefaultInput = false; // its host API's default input
    bool isDefaultOutput = false;
    bool isHostApiDefaultOutput = false;
};

class DeviceReportSource
{
public:
    virtual ~DeviceReportSource() = default;
    // The device count, or the library's negative error.
    virtual int DeviceCount() = 0;
    // FALSE when the library describes no such device.
    virtual BOOL Describe(int device, ReportDeviceInfo& info) = 0;
    // paFormatIsSupported (0) when accepted; one of the parameters is null.
    virtual PaError IsFormatSupported(const PaStreamParameters* input, const PaStreamParameters* output,
                                      double rate) = 0;
};
