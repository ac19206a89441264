#include "controls/CXDialogItem.h"

#include "controls/MsgBoxLayout.h"

void CXDialogItem::Init(Kind kind, int id, const RECT* pixels, LPCWSTR text, bool isDefault, int baseX,
                        int baseY, bool textStatic)
{
    switch (kind)
    {
    case PushButton:
        m_data.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        m_data.classAtom = 0x0080;
        break;
    case CheckBox:
        m_data.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
        m_data.classAtom = 0x0080;
        break;
    case Static:
        m_data.style = WS_CHILD | WS_VISIBLE | (textStatic ? SS_NOPREFIX : 0);
        m_data.classAtom = 0x0082;
        break;
    }
    m_data.exStyle = 0;
    m_data.id = static_cast<WORD>(id);
    if (pixels)
    {
        const RECT u = PixelsToDialogUnits(*pixels, baseX, baseY);
        m_data.x = static_cast<short>(u.left);
        m_data.y = static_cast<short>(u.top);
        m_data.cx = static_cast<short>(u.right);
        m_data.cy = static_cast<short>(u.bottom);
    }
    else
    {
        m_data.x = 0;
        m_data.y = 0;
        m_data.cx = 10;
        m_data.cy = 10;
    }
    m_data.text = text ? text : L"";
}
