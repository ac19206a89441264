// Whole lines to stdout or stderr from any thread: UTF-16 to a console, UTF-8 otherwise.
#pragma once

#include "framework/CString.h"

class ConsoleOutput
{
public:
    static void Line(const CString& text, bool error = false);
};
