#pragma once

#include "recipes/Recipe.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

class QIODevice;

// The recipe exchange file (.rpf): one recipe as plain text, one item per line, beginning
// "RPFVERSION=1.0". Written in UTF-8 with CR LF line ends; read as UTF-8, or as CP1252 when the
// file is not valid UTF-8, with CR LF or LF line ends, up to a Ctrl-Z byte.
//
// Lines that are empty or begin with ";" or a blank are ignored. A line holding "=" is a key line
// (key before the first "=", value after it); any other line is a marker. Keys and markers are
// recognised by their beginning, with letter case counting.
class RecipeFileFormat
{
public:
    // The longest line read, in characters, and the largest file read.
    static constexpr int MaxLineLength = 4095;
    static constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

    // Reads one recipe from in into *recipe. On failure *error holds the message to show
    // (fileName names the file in the messages about the file itself) and *recipe is unchanged.
    static bool read(QIODevice& in, const QString& fileName, RecipeT* recipe, QString* error);
    // Writes recipe; *error holds the device's reason when it fails.
    static bool write(QIODevice& out, const RecipeT& recipe, QString* error);
    // The lines write() puts out, without their line ends.
    static QStringList lines(const RecipeT& recipe);

    // The line operations of the reader.
    // Key and value at the first "="; without "=" the whole line is the key and there is no
    // value.
    static std::pair<QString, std::optional<QString>> SplitAtEquals(const QString& line);
    // "description=number units": the number ends at the first blank after "=", the units
    // follow the run of blanks after it (they may be empty). False for a line without "=", a
    // value without a blank or without a number before it.
    static bool ParseNutrientLine(const QString& line, NutrientT* nutrient);
    // The number text starts with (leading blanks, a sign, digits with "." as the decimal point,
    // an exponent); 0 when it starts with none, -1 for an empty text.
    static double ParseNumber(const QString& text);

    // Numbers as the file writes them: the C "%g" form, six significant digits.
    static QString number(double value);
    // A multi-line text as lines: split at CR LF, LF or CR; a line end at the very end adds no
    // line, and an empty text has none.
    static QStringList splitLines(const QString& text);
};
