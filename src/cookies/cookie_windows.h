// The windows of the cookies subject that other windows open.
#pragma once

#include <windows.h>

// The cookie list window of the current cookie browser, modal over owner.
void ShowCookieList(HWND owner);

// The text viewer: the first 16 KiB of a text file, with the caption string captionId.
void ShowTextViewer(HWND owner, const char* path, UINT captionId);
