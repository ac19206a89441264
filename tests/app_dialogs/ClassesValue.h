// Shell verbs caught in a file instead of starting a browser or a help viewer: a value
// under HKEY_CLASSES_ROOT set for the life of the object, and a command that writes its
// argument into a file.
#pragma once

#include <windows.h>

#include <string>

// Sets a value under HKEY_CLASSES_ROOT for the life of the object, then puts the old one
// back.
class ClassesValue
{
public:
    ClassesValue(std::wstring key, const std::wstring& value);
    ~ClassesValue();
    ClassesValue(const ClassesValue&) = delete;
    ClassesValue& operator=(const ClassesValue&) = delete;

private:
    void Set(const std::wstring& value) const;
    std::wstring m_key;
    std::wstring m_old;
    bool m_had = false;
};

// An open command for a class that writes its argument into file.
std::wstring CatchingCommand(const std::wstring& file);
// The first line of a small text file, without its line end and trailing blanks.
std::wstring FirstLine(const std::wstring& path);
