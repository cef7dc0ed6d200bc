#include "interact/header_tracking.h"
#include <commctrl.h>
#include "core/properties.h"
#include "draw/header.h"
#include "interact/mouse_tracking.h"

namespace {

const int kNoItem = -1;

int ItemCount(HWND hwnd)
{
    return static_cast<int>(SendMessageA(hwnd, HDM_GETITEMCOUNT, 0, 0));
}

void ShowItem(HWND hwnd, int index, int state)
{
    PaintHeaderItem(hwnd, NULL, index, state);
}

}  // namespace

int HitTestHeader(HWND hwnd, int x)
{
    int count = ItemCount(hwnd);
    for (int i = 0; i < count; ++i) {
        RECT r = {};
        SendMessageA(hwnd, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
        if (x >= r.left && x <= r.right)
            return i;
    }
    return kNoItem;
}

void HeaderMouseMove(HWND hwnd, ControlKind, WPARAM wParam, LPARAM lParam)
{
    MarkMouseInside(hwnd);
    int item = HitTestHeader(hwnd, GetLParamX(lParam));
    int hot = GetHotItem(hwnd), held = GetHeldItem(hwnd);
    if (item == hot)
        return;
    // The held item keeps its pressed look.
    if (hot >= 0 && hot != held)
        ShowItem(hwnd, hot, StateNormal);
    if (!(wParam & MK_LBUTTON)) {
        SetHotItem(hwnd, item);
        ShowItem(hwnd, item, StateHot);
    } else if (item == held) {
        ShowItem(hwnd, held, StatePressed);
    }
}

void HeaderPress(HWND hwnd, ControlKind, WPARAM, LPARAM lParam)
{
    if (ItemCount(hwnd) <= 0)
        return;
    int item = HitTestHeader(hwnd, GetLParamX(lParam));
    SetHeldItem(hwnd, item);
    ShowItem(hwnd, item, StatePressed);
}

void HeaderRelease(HWND hwnd, ControlKind, WPARAM, LPARAM)
{
    int held = GetHeldItem(hwnd);
    SetHeldItem(hwnd, kNoItem);
    ShowItem(hwnd, held, IsCursorOverWindow(hwnd) ? StateHot : StateNormal);
}

void HeaderMouseLeave(HWND hwnd, ControlKind, WPARAM, LPARAM)
{
    int hot = GetHotItem(hwnd);
    SetMouseInside(hwnd, false);
    SetHeldItem(hwnd, kNoItem);
    SetHotItem(hwnd, kNoItem);
    ShowItem(hwnd, hot, StateNormal);
}
