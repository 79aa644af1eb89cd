#pragma once

#include <QByteArray>
#include <QString>

// Text files the user hands the program (recipe exchange files, HTML templates) come from other
// installations and editors: they are read as UTF-8, or as Windows code page 1252 when they are
// not valid UTF-8, so that files written by older, single-byte programs still read correctly.
class TextCodec
{
public:
    // The text of data: UTF-8 (a leading byte order mark dropped) when it is valid UTF-8,
    // otherwise CP1252.
    static QString decode(const QByteArray& data);
};
