// The device report's text from made-up devices: its banners, fields and colours, one
// direction per device, and the rate lines of eight.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DeviceReport.h"

namespace
{
struct Line
{
    std::wstring text;
    int colour;
};

struct Query
{
    bool input;
    PaStreamParameters params;
    double rate;
};

class FakeSource : public DeviceReportSource
{
public:
    int DeviceCount() override { return count >= 0 ? count : static_cast<int>(devices.size()); }
    BOOL Describe(int device, ReportDeviceInfo& info) override
    {
        if (device < 0 || device >= static_cast<int>(devices.size()))
            return FALSE;
        info = devices[static_cast<size_t>(device)];
        return TRUE;
    }
    PaError IsFormatSupported(const PaStreamParameters* input, const PaStreamParameters* output,
                              double rate) override
    {
        EXPECT_TRUE((input == nullptr) != (output == nullptr));
        const PaStreamParameters& p = input ? *input : *output;
        queries.push_back({input != nullptr, p, rate});
        return accepts(p, rate) ? paFormatIsSupported : paInvalidSampleRate;
    }

    int count = -1; // -1: as many as described
    std::vector<ReportDeviceInfo> devices;
    std::function<bool(const PaStreamParameters&, double)> accepts = [](const PaStreamParameters&, double)
    { return true; };
    std::vector<Query> queries;
};

ReportDeviceInfo Device(const wchar_t* name, int inputs, int outputs)
{
    ReportDeviceInfo info;
    info.name = name;
    info.hostApiName = L"MME";
    info.maxInputChannels = inputs;
    info.maxOutputChannels = outputs;
    info.defaultLowInputLatency = 0.09;
    info.defaultLowOutputLatency = 0.0906;
    info.defaultHighInputLatency = 0.18;
    info.defaultHighOutputLatency = 0.1811;
    info.defaultSampleRate = 44100.0;
    return info;
}

std::vector<Line> Report(FakeSource& source)
{
    std::vector<Line> lines;
    const DeviceReport::Sink sink = [&](const CString& text, int colour) {
        lines.push_back({text.GetString(), colour});
    };
    if (!DeviceReport::ReportNoDevices(source.DeviceCount(), sink))
        DeviceReport::ReportDevices(source, source.DeviceCount(), sink);
    return lines;
}

size_t Find(const std::vector<Line>& lines, const std::wstring& text, size_t from = 0)
{
    for (size_t i = from; i < lines.size(); ++i)
        if (lines[i].text == text)
            return i;
    return lines.size();
}
} // namespace

