// The MP3 encoder library, loaded at run time from the program's own folder, and its
// entry points. Unloaded when this object goes.
#pragma once

#include <windows.h>

#include "engine/Mp3EncoderConfig.h"
#include "framework/CString.h"

class LameEncoder
{
public:
    typedef unsigned long BE_ERR;
    typedef void* HBE_STREAM;
    typedef BE_ERR (*InitStreamProc)(Mp3EncoderConfig*, DWORD*, DWORD*, HBE_STREAM*);
    typedef BE_ERR (*EncodeChunkFloatS16NIProc)(HBE_STREAM, DWORD, float*, float*, BYTE*, DWORD*);
    typedef BE_ERR (*DeinitStreamProc)(HBE_STREAM, BYTE*, DWORD*);
    typedef BE_ERR (*CloseStreamProc)(HBE_STREAM);
    typedef BE_ERR (*WriteVBRHeaderProc)(LPCSTR);
    typedef BE_ERR (*WriteInfoTagProc)(HBE_STREAM, LPCSTR);

    static constexpr const wchar_t* kFileName = L"lame_enc.dll";

    LameEncoder() = default;
    ~LameEncoder();
    LameEncoder(const LameEncoder&) = delete;
    LameEncoder& operator=(const LameEncoder&) = delete;

    // The folder of the running program, ending in a backslash.
    static CString GetProgramFolder();

    // LoadLibraryW of folder + kFileName: a full path, so no other folder is searched.
    BOOL Load(const CString& folder);
    // Resolves the entry points; FALSE when one of the five required is missing
    // (always so without a loaded library).
    BOOL GetEntryPoints();
    BOOL IsLoaded() const { return m_hDll != nullptr; }
    BOOL HasInfoTag() const { return m_pfnWriteInfoTag != nullptr; }

    BE_ERR InitStream(Mp3EncoderConfig* config, DWORD* samples, DWORD* bufferSize, HBE_STREAM* stream) const
    {
        return m_pfnInitStream(config, samples, bufferSize, stream);
    }
    BE_ERR EncodeChunkFloatS16NI(HBE_STREAM stream, DWORD samples, float* left, float* right, BYTE* out,
                                 DWORD* outBytes) const
    {
        return m_pfnEncodeChunkFloatS16NI(stream, samples, left, right, out, outBytes);
    }
    BE_ERR DeinitStream(HBE_STREAM stream, BYTE* out, DWORD* outBytes) const
    {
        return m_pfnDeinitStream(stream, out, outBytes);
    }
    BE_ERR CloseStream(HBE_STREAM stream) const { return m_pfnCloseStream(stream); }
    BE_ERR WriteVBRHeader(LPCSTR fileName) const { return m_pfnWriteVBRHeader(fileName); }
    BE_ERR WriteInfoTag(HBE_STREAM stream, LPCSTR fileName) const
    {
        return m_pfnWriteInfoTag(stream, fileName);
    }

private:
    HMODULE m_hDll = nullptr;
    InitStreamProc m_pfnInitStream = nullptr;
    EncodeChunkFloatS16NIProc m_pfnEncodeChunkFloatS16NI = nullptr;
    DeinitStreamProc m_pfnDeinitStream = nullptr;
    CloseStreamProc m_pfnCloseStream = nullptr;
    WriteVBRHeaderProc m_pfnWriteVBRHeader = nullptr;
    WriteInfoTagProc m_pfnWriteInfoTag = nullptr;
};
