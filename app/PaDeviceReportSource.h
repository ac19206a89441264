// The device report's questions answered by the audio library (initialised by the main
// window at start-up).
#pragma once

#include "app/DeviceReportSource.h"

class PaDeviceReportSource : public DeviceReportSource
{
public:
    int DeviceCount() override;
    BOOL Describe(int device, ReportDeviceInfo& info) override;
    PaError IsFormatSupported(const PaStreamParameters* input, const PaStreamParameters* output,
                              double rate) override;
};
