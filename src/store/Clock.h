#pragma once

#include <QDate>

// Today's date, injected so that tests can fix it.
class Clock
{
public:
    virtual ~Clock() = default;

    virtual QDate today() const = 0;
};
