#include "draw/strips.h"
#include <vector>
#include "draw/colors.h"
#include "draw/primitives.h"

HDC ButtonFaceStrip = NULL;
HDC ComboButtonStrip = NULL;
HDC CheckGlyphStrip = NULL;
HDC OptionCircleStrip = NULL;
HDC HeaderItemStrip = NULL;

namespace {

// A colour fixed at one position of a line of pixels.
struct Stop {
    int at;
    COLORREF colour;
};
// A line of pixels from its first stop to its last; the pixels between two
// stops run smoothly from the one colour to the other, and two stops on
// neighbouring pixels make a sharp step.
using Run = std::vector<Stop>;

COLORREF Mix(COLORREF from, COLORREF to, int step, int steps)
{
    if (steps <= 0)
        return to;
    auto channel = [&](int a, int b) {
        return (a * (steps - step) + b * step + steps / 2) / steps;
    };
    return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
               channel(GetBValue(from), GetBValue(to)));
}

COLORREF RunColour(const Run& run, int at)
{
    if (at <= run.front().at)
        return run.front().colour;
    for (size_t k = 1; k < run.size(); ++k)
        if (at <= run[k].at)
            return Mix(run[k - 1].colour, run[k].colour, at - run[k - 1].at,
                       run[k].at - run[k - 1].at);
    return run.back().colour;
}

// The pixels of one strip, composed here first and then set into the strip's
// DC once each. Every pixel starts as the key colour.
class Canvas {
public:
    Canvas(int width, int height)
        : width_(width), height_(height), pixels_(width * height, kKeyColor)
    {
    }
    void Set(int x, int y, COLORREF colour)
    {
        if (x >= 0 && x < width_ && y >= 0 && y < height_)
            pixels_[y * width_ + x] = colour;
    }
    // The run down column x, its positions counted from row top.
    void Column(int x, int top, const Run& run)
    {
        for (int at = run.front().at; at <= run.back().at; ++at)
            Set(x, top + at, RunColour(run, at));
    }
    HDC Paint() const
    {
        HDC dc = CreateMemoryDC(width_, height_);
        if (dc)
            for (int y = 0; y < height_; ++y)
                for (int x = 0; x < width_; ++x)
                    SetPixel(dc, x, y, pixels_[y * width_ + x]);
        return dc;
    }

private:
    int width_, height_;
    std::vector<COLORREF> pixels_;
};

struct ColumnArt {
    int x;
    Run rows;
};

// One row's pixels from column first to column last.
struct Span {
    int row, first, last;
};
using Shape = std::vector<Span>;

// A shape in one colour per row, the colour taken from the run at the row.
void DrawShape(Canvas& canvas, const Shape& shape, int dx, int dy, const Run& colours)
{
    for (const Span& s : shape)
        for (int x = s.first; x <= s.last; ++x)
            canvas.Set(dx + x, dy + s.row, RunColour(colours, s.row));
}

// --- Push-button faces: 7 x 21, columns 0-3 given, 4-6 mirroring 2-0 ---

const COLORREF kFaceFrame = RGB(27, 143, 213);  // 13995803
const COLORREF kHotRing = RGB(70, 193, 251);
const COLORREF kPressedRing = RGB(49, 183, 249);
const COLORREF kDisabledFrame = RGB(135, 195, 232);
const COLORREF kDisabledHighlight = RGB(248, 251, 253);

// Column 0 of the normal, hot and pressed faces: the frame line, with the
// corners rounded over rows 0-2 and 18-20 (radius about 2). The corner pixel
// itself is nearly the colour of what lies behind a button.
const Run kRoundedOutline = {{0, RGB(191, 225, 249)}, {1, RGB(105, 178, 226)},
                             {2, RGB(41, 149, 215)},  {3, kFaceFrame},
                             {17, kFaceFrame},        {18, RGB(42, 150, 216)},
                             {19, RGB(96, 174, 225)}, {20, RGB(202, 231, 251)}};

