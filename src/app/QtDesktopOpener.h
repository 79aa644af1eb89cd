#pragma once

#include "store/DesktopOpener.h"

// Opens files and web addresses with the desktop's default handler.
class QtDesktopOpener : public DesktopOpener
{
public:
    bool open(const QString& path) override;
};
