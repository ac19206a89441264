#include "framework/CallbackGuard.h"

#include <cwchar>
#include <exception>

#include "framework/CException.h"

namespace
{
void DebuggerOutput(LPCWSTR text)
{
    ::OutputDebugStringW(text);
}
CallbackGuard::Reporter g_reporter = &DebuggerOutput;
} // namespace

void CallbackGuard::SetReporter(Reporter reporter)
{
    g_reporter = reporter ? reporter : &DebuggerOutput;
}

void CallbackGuard::ReportCurrent(LPCWSTR where) noexcept
{
    wchar_t what[256] = L"unknown exception";
    try
    {
        throw;
    }
    catch (const CException& e)
    {
        if (!e.GetErrorMessage(what, 256))
            std::wcscpy(what, L"framework exception");
    }
    catch (const std::exception& e)
    {
        std::swprintf(what, 256, L"%hs", e.what());
    }
    catch (...)
    {
    }
    wchar_t text[512];
    std::swprintf(text, 512, L"Exception in %ls: %ls\n", where, what);
    try
    {
        g_reporter(text);
    }
    catch (...)
    {
    }
}
