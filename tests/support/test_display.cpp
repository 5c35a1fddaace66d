#include "test_display.h"

#include "display.h"

void ensureDisplay()
{
    static bool up = false;
    if (up)
        return;
    initDisplay();
    up = true;
}
