// The recording driver's device list shows each capture device's recording lines.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/common/DriverRun.h"

namespace
{
// One device of the list: its heading and the lines under it.
struct DeviceEntry
{
    std::string heading;
    int inputs = 0;
    std::vector<std::string> lines;
};

std::vector<DeviceEntry> Devices(const std::string& output)
{
    std::vector<DeviceEntry> devices;
    size_t at = 0;
    while (at < output.size())
    {
        size_t end = output.find('\n', at);
        if (end == std::string::npos)
            end = output.size();
        std::string line = output.substr(at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        at = end + 1;
        if (line.compare(0, 6, "      ") == 0)
        {
            if (!devices.empty())
                devices.back().lines.push_back(line.substr(6));
            continue;
        }
        const size_t in = line.find(" (MME, in ");
        if (in == std::string::npos)
            continue;
        DeviceEntry device;
        device.heading = line;
        device.inputs = std::atoi(line.c_str() + in + 10);
        devices.push_back(device);
    }
    return devices;
}
} // namespace

// Each capture device shows either no mixer or its recording lines, one of them marked
// as selected with its volume; output devices show neither. Which devices have a mixer,
// and what their lines are called, is the system's business.
TEST(QmrecList, PrintsRecordingLinesOfEachCaptureDevice)
{
    const DriverRun run = RunDriver(L"--list");
    const std::string output = run.out + run.err;
    ASSERT_EQ(0u, run.exitCode) << output;
    const std::vector<DeviceEntry> devices = Devices(run.out);
    bool monitor = false;
    for (const DeviceEntry& device : devices)
    {
        SCOPED_TRACE(device.heading);
        monitor |= device.heading.find(": Monitor of Null Output (") != std::string::npos;
        std::vector<std::string> mixerLines;
        for (const std::string& line : device.lines)
            if (line.compare(0, 7, "mixer: ") == 0 || line.compare(0, 17, "recording lines: ") == 0 ||
                (line.size() > 2 && (line[0] == '*' || line[0] == ' ') && line[1] == ' ' &&
                 std::isdigit(static_cast<unsigned char>(line[2]))))
                mixerLines.push_back(line);
        if (device.inputs == 0)
        {
            EXPECT_TRUE(mixerLines.empty()) << output;
            continue;
        }
        ASSERT_FALSE(mixerLines.empty()) << output;
        if (mixerLines[0].compare(0, 7, "mixer: ") == 0)
        {
            EXPECT_EQ(1u, mixerLines.size()) << output;
            continue;
        }
        ASSERT_EQ(0, mixerLines[0].compare(0, 17, "recording lines: ")) << output;
        const size_t count = std::strtoul(mixerLines[0].c_str() + 17, nullptr, 10);
        ASSERT_EQ(count + 1, mixerLines.size()) << output;
        int selected = 0;
        for (size_t i = 1; i < mixerLines.size(); ++i)
        {
            const std::string& line = mixerLines[i];
            EXPECT_EQ(std::to_string(i - 1) + ": ", line.substr(2, std::to_string(i - 1).size() + 2))
                << output;
            if (line[0] == '*')
            {
                ++selected;
                EXPECT_NE(std::string::npos, line.find(" (selected, volume ")) << output;
            }
        }
        EXPECT_LE(selected, 1) << output;
    }
    EXPECT_TRUE(monitor) << "the harness's capture source is not listed\n" << output;
}