struct FaceArt {
    Run columns[4];  // rows 0-20 of columns 0 to 3
};

const FaceArt kButtonFaces[4] = {
    // Normal: a white highlight under the top edge, then a light body with
    // a step half-way down; columns 1 and 5 a little lighter than the middle.
    {{kRoundedOutline,
      {{0, RGB(107, 179, 227)},
       {1, RGB(109, 183, 228)},
       {2, RGB(231, 243, 251)},
       {3, RGB(245, 250, 253)},
       {17, RGB(201, 222, 240)},
       {18, RGB(201, 222, 240)},
       {19, RGB(105, 179, 225)},
       {20, RGB(96, 174, 225)}},
      {{0, RGB(44, 151, 216)},
       {1, RGB(231, 243, 251)},
       {2, kWhite},
       {3, RGB(241, 248, 252)},
       {10, RGB(215, 234, 249)},
       {11, RGB(204, 226, 245)},
       {17, RGB(177, 208, 234)},
       {19, RGB(177, 208, 234)},
       {20, RGB(42, 150, 216)}},
      {{0, kFaceFrame},
       {1, kWhite},
       {2, kWhite},
       {3, RGB(241, 248, 252)},
       {10, RGB(215, 234, 249)},
       {11, RGB(204, 226, 245)},
       {17, RGB(177, 208, 234)},
       {19, RGB(177, 208, 234)},
       {20, kFaceFrame}}}},
    // Hot: a bright ring inside the frame around a light-blue body.
    {{kRoundedOutline,
      {{0, RGB(107, 179, 227)}, {1, kHotRing}, {19, kHotRing}, {20, RGB(96, 174, 225)}},
      {{0, RGB(44, 151, 216)},
       {1, kHotRing},
       {2, RGB(174, 227, 253)},
       {3, RGB(174, 227, 253)},
       {17, RGB(143, 208, 245)},
       {18, RGB(143, 208, 245)},
       {19, kHotRing},
       {20, RGB(42, 150, 216)}},
      {{0, kFaceFrame},
       {1, kHotRing},
       {2, RGB(210, 238, 252)},
       {3, RGB(210, 238, 252)},
       {17, RGB(167, 212, 242)},
       {18, RGB(167, 212, 242)},
       {19, kHotRing},
       {20, kFaceFrame}}}},
    // Pressed: a deeper ring, and the body inverted, darkest at the top.
    {{kRoundedOutline,
      {{0, RGB(107, 179, 227)}, {1, kPressedRing}, {19, kPressedRing}, {20, RGB(96, 174, 225)}},
      {{0, RGB(44, 151, 216)},
       {1, kPressedRing},
       {2, RGB(131, 202, 242)},
       {3, RGB(131, 202, 242)},
       {17, RGB(174, 228, 254)},
       {18, RGB(174, 228, 254)},
       {19, kPressedRing},
       {20, RGB(42, 150, 216)}},
      {{0, kFaceFrame},
       {1, kPressedRing},
       {2, RGB(159, 212, 243)},
       {3, RGB(159, 212, 243)},
       {11, RGB(207, 235, 251)},
       {17, RGB(195, 234, 253)},
       {18, RGB(195, 234, 253)},
       {19, kPressedRing},
       {20, kFaceFrame}}}},
    // Disabled: a pale frame and a nearly white body.
    {{{{0, RGB(242, 247, 251)},
       {1, RGB(188, 221, 242)},
       {2, RGB(146, 200, 234)},
       {3, kDisabledFrame},
       {17, kDisabledFrame},
       {18, RGB(146, 200, 234)},
       {19, RGB(189, 221, 242)},
       {20, RGB(242, 246, 251)}},
      {{0, RGB(188, 221, 242)},
       {1, kDisabledHighlight},
       {2, kDisabledHighlight},
       {3, RGB(242, 247, 251)},
       {17, RGB(210, 227, 243)},
       {19, RGB(210, 227, 243)},
       {20, RGB(189, 221, 242)}},
      {{0, RGB(146, 200, 234)},
       {1, kDisabledHighlight},
       {2, kDisabledHighlight},
       {3, RGB(242, 247, 251)},
       {17, RGB(210, 227, 243)},
       {19, RGB(210, 227, 243)},
       {20, RGB(146, 200, 234)}},
      {{0, kDisabledFrame},
       {1, kDisabledHighlight},
       {2, kDisabledHighlight},
       {3, RGB(242, 247, 251)},
       {17, RGB(210, 227, 243)},
       {19, RGB(210, 227, 243)},
       {20, kDisabledFrame}}}},
};

