#include "interact/header_tracking.h"
#include <commctrl.h>
#include "core/properties.h"
#include "draw/header.h"
#include "interact/tracking.h"

namespace {

const int kNoItem = -1;

int ItemCount(HWND hwnd)
{
    return static_cast<int>(SendMessageA(hwnd, HDM_GETITEMCOUNT, 0, 0));
}

int ItemProp(HWND hwnd, const char* name)
{
    return static_cast<int>(GetWindowProp(hwnd, name));
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

void HeaderMouseMove(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    MarkMouseInside(hwnd);
    int item = HitTestHeader(hwnd, GetLParamX(lParam));
    int hot = ItemProp(hwnd, kPropHmIndex), held = ItemProp(hwnd, kPropHdIndex);
    if (item == hot)
        return;
    // The held item keeps its pressed look.
    if (hot >= 0 && hot != held)
        ShowItem(hwnd, hot, StateNormal);
    if (!(wParam & MK_LBUTTON)) {
        SetWindowProp(hwnd, kPropHmIndex, item);
        ShowItem(hwnd, item, StateHot);
    } else if (item == held) {
        ShowItem(hwnd, held, StatePressed);
    }
}

void HeaderPress(HWND hwnd, LPARAM lParam)
{
    if (ItemCount(hwnd) <= 0)
        return;
    int item = HitTestHeader(hwnd, GetLParamX(lParam));
    SetWindowProp(hwnd, kPropHdIndex, item);
    ShowItem(hwnd, item, StatePressed);
}

void HeaderRelease(HWND hwnd)
{
    int held = ItemProp(hwnd, kPropHdIndex);
    SetWindowProp(hwnd, kPropHdIndex, kNoItem);
    ShowItem(hwnd, held, IsCursorOverWindow(hwnd) ? StateHot : StateNormal);
}

void HeaderMouseLeave(HWND hwnd)
{
    int hot = ItemProp(hwnd, kPropHmIndex);
    SetWindowProp(hwnd, kPropMouseFlag, 0);
    SetWindowProp(hwnd, kPropHdIndex, kNoItem);
    SetWindowProp(hwnd, kPropHmIndex, kNoItem);
    ShowItem(hwnd, hot, StateNormal);
}
