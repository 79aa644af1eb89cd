#pragma once

#include "store/Clock.h"

// Today's date from the system clock.
class SystemClock : public Clock
{
public:
    QDate today() const override;
};
