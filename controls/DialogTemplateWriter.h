// Writes an in-memory DLGTEMPLATE (no menu, default class, a title, no font) with items of
// predefined classes, and reads one back.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct DialogItemData
{
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    WORD id = 0;
    WORD classAtom = 0; // 0x0080 Button, 0x0082 Static
    std::wstring text;
};

struct DialogHeaderData
{
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring title;
};

// Bytes the template takes.
size_t DialogTemplateSize(const DialogHeaderData& header, const std::vector<DialogItemData>& items);
// Writes into a zero-filled buffer of at least DialogTemplateSize bytes, DWORD aligned.
void WriteDialogTemplate(void* buffer, const DialogHeaderData& header,
                         const std::vector<DialogItemData>& items);
// false when the data is not a template of that form.
bool ParseDialogTemplate(const void* buffer, size_t size, DialogHeaderData* header,
                         std::vector<DialogItemData>* items);
