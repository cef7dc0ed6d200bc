#include "form2.h"
#include "form1.h"
#include "forms.h"
#include "owners.h"
#include "resource_ids.h"

const wchar_t kInstructionsText[] =
    L"    如上图，电脑搜索不能显示\r\n"
    L"，你\r\n"
    L"可以用这个工具修复试试。建议\r\n"
    L"用“一般用户使用”项修复，先\r\n"
    L"用“简单修复”项，如果不行，\r\n"
    L"再进行“中间修复”项，使用时\r\n"
    L"间稍微久一点。还不成功的话，\r\n"
    L"最后使用“高级用户使用”项。\r\n"
    L"注意：“高级用户使用项”因为\r\n"
    L"要动刀注册表，所以使用前\r\n"
    L"先做好注册表备份工作然后再进\r\n"
    L"行。\r\n"
    L"    最后，祝你好运！\r\n";

namespace {

const wchar_t kPictureClass[] = L"PictureBox";
const int kClientTwipsW = 3195, kClientTwipsH = 4695;
const TwipsRect kPicturePlace = {120, 120, 2895, 1845};
const TwipsRect kTextPlace = {120, 2040, 3015, 2535};

HWND g_form2;

// The picture is kept in the program as a whole bitmap file; it is drawn
// straight from the resource, so it needs no GDI object of its own.
const BITMAPINFOHEADER* PictureBitmap()
{
    HRSRC res =
        FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_INSTRUCTIONS_PICTURE), MAKEINTRESOURCEW(10));
    HGLOBAL data = res ? LoadResource(nullptr, res) : nullptr;
    auto* file = static_cast<const BYTE*>(data ? LockResource(data) : nullptr);
    if (!file || SizeofResource(nullptr, res) < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))
        return nullptr;
    return reinterpret_cast<const BITMAPINFOHEADER*>(file + sizeof(BITMAPFILEHEADER));
}

void PaintPicture(HWND hwnd, HDC dc)
{
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const BITMAPINFOHEADER* bmp = PictureBitmap();
    if (!bmp)
        return;
    auto* bits = reinterpret_cast<const BYTE*>(bmp) + bmp->biSize;
    SetDIBitsToDevice(dc, 0, 0, bmp->biWidth, bmp->biHeight, 0, 0, 0, bmp->biHeight, bits,
                      reinterpret_cast<const BITMAPINFO*>(bmp), DIB_RGB_COLORS);
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        return PaintCycle(hwnd, PaintPicture);
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterPictureClass()
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PictureProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kPictureClass;
    RegisterClassExW(&wc);
}

// The form's keys go through IsDialogMessage, which puts a multi-line edit
// into dialog mode: there Esc makes it close its parent. The instructions
// close only the ways a window closes, so the text box takes Esc for
// nothing.
LRESULT OnTextKeyDown(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if (wParam == VK_ESCAPE)
        return 0;
    return CallControlProc(hwnd, WM_KEYDOWN, wParam, lParam);
}

LRESULT CALLBACK TextProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN)
        return OnTextKeyDown(hwnd, wParam, lParam);
    return CallControlProc(hwnd, message, wParam, lParam);
}

LRESULT OnCreate(HWND hwnd)
{
    HFONT font = CreatePointFont(L"宋体", 9, FW_NORMAL, false);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(font));
    RegisterPictureClass();
    // Both have the platform's sunken three-dimensional border, two pixels wide.
    CreateChild(hwnd, kPictureClass, L"", WS_TABSTOP, IDC_PICTURE1, kPicturePlace, nullptr,
                WS_EX_CLIENTEDGE);
    // In dialog mode a multi-line edit makes a new line on Enter only with
    // ES_WANTRETURN.
    HWND text = CreateChild(hwnd, L"Edit", kInstructionsText,
                            ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP,
                            IDC_TEXT1, kTextPlace, font, WS_EX_CLIENTEDGE);
    SubclassControl(text, TextProc);
    g_form2 = hwnd;
    return 0;
}

// Closing the instructions, however it comes about, brings a fresh main
// window back first, so the program goes on; only when the main window
// itself closes them (it is closing) does no new one open.
LRESULT OnClose(HWND hwnd)
{
    if (!OpenForm1())
        ShowForm1();
    DestroyWindow(hwnd);
    return 0;
}

LRESULT OnNcDestroy(HWND hwnd)
{
    // The font the window held is freed on return, after its last message.
    FontOwner font(reinterpret_cast<HFONT>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (g_form2 == hwnd)
        g_form2 = nullptr;
    return DefWindowProcW(hwnd, WM_NCDESTROY, 0, 0);
}

LRESULT CALLBACK Form2Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(hwnd);
    case WM_GETFONT:
        return GetWindowLongPtrW(hwnd, GWLP_USERDATA);
    case WM_CLOSE:
        return OnClose(hwnd);
    case WM_ENDSESSION:
        if (wParam)
            OnClose(hwnd);
        return 0;
    case WM_NCDESTROY:
        return OnNcDestroy(hwnd);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

HWND ShowForm2()
{
    if (!RegisterProgramClasses(GetModuleHandleW(nullptr)))
        return nullptr;
    HWND hwnd = CreateForm(Form2Proc, L"使用说明", kClientTwipsW, kClientTwipsH, nullptr);
    if (!hwnd)
        return nullptr;
    // Picture1 comes first in the tab order: showing the form focuses it.
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    return hwnd;
}

HWND OpenForm2()
{
    return g_form2;
}
