#define DOCTEST_CONFIG_IMPLEMENT
#include <cstdio>
#include "testing.h"

int main(int argc, char** argv)
{
    // A test program that hangs is killed by ctest's time-out: whatever it
    // printed must already be out, not held in the C runtime's buffer.
    setvbuf(stdout, nullptr, _IONBF, 0);
    doctest::Context context(argc, argv);
    return context.run();
}
