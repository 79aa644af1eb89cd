#include "recipes/RecipeHtmlRenderer.h"

#include "store/NumberFormat.h"
#include "store/TextCodec.h"

#include <functional>
#include <optional>

namespace {

// The address of the sibling product named in every page's footer.
const QString SiblingProductPage = QStringLiteral("https://www.pantrelle.example/cucinova/");

QString html(const QString& value)
{
    return value.toHtmlEscaped();
}

bool containsBody(const QString& line, const char* tag)
{
    return line.contains(QLatin1String(tag), Qt::CaseInsensitive);
}

// One block of the template: its body lines (between the start and end lines) repeated once per
// item, with element lines replaced.
struct Block
{
    QString startLine;
    QStringList body;
};

// Collects the body of the block whose start line is at *at, up to the line beginning with
// endToken (consumed) or the end of the template; *at is left on the end line.
Block collectBlock(const QStringList& lines, qsizetype* at, const QString& endToken)
{
    Block block{lines[*at], {}};
    for (++*at; *at < lines.size(); ++*at) {
        if (lines[*at].startsWith(endToken))
            break;
        block.body << lines[*at];
    }
    return block;
}

// An element of a block: the line beginning with token is replaced by the element's text; no
// text drops the line.
using Element = std::pair<QString, std::function<std::optional<QString>()>>;

void expand(const QStringList& body, const QList<Element>& elements, QStringList* out)
{
    for (const QString& line : body) {
        bool replaced = false;
        for (const auto& [token, text] : elements) {
            if (line.startsWith(token)) {
                if (const std::optional<QString> value = text())
                    *out << *value;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            *out << line;
    }
}

} // namespace

QStringList RecipeHtmlRenderer::footer()
{
    return {"<HR>", "<FONT SIZE=1 COLOR=\"#646464\"><DIV ALIGN=\"RIGHT\">",
            "this recipe was produced using: <A HREF=\"" + SiblingProductPage +
                "\">Pantrelle - Cucinova</A>",
            "</DIV>", "</FONT>"};
}

QStringList RecipeHtmlRenderer::templateLines(const QByteArray& data)
{
    QStringList lines = TextCodec::decode(data).split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].endsWith('\r'))
            lines[i].chop(1);
        if (lines[i].size() > MaxLineLength) {
            lines.resize(i);
            break;
        }
    }
    // A final line end closes the last line; it does not begin another.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray RecipeHtmlRenderer::pageBytes(const QStringList& page)
{
    return "\xEF\xBB\xBF" + (page.join("\r\n") + "\r\n").toUtf8();
}

QStringList RecipeHtmlRenderer::render(const QStringList& lines, const RecipeT& recipe,
                                       const QString& decimalPoint)
{
    auto general = [&decimalPoint](double value) {
        return NumberFormat::general(value).replace('.', decimalPoint);
    };
    auto orBrackets = [](const std::optional<double>& value, auto form) {
        return value ? form(*value) : QStringLiteral("[ ]");
    };

    QStringList out = {"<HTML>", "<HEAD>", "<TITLE>" + html(recipe.Name) + "</TITLE>",
                       "<META NAME=\"generator\" CONTENT=\"Pantrelle: Cucinova 1.0\">", "</HEAD>"};

    qsizetype at = 0;
    while (at < lines.size() && !containsBody(lines[at], "<body"))
        ++at;
    bool footerPlaced = false;
    if (at == lines.size())
        out << "<BODY>"
            << "ERROR in the Template File"
            << "</BODY>";

    // The single-line tokens, in the order they are compared.
    const QList<Element> tokens = {
        {"#RECIPENAME", [&] { return html(recipe.Name); }},
        {"#NUMBEROFSERVES", [&] { return orBrackets(recipe.Serves, general); }},
        {"#PREPTIME", [&] { return orBrackets(recipe.PrepTime, NumberFormat::fixed2); }},
        {"#COOKTIME", [&] { return orBrackets(recipe.CookTime, NumberFormat::fixed0); }},
        {"#CUISINE", [&] { return html(recipe.Cuisine); }},
        {"#AUTHOR", [&] { return html(recipe.Author); }},
        {"#SOURCE", [&] { return html(recipe.Source); }},
        {"#WEBNAME", [&] { return html(recipe.WebName); }},
        {"#WEBLINK", [&] { return html(recipe.WebLink); }},
    };

    for (; at < lines.size(); ++at) {
        const QString& line = lines[at];
        if (line.startsWith("#LIST_PROCEDURE_START")) {
            const Block block = collectBlock(lines, &at, "#LIST_PROCEDURE_END");
            for (const QString& step : recipe.Procedure)
                expand(block.body, {{"#PROCEDURE_ELEMENT", [&] { return html(step); }}}, &out);
        } else if (line.startsWith("#LIST_INGREDIENT_START")) {
            const Block block = collectBlock(lines, &at, "#LIST_INGREDIENT_END");
            for (const IngredientT& i : recipe.Ingredients)
                expand(block.body,
                       {{"#INGREDIENT_QUANTITY",
                         [&] { return i.Quantity ? general(*i.Quantity) : QString(); }},
                        {"#INGREDIENT_UNIT", [&] { return html(i.Unit); }},
                        {"#INGREDIENT_NAME", [&] { return html(i.Name); }}},
                       &out);
        } else if (line.startsWith("#LIST_NUTRIENTS_START")) {
            const Block block = collectBlock(lines, &at, "#LIST_NUTRIENTS_END");
            for (const NutrientT& n : recipe.Nutrients) {
                // No number of serves, or 0 of them, gives no value per serve, shown as 0.
                const double serves = recipe.Serves.value_or(0);
                const double perServe = serves == 0 ? 0 : n.Value / serves;
                expand(block.body,
                       {{"#NUTRIENT_NAME", [&] { return html(n.Description); }},
                        {"#NUTRIENT_VAL_TOTAL", [&] { return NumberFormat::fixed2(n.Value); }},
                        {"#NUTRIENT_VAL_SERVE", [&] { return NumberFormat::fixed0(perServe); }},
                        {"#NUTRIENT_UNIT", [&] { return html(n.Units); }}},
                       &out);
            }
        } else if (line.startsWith("#LIST_TYPES_START")) {
            const Block block = collectBlock(lines, &at, "#LIST_TYPES_END");
            // The separator is the character after "SEPERATOR=" on the start line.
            const qsizetype mark = block.startLine.indexOf("SEPERATOR=");
            const qsizetype after = mark + qsizetype(QStringLiteral("SEPERATOR=").size());
            const QString separator = mark >= 0 && after < block.startLine.size()
                                          ? block.startLine.mid(after, 1)
                                          : QString();
            for (qsizetype k = 0; k < recipe.Types.size(); ++k) {
                const bool last = k + 1 == recipe.Types.size();
                expand(block.body,
                       {{"#TYPE_ELEMENT", [&] { return html(recipe.Types[k].Text); }},
                        {"#SEPERATOR",
                         [&] { return last ? std::nullopt : std::optional(separator); }}},
                       &out);
            }
        } else if (line.startsWith('#')) {
            // A token replaces its whole line; an unknown one gives nothing.
            for (const auto& [token, text] : tokens) {
                if (line.startsWith(token)) {
                    out << text().value_or(QString());
                    break;
                }
            }
        } else {
            if (containsBody(line, "/body")) {
                out << footer();
                footerPlaced = true;
            }
            out << line;
        }
    }
    if (!footerPlaced)
        out << footer() << "</BODY>";
    out << "</HTML>";
    return out;
}
