// Nothing may unwind out of a procedure the system calls (a window procedure, a hook, a
// callback): the system's frames know nothing of C++ exceptions. The guard catches what
// the procedure's body throws and reports it (default: the debugger output).
#pragma once

#include <windows.h>

class CallbackGuard
{
public:
    using Reporter = void (*)(LPCWSTR text);
    // nullptr restores the default.
    static void SetReporter(Reporter reporter);

    // Runs body(); when it throws, reports "Exception in <where>: <what>" and returns false.
    template <class Body> static bool Run(LPCWSTR where, Body&& body) noexcept
    {
        try
        {
            body();
            return true;
        }
        catch (...)
        {
            ReportCurrent(where);
            return false;
        }
    }

    // Only inside a catch block: reports the exception being handled.
    static void ReportCurrent(LPCWSTR where) noexcept;
};
