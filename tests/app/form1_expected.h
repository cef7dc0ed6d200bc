#pragma once
// What every control of the main window is: its class, caption and place.
#include <windows.h>
#include "form1.h"

struct ExpectedControl {
    int id;
    int parent;  // 0: the main window
    const wchar_t* cls;
    const wchar_t* caption;
    int twips[4];
    int pixels96[4];
};

inline const ExpectedControl kForm1Expected[] = {
    {IDC_FRAME2,
     0,
     L"Frame",
     L"\x64CD\x4F5C\x529F\x80FD",
     {120, 120, 5535, 3975},
     {8, 8, 369, 265}},
    {IDC_FRAME1,
     IDC_FRAME2,
     L"Frame",
     L"\x4E00\x822C\x7528\x6237\x4F7F\x7528\xFF1A\x5982\x65E0\x6CD5\x4FEE\x590D\x518D\x4F7F\x7528"
     L"\x9AD8\x7EA7\x7528\x6237\x9879\x3002(32\x4F4D\x7CFB\x7EDF\x901A\x7528)",
     {120, 360, 5295, 1095},
     {8, 24, 353, 73}},
    {IDC_COMMAND5,
     IDC_FRAME1,
     L"Button",
     L"\x7B80\x5355\x4FEE\x590D",
     {120, 360, 2415, 495},
     {8, 24, 161, 33}},
    {IDC_COMMAND6,
     IDC_FRAME1,
     L"Button",
     L"\x4E2D\x7EA7\x4FEE\x590D",
     {2760, 360, 2415, 495},
     {184, 24, 161, 33}},
    {IDC_FRAME3,
     IDC_FRAME2,
     L"Frame",
     L"\x9AD8\x7EA7\x7528\x6237\x4F7F\x7528\xFF1A\x8BF7\x6CE8\x610F\x505A\x597D\x6CE8\x518C\x8868"
     L"\x5907\x4EFD\x3002\xFF08"
     L"For WinXP\xFF09",
     {120, 1680, 5295, 1695},
     {8, 112, 353, 113}},
    {IDC_COMMAND2,
     IDC_FRAME3,
     L"Button",
     L"\x4FEE\x590D\x6CE8\x518C\x8868",
     {120, 240, 5055, 375},
     {8, 16, 337, 25}},
    {IDC_COMMAND3,
     IDC_FRAME3,
     L"Button",
     L"\x6062\x590D\x6CE8\x518C\x8868",
     {120, 720, 5055, 375},
     {8, 48, 337, 25}},
    {IDC_COMMAND1,
     IDC_FRAME3,
     L"Button",
     L"\x5237\x65B0\x540E\x9A6C\x4E0A\x751F\x6548",
     {120, 1200, 5055, 375},
     {8, 80, 337, 25}},
    {IDC_COMMAND4,
     IDC_FRAME2,
     L"Button",
     L"\x8BF4\x660E",
     {120, 3480, 5295, 375},
     {8, 232, 353, 25}},
    {IDC_LABEL2, 0, L"Static", L"Quillhaven", {240, 4200, 1305, 240}, {16, 280, 87, 16}},
    {IDC_LABEL3,
     0,
     L"Static",
     L"http://quillhaven.com",
     {1800, 4200, 2775, 240},
     {120, 280, 185, 16}},
};
