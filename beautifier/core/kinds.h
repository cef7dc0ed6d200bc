#pragma once
#include <windows.h>
#include <string>

// What the beautifier makes of a window, decided by its class name alone,
// afresh on every message.
enum class ControlKind {
    Container,   // dialog or form
    PushButton,  // command button, and every window of the standard "button" class
    ComboBox,
    DriveList,  // a combo box listing drives
    CheckBox,
    OptionButton,
    ProgressBar,
    Header,     // column header
    DataList,   // data-bound list
    ComboList,  // the drop-down list of a combo box
    Grid,
    Other,  // labels, frames, text boxes, static texts and all the rest
};
const int kKindCount = static_cast<int>(ControlKind::Other) + 1;

// The class name as GetClassNameA reports it; empty when it cannot be read.
std::string GetWindowClassName(HWND hwnd);
// The kind of a class name, compared without regard to letter case.
ControlKind KindOfClassName(const std::string& className);
ControlKind ClassifyWindow(HWND hwnd);

// What a combo box's style (its low two bits) gives it: a field the user
// types into beside a drop-down list, bit 0 clear (CBS_DROPDOWN); and a
// drop-down button, bit 1 set (CBS_DROPDOWN and CBS_DROPDOWNLIST, but not
// CBS_SIMPLE, whose list is always shown).
struct ComboStyle {
    bool dropDownEdit;
    bool dropButton;
};
ComboStyle ComboStyleOf(HWND hwnd);
