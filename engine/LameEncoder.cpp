#include "engine/LameEncoder.h"

namespace
{
template <typename T> bool Resolve(HMODULE dll, const char* name, T& proc)
{
    // Function pointers of any type convert through FARPROC only with a cast of this kind.
    proc = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
    return proc != nullptr;
}
} // namespace

LameEncoder::~LameEncoder()
{
    if (m_hDll)
        FreeLibrary(m_hDll);
}

CString LameEncoder::GetProgramFolder()
{
    wchar_t path[MAX_PATH * 4];
    const DWORD length =
        GetModuleFileNameW(nullptr, path, static_cast<DWORD>(sizeof(path) / sizeof(path[0])));
    if (length == 0 || length >= sizeof(path) / sizeof(path[0]))
        return CString();
    CString folder(path);
    return folder.Left(folder.ReverseFind(L'\\') + 1);
}

BOOL LameEncoder::Load(const CString& folder)
{
    if (m_hDll)
        return TRUE;
    // An empty folder would turn the full path into a bare name.
    if (folder.IsEmpty())
        return FALSE;
    m_hDll = LoadLibraryW(folder + kFileName);
    return m_hDll != nullptr;
}

BOOL LameEncoder::GetEntryPoints()
{
    if (!m_hDll)
        return FALSE;
    bool required = Resolve(m_hDll, "beInitStream", m_pfnInitStream);
    required = Resolve(m_hDll, "beEncodeChunkFloatS16NI", m_pfnEncodeChunkFloatS16NI) && required;
    required = Resolve(m_hDll, "beDeinitStream", m_pfnDeinitStream) && required;
    required = Resolve(m_hDll, "beCloseStream", m_pfnCloseStream) && required;
    required = Resolve(m_hDll, "beWriteVBRHeader", m_pfnWriteVBRHeader) && required;
    Resolve(m_hDll, "beWriteInfoTag", m_pfnWriteInfoTag);
    return required ? TRUE : FALSE;
}
