// The recipe exchange file and the HTML template language, without a database or a window:
// every case is a small input file beside the outcome expected from it.

#include "recipes/RecipeFileFormat.h"
#include "recipes/RecipeHtmlRenderer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <gtest/gtest.h>
#include <optional>

namespace {

const QString ReadCases = QStringLiteral(KELORA_TEST_DATA_DIR "/rpf-read");
const QString RenderCases = QStringLiteral(KELORA_TEST_DATA_DIR "/rht-render");
const QString ShippedTemplates = QStringLiteral(KELORA_TEMPLATES_DIR);

QByteArray contents(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "cannot read " << path.toStdString();
    return file.readAll();
}

std::vector<std::string> caseNames(const QString& folder, const QString& pattern)
{
    std::vector<std::string> names;
    for (const QFileInfo& f : QDir(folder).entryInfoList({pattern}, QDir::Files, QDir::Name))
        names.push_back(f.completeBaseName().toStdString());
    return names;
}

std::string testName(const ::testing::TestParamInfo<std::string>& info)
{
    std::string name = info.param;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

QString optionalText(const std::optional<double>& value)
{
    return value ? QString::number(*value, 'g', 10) : QStringLiteral("(empty)");
}

// A recipe read, one item per line, in a form the expected files can hold.
QString dump(const RecipeT& r)
{
    QStringList out;
    out << "name: " + r.Name << "cuisine: " + r.Cuisine;
    for (const RecipeTypeT& t : r.Types)
        out << "type: " + t.Text;
    out << "serves: " + optionalText(r.Serves) << "prep: " + optionalText(r.PrepTime)
        << "cook: " + optionalText(r.CookTime);
    for (const QString& line : r.Procedure)
        out << "procedure: " + line;
    out << "author: " + r.Author << "source: " + r.Source << "webname: " + r.WebName
        << "weblink: " + r.WebLink;
    for (const NutrientT& n : r.Nutrients)
        out << "nutrient: " + n.Description + "|" + QString::number(n.Value, 'g', 10) + "|" +
                   n.Units;
    for (const IngredientT& i : r.Ingredients)
        out << "ingredient: " + i.Name + "|" + optionalText(i.Quantity) + "|" + i.Unit;
    return out.join('\n').replace('\r', "\\r") + '\n';
}

// Reads data as the file fileName; "error: " + the message when the reader refuses it.
QString readOutcome(const QByteArray& data, const QString& fileName = "input.rpf")
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    RecipeT recipe;
    recipe.Name = "untouched";
    QString error;
    if (!RecipeFileFormat::read(buffer, fileName, &recipe, &error)) {
        EXPECT_EQ(recipe.Name, "untouched") << "a refused file leaves the record as it was";
        return "error: " + error + '\n';
    }
    return dump(recipe);
}

// The recipe the written file and the template cases show.
RecipeT tatin()
{
    RecipeT r;
    r.Name = "Tarte Tatin";
    r.Cuisine = "French";
    r.Types = {{QVariant(), "Dessert"}, {QVariant(), "Baking"}};
    r.Serves = 2.5;
    r.PrepTime = 7.5;
    r.Procedure = {"Peel the apples.", "", "Bake < 20 min & serve."};
    r.Author = "Ann Smith";
    r.Source = "Grandmother's book";
    r.WebName = "Tatin page";
    r.WebLink = "https://example.org/tatin?a=1&b=2";
    r.Nutrients = {{208, "Energy", 250, "kcal"},
                   {203, "Protein", 100.0 / 3, "g"},
                   {318, "Vitamin A, IU", 1e6, "IU per 100 g"}};
    r.Ingredients = {{"apples", 6, ""}, {"butter, soft", 1.0 / 3, "cup"}};
    return r;
}

// --- Reading ----------------------------------------------------------------------------------

class RecipeFileRead : public ::testing::TestWithParam<std::string>
{
};

TEST_P(RecipeFileRead, GivesTheExpectedRecipeOrMessage)
{
    const QString name = QString::fromStdString(GetParam());
    const QString expected = QString::fromUtf8(contents(ReadCases + "/" + name + ".expected"));
    EXPECT_EQ(readOutcome(contents(ReadCases + "/" + name + ".rpf"), name + ".rpf").toStdString(),
              expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(Cases, RecipeFileRead, ::testing::ValuesIn(caseNames(ReadCases, "*.rpf")),
                         testName);

TEST(RecipeFileReadLimits, LinesUpTo4095CharactersAreRead)
{
    const QByteArray header = "RPFVERSION=1.0\r\n; comment\r\n";
    // The web link has no size of its own: only the line's length limits it.
    const QByteArray name = "WEBLINK=" + QByteArray(4095 - 8, 'x');
    EXPECT_TRUE(readOutcome(header + name + "\r\n").contains("weblink: xxx"));
    // Characters count, not bytes: 4087 two-byte letters are one line of 4095 characters.
    const QByteArray wide = "WEBLINK=" + QString(4087, QChar(0xE9)).toUtf8();
    EXPECT_TRUE(readOutcome(header + wide + "\r\n")
                    .contains("weblink: " + QString(4087, QChar(0xE9)) + "\n"));

    EXPECT_EQ(readOutcome(header + name + "y\r\n", "long.rpf"),
              "error: The file \"long.rpf\" can't be imported: line 3 is longer than 4095 "
              "characters.\n");
}

TEST(RecipeFileReadLimits, AFileTooLargeForARecipeIsRefusedWithoutReadingItWhole)
{
    // 50 MB of well-formed procedure lines, behind a valid start.
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    file.write("RPFVERSION=1.0\r\nRECIPENAME=Huge\r\n");
    const QByteArray line = "PROCEDURE1=" + QByteArray(1000, 'p') + "\r\n";
    while (file.size() < 50 * 1024 * 1024)
        file.write(line);
    file.seek(0);
    RecipeT recipe;
    QString error;
    EXPECT_FALSE(RecipeFileFormat::read(file, "huge.rpf", &recipe, &error));
    EXPECT_EQ(error, "The file \"huge.rpf\" can't be imported: it is larger than 4 MB, too large "
                     "for a recipe file.");
    EXPECT_LE(file.pos(), RecipeFileFormat::MaxFileSize + 1);
}

// Damaged files of every kind end with a recipe or a message, never with a crash or a hang.
TEST(RecipeFileReadLimits, DamagedFilesEndWithARecipeOrAMessage)
{
    const QByteArray good = contents(ReadCases + "/full-crlf.rpf");
    QRandomGenerator random(20261210);
    for (int round = 0; round < 3000; ++round) {
        QByteArray data = good;
        const int changes = 1 + random.bounded(8);
        // A change may leave no data: nothing is left to change then (bounded(0) is no range).
        for (int c = 0; c < changes && !data.isEmpty(); ++c) {
            const int at = random.bounded(int(data.size()));
            switch (random.bounded(4)) {
            case 0:
                data[at] = char(random.bounded(256));
                break;
            case 1:
                data.remove(at, random.bounded(40));
                break;
            case 2:
                data.insert(at, data.mid(random.bounded(int(data.size())), 30));
                break;
            default:
                data.truncate(at);
                break;
            }
        }
        const QString outcome = readOutcome(data);
        ASSERT_FALSE(outcome.isEmpty());
    }
}

TEST(RecipeFileLineOperations, SplitParseAndNumber)
{
    using F = RecipeFileFormat;
    EXPECT_EQ(F::SplitAtEquals("A=b=c"),
              std::make_pair(QString("A"), std::optional<QString>("b=c")));
    EXPECT_EQ(F::SplitAtEquals("A="), std::make_pair(QString("A"), std::optional<QString>("")));
    EXPECT_EQ(F::SplitAtEquals("INGREDIENT1").second, std::nullopt);

    const struct
    {
        const char* text;
        double value;
    } numbers[] = {{"", -1},   {"abc", 0},  {"  2.5 cups", 2.5}, {"-3", -3},
                   {"+4.", 4}, {".5", 0.5}, {"1e3x", 1000},      {"1e", 1},
                   {"2,5", 2}, {" ", 0},    {"1e999", 0}};
    for (const auto& n : numbers)
        EXPECT_DOUBLE_EQ(F::ParseNumber(n.text), n.value) << n.text;

    EXPECT_EQ(F::splitLines(""), QStringList());
    EXPECT_EQ(F::splitLines("a\r\n\nb\rc\n"), QStringList({"a", "", "b", "c"}));
    EXPECT_EQ(F::splitLines("a\n\n"), QStringList({"a", ""}));
}

// --- Writing ----------------------------------------------------------------------------------

TEST(RecipeFileWrite, WritesTheLayoutLineByLineWithCrLf)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QString error;
    ASSERT_TRUE(RecipeFileFormat::write(out, tatin(), &error));
    EXPECT_EQ(out.data().toStdString(), contents(ReadCases + "/full-crlf.rpf").toStdString());
}

TEST(RecipeFileWrite, AnEmptyRecipeKeepsTheFixedLinesOnly)
{
    const QStringList expected = {"RPFVERSION=1.0",
                                  "; --- Recipe Information ---",
                                  "RECIPENAME=",
                                  "RECIPECUISINE=",
                                  "NUMBEROFSERVES=",
                                  "PREPTIME=",
                                  "COOKTIME=",
                                  "AUTHOR=",
                                  "SOURCE=",
                                  "WEBNAME=",
                                  "WEBLINK=",
                                  "",
                                  ";-------------------------------;",
                                  "RECIPE NUTRIENTS START",
                                  "RECIPE NUTRIENTS END",
                                  "",
                                  "",
                                  ";--- ingredient List ---"};
    EXPECT_EQ(RecipeFileFormat::lines(RecipeT()), expected);
}

TEST(RecipeFileWrite, NumbersInTheCGeneralForm)
{
    const struct
    {
        double value;
        const char* text;
    } cases[] = {{4, "4"},
                 {2.5, "2.5"},
                 {100.0 / 3, "33.3333"},
                 {1e6, "1e+06"},
                 {999999, "999999"},
                 {1e-5, "1e-05"},
                 {0.0001, "0.0001"},
                 {0, "0"},
                 {-0.25, "-0.25"},
                 {1234567, "1.23457e+06"}};
    for (const auto& c : cases)
        EXPECT_EQ(RecipeFileFormat::number(c.value).toStdString(), c.text) << c.value;

    RecipeT r;
    r.Ingredients = {{"salt", std::nullopt, "pinch"}};
    EXPECT_TRUE(RecipeFileFormat::lines(r).contains("QUANTITY=0"));
}

TEST(RecipeFileWrite, TextOutsideSingleBytesSurvivesWritingAndReading)
{
    RecipeT r;
    r.Name = "Crème brûlée – “Œufs” 🍮";
    r.Ingredients = {{"crème fraîche", 200, "ml"}};
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QString error;
    ASSERT_TRUE(RecipeFileFormat::write(out, r, &error));
    EXPECT_TRUE(out.data().contains("RECIPENAME=" + r.Name.toUtf8() + "\r\n"));
    EXPECT_TRUE(readOutcome(out.data()).startsWith("name: " + r.Name + "\n"));
    EXPECT_TRUE(readOutcome(out.data()).endsWith("ingredient: crème fraîche|200|ml\n"));
}

TEST(RecipeFileWrite, AFailingDeviceIsReported)
{
    QFile closed("/nonexistent/never.rpf");
    QString error;
    EXPECT_FALSE(RecipeFileFormat::write(closed, tatin(), &error));
    EXPECT_FALSE(error.isEmpty());
}

// --- HTML templates ---------------------------------------------------------------------------

RecipeT renderRecipe()
{
    RecipeT r;
    r.Name = "Tarte <Tatin> & Co";
    r.Cuisine = "French";
    r.Types = {{QVariant(), "Main"}, {QVariant(), "Dessert"}};
    r.Serves = 4;
    r.PrepTime = 5;
    r.CookTime = 5;
    r.Procedure = {"Peel the apples.", "", "bake < 20 min & serve"};
    r.Author = "Ann \"Nan\" Smith";
    r.Source = "Book";
    r.WebName = "Tatin page";
    r.WebLink = "https://example.org/?a=1&b=2";
    r.Ingredients = {{"apples", 6, ""}, {"butter & \"more\"", 0.5, "cup"}, {"salt", {}, "pinch"}};
    r.Nutrients = {{208, "Energy", 250.4, "kcal"}, {203, "Protein", 10.6, "g"}};
    return r;
}

class TemplateRender : public ::testing::TestWithParam<std::string>
{
};

// A case's template names the recipe it is rendered with in a comment before its body (which
// never reaches the page): "full" (above) or "empty".
TEST_P(TemplateRender, GivesTheExpectedPage)
{
    const QString name = QString::fromStdString(GetParam());
    const QStringList lines =
        RecipeHtmlRenderer::templateLines(contents(RenderCases + "/" + name + ".rht"));
    const bool empty = lines.contains("<!-- recipe: empty -->");
    const QStringList page = RecipeHtmlRenderer::render(lines, empty ? RecipeT() : renderRecipe());
    const QString expected = QString::fromUtf8(contents(RenderCases + "/" + name + ".html"));
    EXPECT_EQ((page.join('\n') + '\n').toStdString(), expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(Cases, TemplateRender,
                         ::testing::ValuesIn(caseNames(RenderCases, "*.rht")), testName);

TEST(TemplateRenderForms, PageFileTemplateLinesAndDecimalPoint)
{
    const QByteArray bytes = RecipeHtmlRenderer::pageBytes({"<HTML>", "Crème", "</HTML>"});
    EXPECT_EQ(bytes, QByteArray("\xEF\xBB\xBF<HTML>\r\nCr\xC3\xA8me\r\n</HTML>\r\n"));

    // CR LF or LF; CP1252 when not UTF-8; the template ends before an over-long line.
    EXPECT_EQ(RecipeHtmlRenderer::templateLines("<body>\r\nCr\xE8me\n\n#AUTHOR\r\n"),
              QStringList({"<body>", "Crème", "", "#AUTHOR"}));
    const QByteArray longLine(4096, 'x');
    EXPECT_EQ(RecipeHtmlRenderer::templateLines("<body>\n" + QByteArray(4095, 'y') + "\n" +
                                                longLine + "\n#RECIPENAME\n"),
              QStringList({"<body>", QString(4095, 'y')}));

    RecipeT r;
    r.Serves = 2.5;
    r.Ingredients = {{"milk", 0.75, "l"}};
    const QStringList page =
        RecipeHtmlRenderer::render({"<body>", "#NUMBEROFSERVES", "#LIST_INGREDIENT_START",
                                    "#INGREDIENT_QUANTITY", "#LIST_INGREDIENT_END", "#PREPTIME"},
                                   r, ",");
    EXPECT_EQ(page.mid(5, 4), QStringList({"<body>", "2,5", "0,75", "[ ]"}));
}

// Values per serve divide the totals by the number of serves; with no serves, or 0 of them, a
// page still renders, showing 0 per serve rather than a division by zero.
TEST(TemplateRenderForms, ValuesPerServeWithAndWithoutServes)
{
    struct Case
    {
        std::optional<double> serves;
        // Serves, then per serve of Energy 250.4 and Protein 10.6 (whole numbers at least two
        // characters wide).
        QStringList shown;
    };
    const Case cases[] = {
        {4, {"4", "63", " 3"}},
        {2.5, {"2.5", "100", " 4"}},
        {0, {"0", " 0", " 0"}},
        {std::nullopt, {"[ ]", " 0", " 0"}},
    };
    for (const Case& c : cases) {
        RecipeT r = renderRecipe();
        r.Serves = c.serves;
        const QStringList page =
            RecipeHtmlRenderer::render({"<body>", "#NUMBEROFSERVES", "#LIST_NUTRIENTS_START",
                                        "#NUTRIENT_VAL_SERVE", "#LIST_NUTRIENTS_END"},
                                       r);
        const qsizetype body = page.indexOf("<body>");
        ASSERT_GE(body, 0);
        EXPECT_EQ(page.mid(body + 1, 3), c.shown) << c.shown.join(' ').toStdString();
    }
}

// The shipped templates use every token and block, and render a page without leftovers.
class ShippedTemplate : public ::testing::TestWithParam<std::string>
{
};

TEST_P(ShippedTemplate, UsesEveryTokenAndRendersCleanly)
{
    const QString name = QString::fromStdString(GetParam());
    const QByteArray data = contents(ShippedTemplates + "/" + name + ".rht");
    const QStringList lines = RecipeHtmlRenderer::templateLines(data);
    for (const char* token : {"#LIST_PROCEDURE_START",
                              "#PROCEDURE_ELEMENT",
                              "#LIST_PROCEDURE_END",
                              "#LIST_INGREDIENT_START",
                              "#INGREDIENT_QUANTITY",
                              "#INGREDIENT_UNIT",
                              "#INGREDIENT_NAME",
                              "#LIST_INGREDIENT_END",
                              "#LIST_NUTRIENTS_START",
                              "#NUTRIENT_NAME",
                              "#NUTRIENT_VAL_TOTAL",
                              "#NUTRIENT_VAL_SERVE",
                              "#NUTRIENT_UNIT",
                              "#LIST_NUTRIENTS_END",
                              "#LIST_TYPES_START",
                              "#TYPE_ELEMENT",
                              "#SEPERATOR",
                              "#LIST_TYPES_END",
                              "#RECIPENAME",
                              "#NUMBEROFSERVES",
                              "#PREPTIME",
                              "#COOKTIME",
                              "#CUISINE",
                              "#AUTHOR",
                              "#SOURCE",
                              "#WEBNAME",
                              "#WEBLINK"}) {
        EXPECT_TRUE(std::any_of(lines.cbegin(), lines.cend(), [token](const QString& l) {
            return l.startsWith(token);
        })) << token;
    }
    const QStringList page = RecipeHtmlRenderer::render(lines, renderRecipe());
    EXPECT_FALSE(page.contains("ERROR in the Template File"));
    EXPECT_EQ(page.filter(QRegularExpression("^#")), QStringList());
    EXPECT_EQ(page.filter("/body", Qt::CaseInsensitive).size(), 1);
    EXPECT_EQ(page.filter("Pantrelle - Cucinova").size(), 1);
    EXPECT_TRUE(page.contains("bake &lt; 20 min &amp; serve"));
}

INSTANTIATE_TEST_SUITE_P(Templates, ShippedTemplate,
                         ::testing::ValuesIn(caseNames(ShippedTemplates, "*.rht")), testName);

} // namespace
