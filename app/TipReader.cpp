#include "app/TipReader.h"

#include <cstring>

BOOL TipReader::Open(const CString& path)
{
    Close();
    m_pStream = ::_wfopen(path.GetString(), L"r");
    return m_pStream != nullptr;
}

void TipReader::Close()
{
    if (m_pStream)
        std::fclose(m_pStream);
    m_pStream = nullptr;
}

bool TipReader::IsTipLine(char first)
{
    return first != ' ' && first != '\t' && first != '\n' && first != '\r' && first != ';' && first != '\0';
}

TipReader::Result TipReader::ReadNextTip(CString& tip)
{
    if (!m_pStream)
        return NoTipLine;
    char line[kMaxPiece + 1];
    int ends = 0;
    for (;;)
    {
        if (std::fgets(line, sizeof(line), m_pStream))
        {
            if (!IsTipLine(line[0]))
                continue;
            // Each byte is one character.
            const size_t length = std::strlen(line);
            CString text;
            LPWSTR buffer = text.GetBuffer(static_cast<int>(length));
            for (size_t i = 0; i < length; ++i)
                buffer[i] = static_cast<wchar_t>(static_cast<unsigned char>(line[i]));
            text.ReleaseBuffer(static_cast<int>(length));
            tip = text;
            return TipRead;
        }
        // End of file or a read error: round to the start; a second end within one read
        // means the file holds no tip, and reading on would never end.
        std::clearerr(m_pStream);
        if (std::fseek(m_pStream, 0, SEEK_SET) != 0)
            return RewindFailed;
        if (++ends == 2)
            return NoTipLine;
    }
}

CString TipsFilePath(const CString& programDir)
{
    return programDir + L"\\Tips.tip";
}
