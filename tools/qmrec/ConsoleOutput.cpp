#include "tools/qmrec/ConsoleOutput.h"

#include <mutex>
#include <string>

#include "framework/TextConvert.h"

void ConsoleOutput::Line(const CString& text, bool error)
{
    static std::mutex lock;
    std::lock_guard<std::mutex> guard(lock);
    HANDLE out = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (!out || out == INVALID_HANDLE_VALUE)
        return;
    const CString line = text + L"\r\n";
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(out, &mode))
    {
        WriteConsoleW(out, line.GetString(), static_cast<DWORD>(line.GetLength()), &written, nullptr);
        return;
    }
    const std::string bytes = WideToAnsi(line, CP_UTF8);
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
