#pragma once
// A storm of random messages to a form with a control of every kind, and
// the check that detaching it afterwards leaves nothing behind.
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <random>
#include "control_form.h"

namespace storm {

// Set to the seed a run printed to replay that run's storm exactly.
const char kSeedVariable[] = "SERTAVO_STORM_SEED";

inline unsigned StormSeed()
{
    if (const char* given = getenv(kSeedVariable))
        return static_cast<unsigned>(strtoul(given, nullptr, 10));
    return GetTickCount() ^ (GetCurrentProcessId() << 16);
}

inline bool IsComboBox(HWND hwnd)
{
    ControlKind kind = ClassifyWindow(hwnd);
    return kind == ControlKind::ComboBox || kind == ControlKind::DriveList;
}

inline BOOL CALLBACK AddWindowProc(HWND hwnd, LPARAM all)
{
    reinterpret_cast<std::vector<HWND>*>(all)->push_back(hwnd);
    return TRUE;
}

// The form, everything in it, and the drop-down lists of its combo boxes,
// which the system keeps outside the form's tree.
inline std::vector<HWND> WindowsOfForm(HWND form)
{
    std::vector<HWND> all = {form};
    EnumChildWindows(form, AddWindowProc, reinterpret_cast<LPARAM>(&all));
    for (size_t i = 0, n = all.size(); i < n; ++i) {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        if (IsComboBox(all[i]) && GetComboBoxInfo(all[i], &info) &&
            std::find(all.begin(), all.end(), info.hwndList) == all.end())
            all.push_back(info.hwndList);
    }
    return all;
}

// Random messages of every kind the beautifier handles. Parameters are
// random, except that a handle names a window of the form or is 0 and a
// pointer points to a valid structure: what the system itself would send.
class Storm {
public:
    Storm(unsigned seed, HWND form) : random_(seed), form_(form), named_(WindowsOfForm(form)) {}

