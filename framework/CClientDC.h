// The client-area DC of a window, released on destruction.
#pragma once

#include "framework/CDC.h"

class CWnd;

class CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};