Canvas ButtonFaces()
{
    Canvas canvas(kButtonFaceWidth, 4 * kButtonFaceHeight);
    for (int cell = 0; cell < 4; ++cell)
        for (int x = 0; x < 4; ++x) {
            canvas.Column(x, cell * kButtonFaceHeight, kButtonFaces[cell].columns[x]);
            canvas.Column(kButtonFaceWidth - 1 - x, cell * kButtonFaceHeight,
                          kButtonFaces[cell].columns[x]);
        }
    return canvas;
}

// --- Drop-down button: two faces of 4 x 18 and the arrow in two colours ---

const COLORREF kComboFrame = RGB(78, 160, 209);  // 13738062

const ColumnArt kComboFaces[] = {
    // Hot face: a frame line, light columns with a darker stripe between.
    {0, {{0, kComboFrame}, {17, kComboFrame}}},
    {1, {{0, RGB(232, 249, 255)}, {17, RGB(192, 225, 243)}}},
    {2,
     {{0, RGB(232, 249, 255)},
      {1, RGB(193, 238, 253)},
      {16, RGB(101, 184, 227)},
      {17, RGB(192, 225, 243)}}},
    {3, {{0, RGB(232, 249, 255)}, {17, RGB(192, 225, 243)}}},
    // Pressed face: the same, inverted.
    {4, {{0, kComboFrame}, {17, kComboFrame}}},
    {5, {{0, RGB(190, 225, 243)}, {17, RGB(230, 248, 254)}}},
    {6,
     {{0, RGB(190, 225, 243)},
      {1, RGB(97, 181, 226)},
      {16, RGB(188, 235, 252)},
      {17, RGB(230, 248, 254)}}},
    {7, {{0, RGB(190, 225, 243)}, {17, RGB(230, 248, 254)}}},
};

// A downward triangle 7 pixels wide and 4 high.
const Shape kArrow = {{0, 8, 14}, {1, 9, 13}, {2, 10, 12}, {3, 11, 11}};
const Run kArrowColour = {{0, RGB(25, 85, 95)}};             // 6247705
const Run kDisabledArrowColour = {{0, RGB(132, 165, 172)}};  // 11314564

Canvas ComboButtons()
{
    Canvas canvas(kComboButtonStripWidth, kComboButtonStripHeight);
    for (const ColumnArt& c : kComboFaces)
        canvas.Column(c.x, 0, c.rows);
    DrawShape(canvas, kArrow, 0, 0, kArrowColour);
    DrawShape(canvas, kArrow, 0, 4, kDisabledArrowColour);
    return canvas;
}

// --- Check glyphs: one colour per row, the disabled glyph 9 columns right ---

struct GlyphArt {
    Shape shape;
    Run enabled;  // colour by row
    Run disabled;
};

