// A hand-run benchmark paced by the shell script that measures it from the Linux side:
// at each point the script must see, the program prints "mark NAME" and waits until the
// script has taken its reading and created NAME.ack in the folder it was given.
#pragma once

#include <windows.h>

#include <string>

class ScriptHandshake
{
public:
    // An empty folder: no script is listening, marks pass at once.
    explicit ScriptHandshake(std::wstring folder);

    // False when the script did not answer in time.
    bool Mark(const char* name, DWORD ms = 60000) const;

private:
    std::wstring m_folder;
};
