// The audio I/O library for the lifetime of this object, and its texts in UTF-16.
#pragma once

#include <portaudio.h>

#include "framework/CString.h"

class AudioLibrary
{
public:
    AudioLibrary();
    ~AudioLibrary();
    AudioLibrary(const AudioLibrary&) = delete;
    AudioLibrary& operator=(const AudioLibrary&) = delete;

    PaError GetError() const { return m_error; }

    // "Error number: %d    Error message: %s."
    static CString ErrorText(PaError error);
    // Device names come in the system's narrow code page.
    static CString DeviceName(const PaDeviceInfo* info);

private:
    PaError m_error;
};
