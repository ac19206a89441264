#include "engine/AudioLibrary.h"

#include "framework/TextConvert.h"

AudioLibrary::AudioLibrary() : m_error(Pa_Initialize()) {}

AudioLibrary::~AudioLibrary()
{
    if (m_error == paNoError)
        Pa_Terminate();
}

CString AudioLibrary::ErrorText(PaError error)
{
    CString text;
    text.Format(L"Error number: %d    Error message: %s.", static_cast<int>(error),
                AnsiToWide(Pa_GetErrorText(error)).GetString());
    return text;
}

CString AudioLibrary::DeviceName(const PaDeviceInfo* info)
{
    return info && info->name ? AnsiToWide(info->name) : CString();
}