TEST(DeviceReport, OneStereoInputDeviceFromBannerToTheEnd)
{
    FakeSource source;
    ReportDeviceInfo info = Device(L"Line In (Card)", 2, 0);
    info.isDefaultInput = true;
    info.isHostApiDefaultInput = true; // the system's default wins
    info.isHostApiDefaultOutput = true;
    source.devices = {info};
    // 16-bit: every rate; any other format: none at all.
    source.accepts = [](const PaStreamParameters& p, double) { return p.sampleFormat == paInt16; };
    const std::vector<Line> lines = Report(source);

    const std::vector<Line> head = {
        {L"Found 1 devices.", 0},
        {L"", 0},
        {L"===========================Device #01===========================", 2},
        {L"This device is the default input device. ", 1},
        {L"This device is the default MME output", 1},
        {L"Name                        = Line In (Card)", 1},
        {L"Host API                    = MME", 1},
        {L"Max inputs channels = 2", 1},
        {L"Max outputs channels= 0", 1},
        {L"Default low input latency    =    0.090", 1},
        {L"Default low output latency  =    0.091", 1},
        {L"Default high input latency   =    0.180", 1},
        {L"Default high output latency =    0.181", 1},
        {L"Default sample rate         =  44100.0", 1},
        {L"", 0},
        {L"Diagnose unsigned 8 bit integer bit resolution...", 0},
        {L"Supported standard sample rates for 1 channel input:", 1},
        {L"", 0}, // no rate: an empty line (four blanks in the box)
        {L"Supported standard sample rates for 2 channel input:", 1},
        {L"", 0},
        {std::wstring(113, L'-'), 1},
        {L"", 0},
        {L"Diagnose signed 8 bit integer bit resolution...", 0},
    };
    ASSERT_GT(lines.size(), head.size());
    for (size_t i = 0; i < head.size(); ++i)
    {
        EXPECT_EQ(head[i].text, lines[i].text) << i;
        EXPECT_EQ(head[i].colour, lines[i].colour) << i;
    }

    // All sixteen rates: two lines of eight, zero-padded, no blanks before a line's first.
    const size_t at = Find(lines, L"Diagnose signed 16 bit integer bit resolution...");
    ASSERT_LT(at + 7, lines.size());
    EXPECT_EQ(L"Supported standard sample rates for 1 channel input:", lines[at + 1].text);
    EXPECT_EQ(
        L"006000 Hz   008000 Hz   009600 Hz   011025 Hz   012000 Hz   016000 Hz   022050 Hz   024000 Hz",
        lines[at + 2].text);
    EXPECT_EQ(
        L"032000 Hz   044100 Hz   048000 Hz   088200 Hz   096000 Hz   192000 Hz   288000 Hz   384000 Hz",
        lines[at + 3].text);
    EXPECT_EQ(0, lines[at + 2].colour);
    EXPECT_EQ(L"Supported standard sample rates for 2 channel input:", lines[at + 4].text);
    EXPECT_EQ(lines[at + 2].text, lines[at + 5].text);
    EXPECT_EQ(lines[at + 3].text, lines[at + 6].text);
    EXPECT_EQ(std::wstring(113, L'-'), lines[at + 7].text);

    // Six formats in order, then the device's closing stars and the report's last line.
    const wchar_t* formats[6] = {L"unsigned 8 bit integer", L"signed 8 bit integer",
                                 L"signed 16 bit integer",  L"signed 24 bit integer",
                                 L"signed 32 bit integer",  L"32 bit float point"};
    size_t from = 0;
    for (const wchar_t* format : formats)
    {
        from = Find(lines, L"Diagnose " + std::wstring(format) + L" bit resolution...", from);
        EXPECT_LT(from, lines.size());
    }
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(std::wstring(81, L'*'), lines[lines.size() - 3].text);
    EXPECT_EQ(2, lines[lines.size() - 3].colour);
    EXPECT_EQ(L"", lines[lines.size() - 2].text);
    EXPECT_EQ(std::wstring(34, L'*') + L"End of Report" + std::wstring(36, L'*'), lines.back().text);
    EXPECT_EQ(83u, lines.back().text.size());
    EXPECT_EQ(0, lines.back().colour);

    // Each question names the device, no latency, and a channel count the device has.
    ASSERT_EQ(6u * 2u * 16u, source.queries.size());
    for (const Query& q : source.queries)
    {
        EXPECT_TRUE(q.input);
        EXPECT_EQ(0, q.params.device);
        EXPECT_EQ(0.0, q.params.suggestedLatency);
        EXPECT_EQ(nullptr, q.params.hostApiSpecificStreamInfo);
    }
    EXPECT_EQ(paUInt8, source.queries.front().params.sampleFormat);
    EXPECT_EQ(1, source.queries.front().params.channelCount);
    EXPECT_EQ(6000.0, source.queries.front().rate);
    EXPECT_EQ(paFloat32, source.queries.back().params.sampleFormat);
    EXPECT_EQ(2, source.queries.back().params.channelCount);
    EXPECT_EQ(384000.0, source.queries.back().rate);
}

