#pragma once

#include <QString>

// Addresses that come with the data (a recipe's web link, perhaps from a received file) and are
// handed to the desktop: only web and e-mail addresses, never a local file or a program.
class WebAddress
{
public:
    // The address to open for link: an http or https address with a host, or a mailto address;
    // a link without a scheme ("www.example.org") is taken as a web address. Empty for anything
    // else (file:, a path, javascript:, an empty link).
    static QString openable(const QString& link);
};