const GlyphArt kCheckGlyphs[] = {
    // The check mark, 9 x 8.
    {{{0, 8, 8},
      {1, 7, 8},
      {2, 6, 8},
      {3, 0, 1},
      {3, 5, 7},
      {4, 0, 2},
      {4, 4, 6},
      {5, 1, 5},
      {6, 2, 4},
      {7, 3, 3}},
     {{0, RGB(84, 183, 29)}, {7, RGB(53, 145, 2)}},
     {{0, RGB(168, 218, 140)}, {7, RGB(152, 199, 126)}}},
    // The square of the mixed state, 7 x 7.
    {{{9, 1, 7}, {10, 1, 7}, {11, 1, 7}, {12, 1, 7}, {13, 1, 7}, {14, 1, 7}, {15, 1, 7}},
     {{9, RGB(81, 180, 27)}, {15, RGB(57, 150, 6)}},
     {{9, RGB(166, 217, 139)}, {15, RGB(154, 201, 128)}}},
    // The option dot, 5 x 5: all of it in the lighter rim colour first...
    {{{18, 3, 5}, {19, 2, 6}, {20, 2, 6}, {21, 2, 6}, {22, 3, 5}},
     {{18, RGB(135, 204, 96)}, {22, RGB(115, 180, 79)}},
     {{18, RGB(196, 232, 178)}, {22, RGB(186, 220, 168)}}},
    // ...then its centre.
    {{{19, 3, 5}, {20, 3, 5}, {21, 3, 5}},
     {{19, RGB(79, 177, 25)}, {21, RGB(63, 157, 11)}},
     {{19, RGB(167, 216, 140)}, {21, RGB(159, 206, 133)}}},
};

const int kDisabledGlyphOffset = 9;

Canvas CheckGlyphs()
{
    Canvas canvas(kCheckGlyphStripWidth, kCheckGlyphStripHeight);
    for (const GlyphArt& g : kCheckGlyphs) {
        DrawShape(canvas, g.shape, 0, 0, g.enabled);
        DrawShape(canvas, g.shape, kDisabledGlyphOffset, 0, g.disabled);
    }
    return canvas;
}

// --- Option discs: one outline, four colourings ---

// ' ' shows through, '.' is the interior; the outermost ring is shaded from
// its soft ends 'a' to its darkest points 'd', so that the disc looks round.
const char* const kDisc[kOptionCircleSize] = {
    "   abcdcba   ", "  a.......a  ", " a.........a ", "a...........a", "b...........b",
    "c...........c", "d...........d", "c...........c", "b...........b", "a...........a",
    " a.........a ", "  a.......a  ", "   abcdcba   ",
};

// An interior shaded along a direction: at position p = alongX x + alongY y
// the colour runs from fromColour at p = from to toColour at p = to and
// stays there beyond.
struct Shading {
    int alongX, alongY;
    int from, to;
    COLORREF fromColour, toColour;
};

struct DiscArt {
    COLORREF ringSoft, ringDark;
    Shading interior;
};

const DiscArt kDiscs[4] = {
    // Normal: white, greying towards the upper left.
    {RGB(188, 207, 231), RGB(131, 166, 210), {1, 1, 4, 12, RGB(237, 242, 247), kWhite}},
    // Hot: light blue from the upper left to the lower right.
    {RGB(188, 207, 231), RGB(131, 166, 210), {1, 1, 4, 20, RGB(195, 234, 248), RGB(223, 245, 253)}},
    // Pressed: deeper blue, lighter towards the upper right.
    {RGB(164, 188, 221),
     RGB(100, 137, 193),
     {1, -1, -8, 8, RGB(173, 225, 245), RGB(207, 239, 250)}},
    // Disabled: a pale ring around white, faintly grey at the upper left.
    {RGB(221, 231, 243), RGB(193, 210, 232), {1, 1, 4, 12, RGB(246, 248, 251), kWhite}},
};

COLORREF ShadeAt(const Shading& s, int x, int y)
{
    int p = s.alongX * x + s.alongY * y;
    int steps = s.to - s.from;
    int step = p < s.from ? 0 : p > s.to ? steps : p - s.from;
    return Mix(s.fromColour, s.toColour, step, steps);
}

