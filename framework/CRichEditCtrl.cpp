#include "framework/CRichEditCtrl.h"

BOOL AfxInitRichEdit()
{
    // Kept loaded for the life of the process: their window classes must stay registered.
    static HMODULE version1 = ::LoadLibraryW(L"riched32.dll");
    static HMODULE version2 = ::LoadLibraryW(L"riched20.dll");
    return version1 != nullptr || version2 != nullptr;
}
