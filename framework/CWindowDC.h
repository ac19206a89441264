// The whole-window DC (frame included), released on destruction.
#pragma once

#include "framework/CDC.h"

class CWnd;

class CWindowDC : public CDC
{
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd;
};