Canvas OptionCircles()
{
    Canvas canvas(kOptionCircleSize, 4 * kOptionCircleSize);
    for (int cell = 0; cell < 4; ++cell) {
        const DiscArt& art = kDiscs[cell];
        for (int y = 0; y < kOptionCircleSize; ++y)
            for (int x = 0; x < kOptionCircleSize; ++x) {
                char c = kDisc[y][x];
                int top = cell * kOptionCircleSize;
                if (c == '.')
                    canvas.Set(x, top + y, ShadeAt(art.interior, x, y));
                else if (c >= 'a' && c <= 'd')
                    canvas.Set(x, top + y, Mix(art.ringSoft, art.ringDark, c - 'a', 'd' - 'a'));
            }
    }
    return canvas;
}

// --- Header items: three faces of 3 x 20 ---

const ColumnArt kHeaderFaces[] = {
    // Normal: a highlight, the middle, and a separator darkest half-way down.
    {0,
     {{0, RGB(234, 245, 254)},
      {1, RGB(237, 245, 251)},
      {11, RGB(237, 245, 251)},
      {17, RGB(211, 229, 246)},
      {18, RGB(211, 229, 246)}}},
    {1, {{0, RGB(234, 245, 254)}, {9, RGB(211, 229, 246)}, {18, RGB(211, 229, 246)}}},
    {2,
     {{0, RGB(234, 245, 254)},
      {1, RGB(234, 245, 254)},
      {9, RGB(122, 176, 217)},
      {10, RGB(122, 176, 217)},
      {18, RGB(211, 229, 246)}}},
    // Hot: bright blue sides around a light middle.
    {3,
     {{0, RGB(189, 230, 253)},
      {5, RGB(94, 194, 250)},
      {17, RGB(94, 194, 250)},
      {18, RGB(115, 204, 251)}}},
    {4, {{0, RGB(211, 238, 254)}, {9, RGB(175, 225, 253)}, {18, RGB(168, 221, 252)}}},
    {5,
     {{0, RGB(189, 230, 253)},
      {5, RGB(94, 194, 250)},
      {9, RGB(75, 162, 219)},
      {10, RGB(75, 162, 219)},
      {17, RGB(94, 194, 250)},
      {18, RGB(115, 204, 251)}}},
    // Pressed: the middle inverted, lightening downwards.
    {6, {{0, RGB(151, 215, 251)}, {9, RGB(94, 194, 250)}, {18, RGB(168, 227, 253)}}},
    {7,
     {{0, RGB(159, 220, 255)},
      {1, RGB(159, 220, 255)},
      {16, RGB(200, 242, 255)},
      {18, RGB(200, 242, 255)}}},
    {8,
     {{0, RGB(151, 215, 251)},
      {9, RGB(75, 162, 219)},
      {10, RGB(75, 162, 219)},
      {18, RGB(168, 227, 253)}}},
};

const COLORREF kHeaderBottomLine = RGB(192, 218, 242);  // 15915712

Canvas HeaderItems()
{
    Canvas canvas(3 * kHeaderFaceWidth, kHeaderFaceHeight);
    for (const ColumnArt& c : kHeaderFaces) {
        canvas.Column(c.x, 0, c.rows);
        canvas.Set(c.x, kHeaderFaceHeight - 1, kHeaderBottomLine);
    }
    return canvas;
}

struct Strip {
    HDC* handle;
    Canvas (*art)();
};

const Strip kStrips[] = {
    {&ButtonFaceStrip, ButtonFaces}, {&ComboButtonStrip, ComboButtons},
    {&CheckGlyphStrip, CheckGlyphs}, {&OptionCircleStrip, OptionCircles},
    {&HeaderItemStrip, HeaderItems},
};

}  // namespace

void BuildImageStrips()
{
    ReleaseImageStrips();
    for (const Strip& s : kStrips)
        *s.handle = s.art().Paint();
}

void ReleaseImageStrips()
{
    for (const Strip& s : kStrips) {
        if (*s.handle)
            DeleteMemoryDC(*s.handle);
        *s.handle = NULL;
    }
}
