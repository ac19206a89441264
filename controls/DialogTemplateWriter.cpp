#include "controls/DialogTemplateWriter.h"

#include <cstring>

namespace
{
size_t AlignUp4(size_t n)
{
    return (n + 3) & ~static_cast<size_t>(3);
}

// Header: 18 bytes, menu and class words, the title.
size_t HeaderBytes(const DialogHeaderData& h)
{
    return 18 + 2 + 2 + (h.title.size() + 1) * 2;
}

// Item: 18 fixed bytes, 0xFFFF and the atom, the title, the creation-data length.
size_t ItemBytes(const DialogItemData& it)
{
    return 18 + 4 + (it.text.size() + 1) * 2 + 2;
}

void PutWord(unsigned char*& p, WORD w)
{
    std::memcpy(p, &w, 2);
    p += 2;
}
void PutDword(unsigned char*& p, DWORD d)
{
    std::memcpy(p, &d, 4);
    p += 4;
}
void PutString(unsigned char*& p, const std::wstring& s)
{
    for (wchar_t c : s)
        PutWord(p, static_cast<WORD>(c));
    PutWord(p, 0);
}
} // namespace

size_t DialogTemplateSize(const DialogHeaderData& header, const std::vector<DialogItemData>& items)
{
    size_t n = AlignUp4(HeaderBytes(header));
    for (size_t i = 0; i < items.size(); ++i)
        n += i + 1 < items.size() ? AlignUp4(ItemBytes(items[i])) : ItemBytes(items[i]);
    return n;
}

void WriteDialogTemplate(void* buffer, const DialogHeaderData& header,
                         const std::vector<DialogItemData>& items)
{
    unsigned char* base = static_cast<unsigned char*>(buffer);
    unsigned char* p = base;
    PutDword(p, header.style);
    PutDword(p, header.exStyle);
    PutWord(p, static_cast<WORD>(items.size()));
    PutWord(p, static_cast<WORD>(header.x));
    PutWord(p, static_cast<WORD>(header.y));
    PutWord(p, static_cast<WORD>(header.cx));
    PutWord(p, static_cast<WORD>(header.cy));
    PutWord(p, 0); // menu
    PutWord(p, 0); // class
    PutString(p, header.title);
    for (const DialogItemData& it : items)
    {
        p = base + AlignUp4(static_cast<size_t>(p - base));
        PutDword(p, it.style);
        PutDword(p, it.exStyle);
        PutWord(p, static_cast<WORD>(it.x));
        PutWord(p, static_cast<WORD>(it.y));
        PutWord(p, static_cast<WORD>(it.cx));
        PutWord(p, static_cast<WORD>(it.cy));
        PutWord(p, it.id);
        PutWord(p, 0xFFFF);
        PutWord(p, it.classAtom);
        PutString(p, it.text);
        PutWord(p, 0); // no creation data
    }
}

namespace
{
struct Reader
{
    const unsigned char* base;
    size_t size;
    size_t pos = 0;
    bool ok = true;

    WORD Word()
    {
        WORD w = 0;
        if (pos + 2 > size)
        {
            ok = false;
            return 0;
        }
        std::memcpy(&w, base + pos, 2);
        pos += 2;
        return w;
    }
    DWORD Dword()
    {
        DWORD lo = Word();
        DWORD hi = Word();
        return lo | (hi << 16);
    }
    std::wstring String()
    {
        std::wstring s;
        for (WORD w = Word(); ok && w; w = Word())
            s += static_cast<wchar_t>(w);
        return s;
    }
    void Align() { pos = AlignUp4(pos); }
};
} // namespace

bool ParseDialogTemplate(const void* buffer, size_t size, DialogHeaderData* header,
                         std::vector<DialogItemData>* items)
{
    Reader r{static_cast<const unsigned char*>(buffer), size};
    DialogHeaderData h;
    h.style = r.Dword();
    h.exStyle = r.Dword();
    const WORD count = r.Word();
    h.x = static_cast<short>(r.Word());
    h.y = static_cast<short>(r.Word());
    h.cx = static_cast<short>(r.Word());
    h.cy = static_cast<short>(r.Word());
    if (r.Word() != 0 || r.Word() != 0 || (h.style & DS_SETFONT))
        return false;
    h.title = r.String();
    std::vector<DialogItemData> v;
    for (WORD i = 0; i < count && r.ok; ++i)
    {
        r.Align();
        DialogItemData it;
        it.style = r.Dword();
        it.exStyle = r.Dword();
        it.x = static_cast<short>(r.Word());
        it.y = static_cast<short>(r.Word());
        it.cx = static_cast<short>(r.Word());
        it.cy = static_cast<short>(r.Word());
        it.id = r.Word();
        if (r.Word() != 0xFFFF)
            return false;
        it.classAtom = r.Word();
        it.text = r.String();
        if (r.Word() != 0)
            return false;
        v.push_back(it);
    }
    if (!r.ok)
        return false;
    if (header)
        *header = h;
    if (items)
        *items = v;
    return true;
}
