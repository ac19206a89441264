// The text of the Sound Device Info report: every device the audio library sees, its
// roles, channels, latencies and default rate, and per sample format and channel count
// the standard rates it accepts. Lines go to a sink with a colour code (0 blue, 1 green,
// 2 red) as they are made.
#pragma once

#include <windows.h>

#include <functional>

#include "app/DeviceReportSource.h"

class DeviceReport
{
public:
    using Sink = std::function<void(const CString& text, int colour)>;

    // The report's colour of a code; blue for any unknown code.
    static COLORREF Colour(int colour);
    // The lines for a device count with nothing to report (an error or no device);
    // FALSE, and no line, when there are devices.
    static BOOL ReportNoDevices(int count, const Sink& sink);
    // Everything from "Found %d devices." to the closing line.
    static void ReportDevices(DeviceReportSource& source, int count, const Sink& sink);
    // The accepted standard rates, eight to a line; one of the parameters is null.
    static void ListSupportedRates(DeviceReportSource& source, const PaStreamParameters* input,
                                   const PaStreamParameters* output, const Sink& sink);

private:
    static void ReportDevice(DeviceReportSource& source, int device, const Sink& sink);
};
