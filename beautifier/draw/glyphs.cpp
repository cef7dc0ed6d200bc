#include "draw/glyphs.h"
#include "core/properties.h"
#include "draw/colors.h"
#include "draw/primitives.h"
#include "draw/strips.h"
#include "draw/window_dc.h"

namespace {

// A glyph of CheckGlyphStrip; its disabled look lies the same distance to
// the right for every glyph.
struct Glyph {
    int x, y, width, height;
};
const Glyph kCheckMark = {0, 0, 9, 8};
const Glyph kMixedSquare = {1, 9, 7, 7};
const Glyph kOptionDot = {2, 18, 5, 5};
const int kDisabledGlyphOffset = 9;

// A check box held down or under the mouse is filled with a band across the
// middle of the option disc of the same state: rows 4 to 8, inside its ring.
const int kFillBandX = 1, kFillBandWidth = 11, kFillBandRow = 4, kFillBandHeight = 5;

// The option disc is sliced so that its round outline keeps its shape and
// only its flat middle is stretched.
const int kDiscMargin = 5;

// The glyph box: as large as a menu check mark, which follows the system's
// metrics, at the window's left edge and centred in its height.
struct GlyphBox {
    int y, width, height;
};

GlyphBox GlyphBoxOf(HWND hwnd)
{
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    int cx = GetSystemMetrics(SM_CXMENUCHECK), cy = GetSystemMetrics(SM_CYMENUCHECK);
    return GlyphBox{RoundHalfToEven((b.height - cy) / 2.0), cx, cy};
}

// Hot and pressed have looks of their own; every other state shows normal.
int LookOf(int state)
{
    return state == StateHot || state == StatePressed ? state : StateNormal;
}

// The glyph, its key-colour pixels left out, centred in the box at (x, y).
void DrawCentredGlyph(HDC dc, const Glyph& g, bool enabled, int x, int y, int width, int height)
{
    int sx = g.x + (enabled ? 0 : kDisabledGlyphOffset);
    BlitTransparent(dc, RoundHalfToEven((width - g.width) / 2.0 + x),
                    RoundHalfToEven((height - g.height) / 2.0 + y), g.width, g.height,
                    CheckGlyphStrip, sx, g.y, kKeyColor, NULL);
}

const Glyph* CheckBoxGlyph(LRESULT check)
{
    switch (check) {
    case BST_CHECKED:
        return &kCheckMark;
    case BST_INDETERMINATE:
        return &kMixedSquare;
    default:
        return NULL;
    }
}

COLORREF CheckFrameColour(bool enabled, int look)
{
    if (!enabled)
        return kFrameDisabled;
    return look == StatePressed ? kFramePressed : kFrameEnabled;
}

void DrawCheckBox(HDC dc, const GlyphBox& box, bool enabled, int look, LRESULT check)
{
    FillSolidRect(dc, 0, 0, box.width, box.height, kWhite);
    FrameSolidRect(dc, 0, 0, box.width, box.height, CheckFrameColour(enabled, look));
    if (enabled && look != StateNormal)
        StretchBlt(dc, 1, 1, box.width - 2, box.height - 2, OptionCircleStrip, kFillBandX,
                   kOptionCircleSize * look + kFillBandRow, kFillBandWidth, kFillBandHeight,
                   SRCCOPY);
    if (const Glyph* glyph = CheckBoxGlyph(check))
        DrawCentredGlyph(dc, *glyph, enabled, 0, 0, box.width, box.height);
}

}  // namespace

bool PaintCheckBox(HWND hwnd, HDC dc, int state)
{
    GlyphBox box = GlyphBoxOf(hwnd);
    LRESULT check = SendMessageA(hwnd, BM_GETCHECK, 0, 0);
    bool enabled = IsWindowEnabled(hwnd) != FALSE;
    WindowDC target(hwnd, dc);
    return DrawOffScreen(target.get(), 0, box.y, box.width, box.height, [&](HDC image) {
        DrawCheckBox(image, box, enabled, LookOf(state), check);
    });
}

bool PaintOptionButton(HWND hwnd, HDC dc, int state)
{
    GlyphBox box = GlyphBoxOf(hwnd);
    bool enabled = IsWindowEnabled(hwnd) != FALSE;
    LRESULT check = SendMessageA(hwnd, BM_GETCHECK, 0, 0);
    WindowDC target(hwnd, dc);
    if (!target)
        return false;
    int cellY = kOptionCircleSize * (enabled ? LookOf(state) : StateDisabled);
    DrawSlicedImage(target.get(), 0, box.y, box.width, box.height, OptionCircleStrip, 0, cellY,
                    kOptionCircleSize, kOptionCircleSize, kDiscMargin, kDiscMargin, kDiscMargin,
                    kDiscMargin, kKeyColor);
    if (check == BST_CHECKED)
        DrawCentredGlyph(target.get(), kOptionDot, enabled, 0, box.y, box.width, box.height);
    return true;
}

bool ShowGlyph(HWND hwnd, ControlKind kind, int state, bool force)
{
    if (!TakeState(hwnd, state, force))
        return false;
    return kind == ControlKind::CheckBox ? PaintCheckBox(hwnd, NULL, state)
                                         : PaintOptionButton(hwnd, NULL, state);
}
