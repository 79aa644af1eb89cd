#pragma once

#include "recipes/Recipe.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Turns a recipe into an HTML page through a template (.rht): an HTML file whose lines, from the
// one holding "<body" on, are copied with token lines ("#RECIPENAME", "#LIST_TYPES_START" ...)
// replaced by the recipe's values. The page gets its own head, and a footer before the template's
// "/body" line (or before a closing "</BODY>" of its own). Values are HTML-escaped; the
// template's markup is copied as it stands.
class RecipeHtmlRenderer
{
public:
    // The longest template line, in characters; the template ends before a longer one.
    static constexpr int MaxLineLength = 4095;

    // The page's lines for recipe through the template's lines. decimalPoint is the separator
    // of the general number form (serves, quantities).
    static QStringList render(const QStringList& templateLines, const RecipeT& recipe,
                              const QString& decimalPoint = QStringLiteral("."));
    // The lines of a template file's contents (UTF-8, or CP1252 when not valid UTF-8), up to
    // an over-long line.
    static QStringList templateLines(const QByteArray& data);
    // The page as a file holds it: UTF-8 with a byte order mark, so that browsers and the
    // preview read it alike, and CR LF after each line.
    static QByteArray pageBytes(const QStringList& page);

    static QStringList footer();
};
