// One control of the message box's in-memory template.
#pragma once

#include <windows.h>

#include "controls/DialogTemplateWriter.h"

class CXDialogItem
{
public:
    enum Kind
    {
        PushButton,
        CheckBox,
        Static,
    };

    virtual ~CXDialogItem() = default;

    // The rectangle is in pixels and becomes dialog units of the base units given; without
    // one the control gets (0, 0, 10, 10). textStatic: the message text, drawn without
    // prefix processing because it was measured so.
    void Init(Kind kind, int id, const RECT* pixels, LPCWSTR text, bool isDefault, int baseX, int baseY,
              bool textStatic = false);

    DialogItemData m_data;
};
