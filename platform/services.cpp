#include "platform/services.h"

#include "platform/clock.h"

Services& services()
{
    static SystemClock systemClock;
    static Services current{nullptr, nullptr, nullptr, &systemClock, nullptr};
    return current;
}
