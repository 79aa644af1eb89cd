#include "recipes/RecipeFileFormat.h"

#include "store/NumberFormat.h"
#include "store/Schema.h"
#include "store/TextCodec.h"

#include <QDir>
#include <QIODevice>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QString MissingVersion =
    QStringLiteral("Invalid File: Missing Version Number (Should be the fisrt line of the file)");
const QString WrongVersion = QStringLiteral("Invalid File: wrong Version Number (expecting 1.0)");
const QString BadNutrientLine = QStringLiteral("Error Reading the Nutrient line:");
const QString BadIngredient = QStringLiteral("Error reading... ");

QString shownName(const QString& fileName)
{
    return "\"" + QDir::toNativeSeparators(fileName) + "\"";
}

// A character no text file holds: the controls other than tab and carriage return.
bool isBinary(QChar c)
{
    const char16_t u = c.unicode();
    return (u < 0x20 && u != '\t' && u != '\r') || u == 0x7F;
}

// The lines of a file read, one after the other.
class LineSource
{
public:
    explicit LineSource(const QStringList& lines) : m_lines(lines) {}

    // The next line that is not ignored; false at the end of the data.
    bool NextSignificantLine(QString* line)
    {
        while (m_next < m_lines.size()) {
            const QString& candidate = m_lines[m_next++];
            if (candidate.isEmpty() || candidate.startsWith(';') || candidate.startsWith(' '))
                continue;
            *line = candidate;
            return true;
        }
        return false;
    }

    // The number of the line NextSignificantLine gave last, counting from 1.
    qsizetype lineNumber() const { return m_next; }

private:
    const QStringList& m_lines;
    qsizetype m_next = 0;
};

// Why a line is refused, naming the file and the line.
QString refusal(const QString& fileName, qsizetype line, const QString& reason)
{
    return QStringLiteral("The file %1 can't be imported: line %2: %3")
        .arg(shownName(fileName))
        .arg(line)
        .arg(reason);
}

// A text longer than the field it is stored in would be cut; the file is refused instead.
QString tooLong(const QString& value, const char* table, const char* field, const char* what)
{
    const int size = Schema::fieldSize(QLatin1String(table), QLatin1String(field));
    if (size > 0 && value.size() > size)
        return QStringLiteral("the %1 is longer than %2 characters")
            .arg(QLatin1String(what))
            .arg(size);
    return QString();
}

// The number a value starts with, as the reader takes it, when it is one that makes sense for
// an amount: finite and not below 0. What follows the number is not read.
bool isAmount(const QString& value)
{
    static const QRegularExpression Leading(
        QStringLiteral("^[ \\t]*([+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?)"));
    const QRegularExpressionMatch m = Leading.match(value);
    if (!m.hasMatch())
        return true; // no number: read as 0
    const double v = m.captured(1).toDouble();
    return std::isfinite(v) && v >= 0 && std::isfinite(float(v));
}

// A whole number as the file's recipe numbers are read: cut toward zero, within 32 bits. An
// empty value is no number.
std::optional<double> wholeNumber(const QString& value)
{
    if (value.isEmpty())
        return std::nullopt;
    const double v = std::trunc(RecipeFileFormat::ParseNumber(value));
    constexpr double Lowest = std::numeric_limits<qint32>::min();
    constexpr double Highest = std::numeric_limits<qint32>::max();
    return std::clamp(v, Lowest, Highest);
}

// A number kept in single precision, as quantities and nutrient values are read.
double single(double value)
{
    const float f = float(value);
    return std::isfinite(f) ? double(f) : 0.0;
}

// Reads one key line into *r; the reason when the line is refused, else an empty text.
QString readKey(const QString& key, const QString& value, RecipeT* r)
{
    auto number = [&](std::optional<double>* into, const char* what) {
        if (!value.isEmpty() && !isAmount(value))
            return QStringLiteral("the %1 must be a number of 0 or more").arg(QLatin1String(what));
        *into = wholeNumber(value);
        return QString();
    };
    if (key.startsWith("RECIPENAME")) {
        r->Name = value;
        return tooLong(value, "Recipe_Des.DB", "Recipe Name", "Recipe Name");
    }
    if (key.startsWith("RECIPECUISINE")) {
        r->Cuisine = value;
        return tooLong(value, "Recipe_Cuisine.DB", "Cuisine", "Cuisine");
    }
    if (key.startsWith("RECIPETYPE")) {
        // A type listed twice, in any letter case, is linked once.
        const QString folded = value.toLower();
        const bool listed =
            std::any_of(r->Types.cbegin(), r->Types.cend(),
                        [&](const RecipeTypeT& t) { return t.Text.toLower() == folded; });
        if (!listed)
            r->Types.append({QVariant(), value});
        return tooLong(value, "Recipe_Types.DB", "Recipe Type", "Recipe Type");
    }
    if (key.startsWith("NUMBEROFSERVES"))
        return number(&r->Serves, "Number of Serves");
    if (key.startsWith("PREPTIME"))
        return number(&r->PrepTime, "Preparation Time");
    if (key.startsWith("COOKTIME"))
        return number(&r->CookTime, "Cooking Time");
    if (key.startsWith("PROCEDURE")) {
        r->Procedure.append(value);
    } else if (key.startsWith("AUTHOR")) {
        r->Author = value;
        return tooLong(value, "Recipe_Des.DB", "Author", "Author");
    } else if (key.startsWith("SOURCE")) {
        r->Source = value;
        return tooLong(value, "Recipe_Des.DB", "Source", "Source");
    } else if (key.startsWith("WEBNAME")) {
        r->WebName = value;
        return tooLong(value, "Recipe_Des.DB", "Web Page Name", "Web Page Name");
    } else if (key.startsWith("WEBLINK")) {
        r->WebLink = value;
    }
    return QString();
}

