// The recording driver's device list shows each capture device's recording lines.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace
{
struct Handle
{
    ~Handle()
    {
        if (h)
            CloseHandle(h);
    }
    HANDLE h = nullptr;
};

// Runs qmrec.exe from this program's folder and gives what it printed.
std::string RunQmrec(const wchar_t* arguments, DWORD& exitCode)
{
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring command(path, n);
    command = L"\"" + command.substr(0, command.find_last_of(L'\\') + 1) + L"qmrec.exe\" " + arguments;

    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    Handle read, write;
    if (!CreatePipe(&read.h, &write.h, &inherit, 0))
        return {};
    SetHandleInformation(read.h, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = write.h;
    start.hStdError = write.h;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &process))
        return {};
    Handle thread{process.hThread}, child{process.hProcess};
    CloseHandle(write.h);
    write.h = nullptr;
    // Read until the process has ended, not until the pipe closes: a process that
    // Wine starts on the child's behalf may hold the pipe open.
    std::string output;
    char buffer[4096];
    const ULONGLONG deadline = GetTickCount64() + 60000;
    for (;;)
    {
        const bool ended = WaitForSingleObject(child.h, 10) == WAIT_OBJECT_0;
        DWORD available = 0, got = 0;
        while (PeekNamedPipe(read.h, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
               ReadFile(read.h, buffer, sizeof buffer, &got, nullptr) && got > 0)
            output.append(buffer, got);
        if (ended)
            break;
        if (GetTickCount64() > deadline)
        {
            TerminateProcess(child.h, 99);
            break;
        }
    }
    GetExitCodeProcess(child.h, &exitCode);
    return output;
}

// The lines printed after the device's heading, up to the next device.
std::string DeviceBlock(const std::string& output, const std::string& name)
{
    const size_t heading = output.find(": " + name + " (MME, in ");
    if (heading == std::string::npos)
        return {};
    const size_t end = output.find("\n", output.find("\n", heading) + 1);
    size_t next = end;
    while (next != std::string::npos && output.compare(next + 1, 6, "      ") == 0)
        next = output.find("\n", next + 1);
    return output.substr(heading, next == std::string::npos ? std::string::npos : next - heading);
}
} // namespace

TEST(QmrecList, PrintsRecordingLinesOfEachCaptureDevice)
{
    DWORD exitCode = 1;
    const std::string output = RunQmrec(L"--list", exitCode);
    ASSERT_EQ(0u, exitCode) << output;
    const std::string monitor = DeviceBlock(output, "Monitor of Null Output");
    EXPECT_NE(std::string::npos, monitor.find("recording lines: 1")) << monitor;
    EXPECT_NE(std::string::npos, monitor.find("* 0: Master Volume (selected, volume 0.00)")) << monitor;
    const std::string mapper = DeviceBlock(output, "Wine Sound Mapper - Input");
    EXPECT_NE(std::string::npos, mapper.find("mixer: none")) << mapper;
    EXPECT_EQ(std::string::npos, DeviceBlock(output, "Null Output").find("recording lines")); // output only
}
