#include "storm.h"

TEST_CASE_FIXTURE(
    ControlForm,
    "a storm of random messages to every kind of control, then a detach, leaves nothing behind")
{
    StormThenDetach(*this, 30000);
}