bool readNutrients(LineSource& source, const QString& fileName, RecipeT* r, QString* error)
{
    QString line;
    while (source.NextSignificantLine(&line)) {
        if (line.startsWith("RECIPE NUTRIENTS END"))
            return true;
        NutrientT nutrient;
        if (!RecipeFileFormat::ParseNutrientLine(line, &nutrient)) {
            *error = BadNutrientLine + line;
            return false;
        }
        // A nutrient is found, or defined, by its description: one without is refused.
        const QString value = RecipeFileFormat::SplitAtEquals(line).second.value_or(QString());
        QString reason;
        if (nutrient.Description.trimmed().isEmpty())
            reason = QStringLiteral("the nutrient has no description");
        else if (!isAmount(value))
            reason = QStringLiteral("the value of \"%1\" must be a number of 0 or more")
                         .arg(nutrient.Description);
        if (!reason.isEmpty()) {
            *error = refusal(fileName, source.lineNumber(), reason);
            return false;
        }
        r->Nutrients.append(nutrient);
    }
    return true;
}

bool readIngredient(LineSource& source, const QString& marker, const QString& fileName, RecipeT* r,
                    QString* error)
{
    QString line;
    // The line after the marker is the block's opening bracket, taken unseen.
    source.NextSignificantLine(&line);
    IngredientT ingredient;
    while (source.NextSignificantLine(&line)) {
        if (line.startsWith('}'))
            break;
        const auto [key, value] = RecipeFileFormat::SplitAtEquals(line);
        if (!value) {
            *error = BadIngredient + marker;
            return false;
        }
        QString reason;
        if (key.startsWith("NAME")) {
            ingredient.Name = *value;
            reason = tooLong(*value, "Recipe_Ingredients.DB", "Ingredient Name", "Ingredient Name");
        } else if (key.startsWith("QUANTITY")) {
            if (!isAmount(*value))
                reason = QStringLiteral("the Quantity must be a number of 0 or more");
            ingredient.Quantity =
                value->isEmpty() ? std::nullopt
                                 : std::optional(single(RecipeFileFormat::ParseNumber(*value)));
        } else if (key.startsWith("UNIT")) {
            ingredient.Unit = *value;
            reason = tooLong(*value, "Recipe_Ingredients.DB", "Unit", "Unit");
        }
        if (!reason.isEmpty()) {
            *error = refusal(fileName, source.lineNumber(), reason);
            return false;
        }
    }
    r->Ingredients.append(ingredient);
    return true;
}

} // namespace

std::pair<QString, std::optional<QString>> RecipeFileFormat::SplitAtEquals(const QString& line)
{
    const qsizetype at = line.indexOf('=');
    if (at < 0)
        return {line, std::nullopt};
    return {line.left(at), line.mid(at + 1)};
}

bool RecipeFileFormat::ParseNutrientLine(const QString& line, NutrientT* nutrient)
{
    const auto [key, value] = SplitAtEquals(line);
    if (!value || value->isEmpty())
        return false;
    const qsizetype blank = value->indexOf(' ');
    // The number comes first and a blank ends it; a line without one, or whose number is
    // missing, is refused.
    if (blank <= 0)
        return false;
    qsizetype units = blank;
    while (units < value->size() && value->at(units) == ' ')
        ++units;
    nutrient->Description = key;
    nutrient->Value = single(ParseNumber(value->left(blank)));
    nutrient->Units = value->mid(units);
    return true;
}

double RecipeFileFormat::ParseNumber(const QString& text)
{
    if (text.isEmpty())
        return -1;
    return NumberFormat::leadingNumber(text);
}

QString RecipeFileFormat::number(double value)
{
    return NumberFormat::g6(value);
}

