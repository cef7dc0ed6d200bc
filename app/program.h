#pragma once

// What the program says of itself, shared by the windows, the actions and
// the command line.
inline constexpr wchar_t kProgramTitle[] =
    L"Sertavo";  // the main window's caption, the boxes' title
inline constexpr wchar_t kForumAddress[] =
    L"http://quillhaven.com";  // the maker's forum, shown by Label3
inline constexpr wchar_t kForumLinkTarget[] =
    L"http://quillhaven.com/";  // what a click on Label3 opens