TEST(DeviceReport, NinthRateStartsANewLineAndAPartLineStaysOpen)
{
    FakeSource source;
    source.devices = {Device(L"Mic", 1, 0)};
    // The first nine rates only: a line of eight and a line of one.
    source.accepts = [](const PaStreamParameters& p, double rate)
    { return p.sampleFormat == paInt16 && rate <= 32000.0; };
    const std::vector<Line> lines = Report(source);
    const size_t at = Find(lines, L"Supported standard sample rates for 1 channel input:",
                           Find(lines, L"Diagnose signed 16 bit integer bit resolution..."));
    ASSERT_LT(at + 3, lines.size());
    EXPECT_EQ(
        L"006000 Hz   008000 Hz   009600 Hz   011025 Hz   012000 Hz   016000 Hz   022050 Hz   024000 Hz",
        lines[at + 1].text);
    EXPECT_EQ(L"032000 Hz", lines[at + 2].text);
    EXPECT_EQ(std::wstring(113, L'-'), lines[at + 3].text);
    // A mono device has a single rate heading per format.
    EXPECT_EQ(lines.size(), Find(lines, L"Supported standard sample rates for 2 channel input:"));
}

TEST(DeviceReport, OutputOnlyDevicesAreAskedAsOutputAndDuplexOnesOnlyAsInput)
{
    FakeSource source;
    ReportDeviceInfo speakers = Device(L"Speakers", 0, 2);
    speakers.isHostApiDefaultOutput = true;
    source.devices = {Device(L"Duplex", 1, 8), speakers};
    for (int i = 2; i < 10; ++i)
        source.devices.push_back(Device(L"Other", 0, 0));
    source.devices.push_back(Device(L"Eleventh", 1, 0));
    const std::vector<Line> lines = Report(source);

    EXPECT_EQ(L"Found 11 devices.", lines[0].text);
    const size_t second = Find(lines, L"===========================Device #02===========================");
    ASSERT_LT(second, lines.size());
    EXPECT_EQ(L"This device is the default MME output", lines[second + 1].text);
    EXPECT_EQ(L"Supported standard sample rates for 2 channel output:",
              lines[Find(lines, L"Supported standard sample rates for 2 channel output:", second)].text);
    // The duplex device: input only, so no output heading comes before device 2.
    EXPECT_GT(Find(lines, L"Supported standard sample rates for 1 channel output:"), second);
    EXPECT_EQ(lines.size(), Find(lines, L"Supported standard sample rates for 3 channel output:"));
    EXPECT_LT(Find(lines, L"===========================Device #11==========================="), lines.size());

    // A device without channels: its fields, no diagnosis, its stars.
    const size_t third = Find(lines, L"===========================Device #03===========================");
    const size_t fourth = Find(lines, L"===========================Device #04===========================");
    EXPECT_EQ(third + 13, fourth);
    EXPECT_EQ(std::wstring(81, L'*'), lines[fourth - 2].text);

    size_t inputs = 0, outputs = 0;
    for (const Query& q : source.queries)
    {
        (q.input ? inputs : outputs) += 1;
        EXPECT_EQ(q.params.device == 1, !q.input);
    }
    EXPECT_EQ(2u * 6u * 16u, outputs); // device 2: two channels, six formats
    EXPECT_EQ(2u * 6u * 16u, inputs);  // devices 1 and 11: one channel each
}

TEST(DeviceReport, ACountWithNothingToReportAndTheColours)
{
    std::vector<Line> lines;
    const DeviceReport::Sink sink = [&](const CString& text, int colour) {
        lines.push_back({text.GetString(), colour});
    };
    EXPECT_TRUE(DeviceReport::ReportNoDevices(paNotInitialized, sink));
    EXPECT_TRUE(DeviceReport::ReportNoDevices(0, sink));
    EXPECT_FALSE(DeviceReport::ReportNoDevices(3, sink));
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(L"An error occurred!", lines[0].text);
    EXPECT_EQ(L"Warning:no device found!", lines[1].text);
    EXPECT_EQ(2, lines[0].colour);
    EXPECT_EQ(2, lines[1].colour);

    EXPECT_EQ(RGB(0, 0, 255), DeviceReport::Colour(0));
    EXPECT_EQ(RGB(0, 128, 0), DeviceReport::Colour(1));
    EXPECT_EQ(RGB(255, 0, 0), DeviceReport::Colour(2));
    EXPECT_EQ(RGB(0, 0, 255), DeviceReport::Colour(7));
}
