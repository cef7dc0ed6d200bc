#include "core/high_contrast.h"

#ifdef BEAUTIFIER_TEST_SEAMS
namespace {
int g_overriddenHighContrast = -1;
}

void OverrideHighContrast(int on)
{
    g_overriddenHighContrast = on;
}
#endif

bool IsHighContrastOn()
{
#ifdef BEAUTIFIER_TEST_SEAMS
    if (g_overriddenHighContrast >= 0)
        return g_overriddenHighContrast != 0;
#endif
    HIGHCONTRASTW setting = {};
    setting.cbSize = sizeof setting;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON);
}
