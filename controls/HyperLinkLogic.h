// The web link's rules that need no window: its colour, its fitted rectangle, the command
// line of the fallback browser and the text of a shell error.
#pragma once

#include <windows.h>

#include <string>

COLORREF HyperLinkColour(bool over, bool visited, COLORREF link, COLORREF visitedColour, COLORREF hover);
// The window rectangle (in the parent's coordinates) fitted to a text of the given size.
RECT FitLinkRect(const RECT& window, SIZE border, SIZE text, DWORD style);
// The ".htm" association's command with the URL in place of its placeholder, quoted.
std::wstring BrowserCommand(const std::wstring& command, const std::wstring& url);
std::wstring HyperLinkErrorText(int code);
