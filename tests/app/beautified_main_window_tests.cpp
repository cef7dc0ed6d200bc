// The main window as the program shows it: beautified by its load step and
// left as found by its unload step.
#include "beautified_form.h"
#include "draw/strips.h"

namespace {

int g_propsAtUnload;  // windows of the form still carrying properties once detached

BOOL DetachAndLook(HWND form)
{
    BOOL detached = BeautifierDetach(form);
    g_propsAtUnload = WindowsWithBeautifierProps(form);
    return detached;
}

}  // namespace

TEST_CASE_FIXTURE(GdiBalance, "the buttons show the flat rounded face, text centred, focus on Command4; unload leaves nothing")
{
    HWND form = ShowBeautifiedForm1(DetachAndLook);
    CHECK(g_AttachedCount == 12);  // the form, three frames, six buttons, two labels
    std::vector<HGDIOBJ> made = {ButtonFaceStrip, GetCurrentObject(ButtonFaceStrip, OBJ_BITMAP)};
    for (int id : kForm1Buttons) {
        CAPTURE(id);
        HWND button = Form1Control(form, id);
        std::vector<HGDIOBJ> images = ImageHandlesOf(button);
        made.insert(made.end(), images.begin(), images.end());
        Shot b(button);
        CHECK(b.At(b.w / 2, 0) == RGB(27, 143, 213));
        CHECK(b.At(b.w / 2, 1) == RGB(255, 255, 255));
        CHECK(b.At(0, 0) == b.At(-1, 0));  // outside the rounded corner
        CHECK(b.At(1, 1) != b.At(-1, 0));
        // Text: the dark pixels well inside the face.
        int left = b.w, right = -1, dots = 0;
        for (int x = 4; x < b.w - 4; ++x) {
            for (int y = 4; y < b.h - 4; ++y)
                if (GetRValue(b.At(x, y)) + GetGValue(b.At(x, y)) < 200) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            // The dotted focus rectangle runs along row 2, white on the faces.
            dots += b.At(x, 2) != RGB(255, 255, 255);
        }
        CHECK(abs(left - (b.w - 1 - right)) <= 2);
        CHECK((id == IDC_COMMAND4 ? dots > b.w / 3 : dots == 0));
    }

    g_propsAtUnload = -1;
    PostMessageW(form, WM_CLOSE, 0, 0);
    REQUIRE(PumpUntil([&] { return !IsWindow(form); }, 10000, TranslateFormMessage));
    CHECK(g_propsAtUnload == 0);
    CHECK((g_AttachedCount == 0 && !g_Initialized));
    for (HGDIOBJ h : made)
        CHECK((h != NULL && GetObjectType(h) == 0));
}
