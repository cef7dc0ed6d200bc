#define DOCTEST_CONFIG_IMPLEMENT
#include "testing.h"

int main(int argc, char** argv)
{
    doctest::Context context(argc, argv);
    return context.run();
}
