#include "layout.h"

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int TwipsToPixels(int twips)
{
    return MulDiv(twips, ScreenDpi(), 1440);
}

HFONT CreatePointFont(const wchar_t* face, int points, int weight, bool underline)
{
    LOGFONTW lf = {};
    lf.lfHeight = -MulDiv(points, ScreenDpi(), 72);
    lf.lfWeight = weight;
    lf.lfUnderline = underline ? TRUE : FALSE;
    // The interface texts are Simplified Chinese in code page 936.
    lf.lfCharSet = GB2312_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

void CentreOnScreen(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
