#include <sstream>
#include "beautifier_testing.h"
#include "core/properties.h"

namespace {

const struct {
    const char* names;  // separated by spaces
    ControlKind kind;
} kNamesOfKinds[] = {
    {"#32770 ThunderFormDC ThunderRT6FormDC Form", ControlKind::Container},
    {"ThunderCommandButton ThunderRT6CommandButton Button", ControlKind::PushButton},
    {"ThunderComboBox ThunderRT6ComboBox Combo ComboBox", ControlKind::ComboBox},
    {"ThunderDriveListBox ThunderRT6DriveListBox", ControlKind::DriveList},
    {"ThunderCheckBox ThunderRT6CheckBox", ControlKind::CheckBox},
    {"ThunderOptionButton ThunderRT6OptionButton", ControlKind::OptionButton},
    {"ProgressBar20WndClass ProgressBarWndClass", ControlKind::ProgressBar},
    {"msvb_lib_header SysHeader32", ControlKind::Header},
    {"DataListWndClass DBListWndClass", ControlKind::DataList},
    {"ComboLBox", ControlKind::ComboList},
};

std::string Cased(std::string s, int (*change)(int))
{
    for (char& c : s)
        c = static_cast<char>(change(static_cast<unsigned char>(c)));
    return s;
}

// A window of the class, registered here unless the system has it.
HWND WindowOfClass(const char* name, DWORD style = 0)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = name;
    if (!GetClassInfoA(NULL, name, &wc))
        RegisterClassA(&wc);
    return CreateWindowExA(0, name, "", WS_POPUP | style, 0, 0, 80, 90, NULL, NULL, NULL, NULL);
}

}  // namespace

TEST_CASE("every class name of the table gives its kind in any letter case, and only whole")
{
    for (const auto& k : kNamesOfKinds) {
        std::istringstream names(k.names);
        for (std::string name; names >> name;) {
            CAPTURE(name);
            CHECK(KindOfClassName(name) == k.kind);
            CHECK(KindOfClassName(Cased(name, toupper)) == k.kind);
            CHECK(KindOfClassName(Cased(name, tolower)) == k.kind);
            CHECK(KindOfClassName(name + "x") == ControlKind::Other);
            CHECK(KindOfClassName("x" + name) == ControlKind::Other);
        }
    }
    for (const char* name : {"apexgrid", "ApexGrid", "APEXGRIDOLEDB32", "aPeXgRiD.Ctrl.8"})
        CHECK(KindOfClassName(name) == ControlKind::Grid);
    for (const char* name : {"apexgri", "MyApexGrid", " apexgrid", "", "Static", "Edit"})
        CHECK(KindOfClassName(name) == ControlKind::Other);
}

TEST_CASE("real windows are classified by the class name the system reports")
{
    HWND command = WindowOfClass("ThunderRT6CommandButton"), grid = WindowOfClass("ApexGridX"),
         dialog = WindowOfClass("#32770"), combo = WindowOfClass("ComboBox", CBS_DROPDOWN);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    REQUIRE(GetComboBoxInfo(combo, &info));
    CHECK(GetWindowClassName(command) == "ThunderRT6CommandButton");
    CHECK(ClassifyWindow(command) == ControlKind::PushButton);
    CHECK(ClassifyWindow(grid) == ControlKind::Grid);
    CHECK(ClassifyWindow(dialog) == ControlKind::Container);
    CHECK(ClassifyWindow(combo) == ControlKind::ComboBox);
    CHECK(GetWindowClassName(info.hwndList) == "ComboLBox");
    CHECK(ClassifyWindow(info.hwndList) == ControlKind::ComboList);
    for (HWND hwnd : {command, grid, dialog, combo})
        DestroyWindow(hwnd);
    // A handle that names no window has no readable class.
    CHECK(GetWindowClassName(command).empty());
    CHECK(GetWindowClassName(NULL).empty());
    CHECK(ClassifyWindow(command) == ControlKind::Other);
}

TEST_CASE("window properties hold pointer-sized values under their exact names")
{
    HWND a = WindowOfClass("PropertyTestWindow"), b = WindowOfClass("PropertyTestWindow");
    const INT_PTR big = sizeof(INT_PTR) > 4 ? static_cast<INT_PTR>(0x12345678) << 8 : 0x7654321;
    CHECK(SetWindowProp(a, kPropHdIndex, -1));
    CHECK(SetWindowProp(a, ImageDCProp(2).c_str(), big));
    CHECK(GetWindowProp(a, kPropHdIndex) == -1);
    CHECK(GetWindowProp(b, kPropHdIndex) == 0);
    CHECK(reinterpret_cast<INT_PTR>(GetPropA(a, "2HDC")) == big);
    CHECK(ImageDCProp(0) == "0HDC");
    CHECK(ImageDCProp(3) == "3HDC");
    CHECK(ImageBitmapProp(1) == "1BMP");
    CHECK(RemoveWindowProp(a, kPropHdIndex) == -1);
    CHECK(GetWindowProp(a, kPropHdIndex) == 0);
    DestroyWindow(a);
    DestroyWindow(b);
}