    // One message to one of the targets, or the waiting messages dispatched.
    void Next(const std::vector<HWND>& targets)
    {
        HWND target = targets[Below(static_cast<int>(targets.size()))];
        int what = Below(15);
        // The system gives mouse and keyboard input to enabled windows only.
        // The button class relies on it: an automatic option button released
        // while disabled looks for the next enabled one of its group and,
        // under Wine, never stops looking.
        if (what <= 5 && !IsWindowEnabled(target))
            EnableWindow(target, TRUE);
        switch (what) {
        case 0:
            SendMessageA(target, WM_MOUSEMOVE, MouseKeys(), Point());
            break;
        case 1:
            SendMessageA(target, WM_LBUTTONDOWN, MouseKeys() | MK_LBUTTON, Point());
            break;
        case 2:
            SendMessageA(target, WM_LBUTTONUP, MouseKeys(), Point());
            break;
        case 3:
            SendMessageA(target, WM_LBUTTONDBLCLK, MouseKeys() | MK_LBUTTON, Point());
            break;
        case 4:
            SendMessageA(target, WM_MOUSELEAVE, 0, 0);
            break;
        case 5:
            SendMessageA(target, Below(2) ? WM_KEYDOWN : WM_KEYUP, Key(), Any());
            break;
        case 6:
            SendMessageA(target, Below(2) ? WM_SETFOCUS : WM_KILLFOCUS,
                         reinterpret_cast<WPARAM>(Named()), 0);
            break;
        case 7:
            // A real change of state now and then, never of the form itself,
            // mostly towards enabled so that the storm does not go mostly
            // to disabled windows.
            if (target != form_ && Below(2))
                EnableWindow(target, Below(4) != 0);
            else
                SendMessageA(target, WM_ENABLE, Below(2), 0);
            break;
        case 8:
            if (target != form_ && Below(2))
                SetWindowPos(target, NULL, 0, 0, Below(220), Below(90),
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            else
                SendMessageA(target, WM_SIZE, Below(5), Any());
            break;
        case 9:
            // lParam would be a callback to call: none.
            SendMessageA(target, WM_TIMER, Below(2) ? 1 : Any(), 0);
            break;
        case 10:
            SendMessageA(target, WM_PAINT, 0, 0);
            break;
        case 11:
            SendMessageA(target, WM_NCPAINT, 1, 0);
            break;
        case 12:
            SendMessageA(target, WM_ACTIVATE, MAKEWPARAM(Below(3), Below(2)),
                         reinterpret_cast<LPARAM>(Named()));
            break;
        case 13: {
            WINDOWPOS pos = {target,
                             Named(),
                             Between(-50, 400),
                             Between(-50, 700),
                             Below(300),
                             Below(300),
                             static_cast<UINT>(Below(0x4000))};
            SendMessageA(target, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
            break;
        }
        case 14:
            PumpMessages();
            break;
        }
    }

private:
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    LPARAM Any() { return static_cast<LPARAM>(static_cast<LONG>(random_())); }
    WPARAM MouseKeys() { return Below(0x20) & (MK_RBUTTON | MK_SHIFT | MK_CONTROL | MK_MBUTTON); }
    // Mostly inside a control, sometimes anywhere.
    LPARAM Point() { return Below(4) ? MAKELPARAM(Between(-5, 230), Between(-5, 100)) : Any(); }
    WPARAM Key()
    {
        const WORD keys[] = {VK_SPACE, VK_SPACE, VK_SPACE,  VK_RETURN, VK_F4,
                             VK_DOWN,  VK_UP,    VK_LEFT,   VK_RIGHT,  VK_HOME,
                             VK_END,   VK_NEXT,  VK_ESCAPE, VK_TAB,    'A'};
        return Below(5) ? keys[Below(static_cast<int>(std::size(keys)))] : Below(256);
    }
    HWND Named() { return Below(6) ? named_[Below(static_cast<int>(named_.size()))] : NULL; }

    std::mt19937 random_;
    HWND form_;
    std::vector<HWND> named_;
};

inline std::string ImagesNotOfSize(HWND button)
{
    WindowBounds b = BoundsOf(button);
    for (int state = 0; state < 4; ++state) {
        auto bitmap =
            reinterpret_cast<HBITMAP>(GetWindowProp(button, ImageBitmapProp(state).c_str()));
        auto dc = reinterpret_cast<HDC>(GetWindowProp(button, ImageDCProp(state).c_str()));
        BITMAP bm = {};
        if (!GetObjectA(bitmap, sizeof bm, &bm) || GetCurrentObject(dc, OBJ_BITMAP) != bitmap ||
            bm.bmWidth != b.width || bm.bmHeight != b.height)
            return "image " + std::to_string(state);
    }
    return "";
}

}  // namespace storm

// Fills the form with controls of every kind, attaches it, sends it the
// given number of random messages (the seed printed, and taken from
// SERTAVO_STORM_SEED when set), puts every control back, detaches, and
// checks that no property, attached window or GDI object is left.
inline void StormThenDetach(ControlForm& f, int messages)
{
    using namespace storm;
    HWND button = f.Add("Button", 0, 100, 30);
    HWND combos[] = {f.Add("ComboBox", CBS_DROPDOWNLIST, 120, 200),
                     f.Add("ComboBox", CBS_DROPDOWN, 120, 200),
                     f.Add("ComboBox", CBS_SIMPLE, 120, 80),
                     f.Add("ThunderDriveListBox", CBS_DROPDOWNLIST, 120, 200)};
    for (HWND combo : combos)
        for (const char* item : {"One", "Two", "Three"})
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    HWND header = f.Add(WC_HEADERA, HDS_BUTTONS, 200, 24);
    for (int i = 0; i < 3; ++i)
        AddHeaderItem(header, i, 60, "Item");
    HWND bar = f.Add("ProgressBarWndClass", WS_BORDER, 150, 22);
    SendMessageA(bar, PBM_SETPOS, 40, 0);
    std::vector<HWND> targets = {f.form,
                                 button,
                                 header,
                                 bar,
                                 f.Add("ProgressBarWndClass", PBS_VERTICAL, 30, 60),
                                 f.Add("ThunderCheckBox", BS_AUTOCHECKBOX, 120, 20),
                                 f.Add("ThunderOptionButton", BS_AUTORADIOBUTTON, 120, 20),
                                 f.Add("ThunderOptionButton", BS_AUTORADIOBUTTON, 120, 20),
                                 f.Add("DataListWndClass", 0, 100, 40, WS_EX_CLIENTEDGE),
                                 f.Add("ApexGridTest", WS_BORDER, 80, 30),
                                 f.Add("Edit", 0, 104, 24, WS_EX_CLIENTEDGE),
                                 f.Add("Static", 0, 80, 20)};
    targets.insert(targets.end(), std::begin(combos), std::end(combos));
    std::vector<RECT> placed;
    for (HWND h : targets)
        placed.push_back(RectInParent(h));

    unsigned seed = StormSeed();
    fprintf(stderr, "storm seed %u (%s=%u replays it)\n", seed, kSeedVariable, seed);
    fflush(stderr);
    MESSAGE("storm seed " << seed);
    REQUIRE(BeautifierAttach(f.form));
    Storm storm(seed, f.form);
    for (int i = 0; i < messages; ++i)
        storm.Next(targets);

    // What the storm left open or held goes back, and every control is
    // still there and at its place, so the storm hit what it meant to.
    ReleaseCapture();
    for (HWND combo : combos)
        SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    for (size_t i = 0; i < targets.size(); ++i) {
        REQUIRE(IsWindow(targets[i]));
        EnableWindow(targets[i], TRUE);
        if (targets[i] != f.form) {
            const RECT& r = placed[i];
            SetWindowPos(targets[i], NULL, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    PumpMessages();
    CHECK(ImagesNotOfSize(button) == "");

    std::vector<HWND> all = WindowsOfForm(f.form);
    REQUIRE(BeautifierDetach(f.form));
    for (HWND h : all) {
        CAPTURE(GetWindowClassName(h));
        CHECK(BeautifierPropsOf(h).empty());
    }
    CHECK(WindowsWithBeautifierProps(f.form) == 0);
    CHECK(g_AttachedCount == 0);
    CHECK(!g_Initialized);
    CHECK(GdiLiveObjectCount() == f.start);
}