QStringList RecipeFileFormat::splitLines(const QString& text)
{
    static const QRegularExpression LineEnd(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(LineEnd);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool RecipeFileFormat::read(QIODevice& in, const QString& fileName, RecipeT* recipe, QString* error)
{
    // Read in pieces as a stream gives them, but never more than one byte past the limit.
    QByteArray data;
    while (data.size() <= MaxFileSize) {
        const QByteArray piece = in.read(MaxFileSize + 1 - data.size());
        if (piece.isEmpty())
            break;
        data += piece;
    }
    if (data.size() > MaxFileSize) {
        *error = QStringLiteral("The file %1 can't be imported: it is larger than %2 MB, too "
                                "large for a recipe file.")
                     .arg(shownName(fileName))
                     .arg(MaxFileSize / (1024 * 1024));
        return false;
    }
    const qsizetype end = data.indexOf('\x1A');
    if (end >= 0)
        data.truncate(end);

    QStringList lines = TextCodec::decode(data).split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString& line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.size() > MaxLineLength) {
            *error = QStringLiteral("The file %1 can't be imported: line %2 is longer than %3 "
                                    "characters.")
                         .arg(shownName(fileName))
                         .arg(i + 1)
                         .arg(MaxLineLength);
            return false;
        }
        if (std::any_of(line.cbegin(), line.cend(), isBinary)) {
            *error = QStringLiteral("The file %1 can't be imported: line %2 holds characters "
                                    "that are not text.")
                         .arg(shownName(fileName))
                         .arg(i + 1);
            return false;
        }
    }

    LineSource source(lines);
    QString line;
    if (!source.NextSignificantLine(&line) || !line.startsWith("RPFVERSION")) {
        *error = MissingVersion;
        return false;
    }
    const auto version = SplitAtEquals(line).second;
    if (!version || !version->startsWith("1.0")) {
        *error = WrongVersion;
        return false;
    }

    RecipeT r;
    while (source.NextSignificantLine(&line)) {
        const auto [key, value] = SplitAtEquals(line);
        if (value) {
            if (const QString reason = readKey(key, *value, &r); !reason.isEmpty()) {
                *error = refusal(fileName, source.lineNumber(), reason);
                return false;
            }
        } else if (line.startsWith("RECIPE NUTRIENTS START") &&
                   !readNutrients(source, fileName, &r, error)) {
            return false;
        } else if (line.startsWith("INGREDIENT") &&
                   !readIngredient(source, line, fileName, &r, error)) {
            return false;
        }
    }
    *recipe = r;
    return true;
}

QStringList RecipeFileFormat::lines(const RecipeT& r)
{
    auto optionalNumber = [](const std::optional<double>& v) { return v ? number(*v) : QString(); };
    QStringList out;
    out << "RPFVERSION=1.0"
        << "; --- Recipe Information ---"
        << "RECIPENAME=" + r.Name << "RECIPECUISINE=" + r.Cuisine;
    for (qsizetype i = 0; i < r.Types.size(); ++i)
        out << "RECIPETYPE" + QString::number(i + 1) + "=" + r.Types[i].Text;
    out << "NUMBEROFSERVES=" + optionalNumber(r.Serves) << "PREPTIME=" + optionalNumber(r.PrepTime)
        << "COOKTIME=" + optionalNumber(r.CookTime);
    for (qsizetype i = 0; i < r.Procedure.size(); ++i)
        out << "PROCEDURE" + QString::number(i + 1) + "=" + r.Procedure[i];
    out << "AUTHOR=" + r.Author << "SOURCE=" + r.Source << "WEBNAME=" + r.WebName
        << "WEBLINK=" + r.WebLink << QString() << ";-------------------------------;"
        << "RECIPE NUTRIENTS START";
    for (const NutrientT& n : r.Nutrients)
        out << n.Description + "=" + number(n.Value) + " " + n.Units;
    out << "RECIPE NUTRIENTS END" << QString() << QString() << ";--- ingredient List ---";
    for (qsizetype i = 0; i < r.Ingredients.size(); ++i) {
        const IngredientT& ingredient = r.Ingredients[i];
        out << "INGREDIENT" + QString::number(i + 1) << "{"
            << "NAME=" + ingredient.Name << "QUANTITY=" + number(ingredient.Quantity.value_or(0))
            << "UNIT=" + ingredient.Unit << "}";
    }
    return out;
}

bool RecipeFileFormat::write(QIODevice& out, const RecipeT& recipe, QString* error)
{
    const QByteArray bytes = (lines(recipe).join("\r\n") + "\r\n").toUtf8();
    if (out.write(bytes) != bytes.size()) {
        *error = out.errorString();
        return false;
    }
    return true;
}
