// sertavo-shot PROGRAM.exe OUT.bmp: starts the program, waits until its main
// window has painted, writes a screenshot of that window and closes it.
#include <cstdio>
#include "program.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        fwprintf(stderr, L"usage: sertavo-shot PROGRAM.exe OUT.bmp\n");
        return 2;
    }
    RunningProgram program;
    if (!program.Start(argv[1], 15 * 60 * 1000)) {
        fwprintf(stderr, L"sertavo-shot: the main window did not appear\n");
        return 1;
    }
    bool saved = SaveWindowShot(program.main, argv[2]);
    program.Close(5 * 60 * 1000);
    return saved ? 0 : 1;
}
