#include "core/kinds.h"

namespace {

struct KindName {
    const char* name;  // lower case
    ControlKind kind;
};

// Lower-case class names and their kinds. "#32770" is the system's dialog
// class, which message boxes and common dialogs use.
const KindName kKindNames[] = {
    {"#32770", ControlKind::Container},
    {"thunderformdc", ControlKind::Container},
    {"thunderrt6formdc", ControlKind::Container},
    {"form", ControlKind::Container},
    {"thundercommandbutton", ControlKind::PushButton},
    {"thunderrt6commandbutton", ControlKind::PushButton},
    {"button", ControlKind::PushButton},
    {"thundercombobox", ControlKind::ComboBox},
    {"thunderrt6combobox", ControlKind::ComboBox},
    {"combo", ControlKind::ComboBox},
    {"combobox", ControlKind::ComboBox},
    {"thunderdrivelistbox", ControlKind::DriveList},
    {"thunderrt6drivelistbox", ControlKind::DriveList},
    {"thundercheckbox", ControlKind::CheckBox},
    {"thunderrt6checkbox", ControlKind::CheckBox},
    {"thunderoptionbutton", ControlKind::OptionButton},
    {"thunderrt6optionbutton", ControlKind::OptionButton},
    {"progressbar20wndclass", ControlKind::ProgressBar},
    {"progressbarwndclass", ControlKind::ProgressBar},
    {"msvb_lib_header", ControlKind::Header},
    {"sysheader32", ControlKind::Header},
    {"datalistwndclass", ControlKind::DataList},
    {"dblistwndclass", ControlKind::DataList},
    {"combolbox", ControlKind::ComboList},
};

// Grid classes share this prefix; what follows it varies.
const char kGridPrefix[] = "apexgrid";

// Class names are compared in ASCII only: every name in the table is ASCII,
// and leaving other bytes alone keeps the trail bytes of a double-byte name
// from turning into something they are not.
std::string AsciiLower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

}  // namespace

std::string GetWindowClassName(HWND hwnd)
{
    char buf[255] = {};
    int n = GetClassNameA(hwnd, buf, 255);
    return n > 0 ? std::string(buf, n) : std::string();
}

ControlKind KindOfClassName(const std::string& className)
{
    std::string name = AsciiLower(className);
    for (const KindName& k : kKindNames)
        if (name == k.name)
            return k.kind;
    if (name.compare(0, sizeof kGridPrefix - 1, kGridPrefix) == 0)
        return ControlKind::Grid;
    return ControlKind::Other;
}

ControlKind ClassifyWindow(HWND hwnd)
{
    return KindOfClassName(GetWindowClassName(hwnd));
}

ComboStyle ComboStyleOf(HWND hwnd)
{
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    return ComboStyle{(style & CBS_SIMPLE) == 0, (style & CBS_DROPDOWN) != 0};
}
