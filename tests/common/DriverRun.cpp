#include "tests/common/DriverRun.h"

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

void ReadAvailable(HANDLE pipe, std::string& text)
{
    char buffer[4096];
    DWORD available = 0, got = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
           ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
}
} // namespace

std::string DriverRun::LastLine() const
{
    std::string text = out;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    const size_t start = text.find_last_of('\n');
    return start == std::string::npos ? text : text.substr(start + 1);
}

std::wstring DriverPath()
{
    wchar_t self[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring exe(self, n);
    return exe.substr(0, exe.find_last_of(L'\\') + 1) + L"qmrec.exe";
}

DriverRun RunDriver(const std::wstring& arguments)
{
    DriverRun run;
    const std::wstring exe = DriverPath();
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;

    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    Handle outRead, outWrite, errRead, errWrite;
    if (!CreatePipe(&outRead.h, &outWrite.h, &inherit, 0) ||
        !CreatePipe(&errRead.h, &errWrite.h, &inherit, 0))
        return run;
    SetHandleInformation(outRead.h, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead.h, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = outWrite.h;
    start.hStdError = errWrite.h;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start,
                        &process))
        return run;
    Handle thread{process.hThread}, child{process.hProcess};
    CloseHandle(outWrite.h);
    outWrite.h = nullptr;
    CloseHandle(errWrite.h);
    errWrite.h = nullptr;
    // Read until the process has ended, not until the pipes close: a process that Wine
    // starts on the driver's behalf may hold them open.
    const ULONGLONG deadline = GetTickCount64() + 120000;
    for (;;)
    {
        const bool ended = WaitForSingleObject(child.h, 10) == WAIT_OBJECT_0;
        ReadAvailable(outRead.h, run.out);
        ReadAvailable(errRead.h, run.err);
        if (ended)
            break;
        if (GetTickCount64() > deadline)
        {
            TerminateProcess(child.h, 99);
            WaitForSingleObject(child.h, 10000);
            run.err += "(the test ended qmrec after two minutes)\n";
            break;
        }
    }
    GetExitCodeProcess(child.h, &run.exitCode);
    return run;
}
