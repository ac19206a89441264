#include "bench/ScriptHandshake.h"

#include <cstdio>

ScriptHandshake::ScriptHandshake(std::wstring folder) : m_folder(std::move(folder))
{
    if (!m_folder.empty() && m_folder.back() != L'\\')
        m_folder.push_back(L'\\');
}

bool ScriptHandshake::Mark(const char* name, DWORD ms) const
{
    std::printf("mark %s\n", name);
    std::fflush(stdout);
    if (m_folder.empty())
        return true;
    std::wstring ack = m_folder;
    for (const char* c = name; *c; ++c)
        ack.push_back(static_cast<wchar_t>(*c));
    ack += L".ack";
    const DWORD start = ::GetTickCount();
    // Short sleeps: the reading on the other side is taken at once, and the pause here
    // adds to nothing that is measured.
    while (::GetFileAttributesW(ack.c_str()) == INVALID_FILE_ATTRIBUTES)
    {
        if (::GetTickCount() - start > ms)
            return false;
        ::Sleep(5);
    }
    return true;
}
