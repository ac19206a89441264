// A failed assertion prints a CString as a std::wstring, and a wide literal compared with one
// as text, not as its address. Every test source includes it (tests/CMakeLists.txt).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "framework/CString.h"

inline void PrintTo(const CString& text, std::ostream* os)
{
    *os << ::testing::PrintToString(std::wstring(text.GetString(), static_cast<size_t>(text.GetLength())));
}

template <> class testing::internal::FormatForComparison<const wchar_t*, CString>
{
public:
    static std::string Format(const wchar_t* value) { return ::testing::PrintToString(value); }
};
