#include "store/Cp1252.h"
#include "tools/SrFileReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
std::vector<std::string> readAll(const QByteArray& content, int fieldCount, QString* error)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("TEST.txt");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(content);
    f.close();

    SrFileReader reader;
    std::vector<std::string> records;
    if (!reader.open(path, error))
        return records;
    while (reader.next(fieldCount)) {
        std::string joined;
        for (int i = 0; i < fieldCount; ++i) {
            if (i)
                joined += '|';
            joined += reader.readText(i);
        }
        records.push_back(joined);
    }
    *error = reader.error();
    return records;
}
} // namespace

TEST(Cp1252, ConvertsEveryKindOfByteToUtf8)
{
    struct Case
    {
        const char* bytes;
        const char* utf8;
    };
    const Case cases[] = {
        {"plain ASCII ~^", "plain ASCII ~^"},
        {"Cr\xE8me fra\xEE"
         "che",
         "Crème fraîche"},
        {"\xB5g", "µg"},
        {"\x80 \x93quoted\x94 \x96 \x97 \x99", "€ “quoted” – — ™"},
        {"\x8A\x9A\x9F\xFF", "ŠšŸÿ"},
        {"\x81", "\xC2\x81"}, // unassigned: the C1 control of the same value
    };
    for (const Case& c : cases)
        EXPECT_EQ(Cp1252::toUtf8(c.bytes), c.utf8) << c.utf8;
}

TEST(SrFileReader, SplitsFieldsWithAndWithoutTildes)
{
    struct Case
    {
        QByteArray content;
        int fields;
        std::vector<std::string> records;
    };
    const Case cases[] = {
        {"~01001~^~0100~^12.5\r\n", 3, {"01001|0100|12.5"}},
        {"~a~^~~^^b\r\n", 4, {"a|||b"}},             // "~~" and nothing are both empty
        {"~a~^\r\n~b~^~~\r\n", 2, {"a|", "b|"}},     // trailing empty field
        {"~x^y~^1\r\n", 2, {"x^y|1"}},               // a caret inside text
        {"~a~^1\n~b~^2", 2, {"a|1", "b|2"}},         // LF only, no final line end
        {"~a~^1\r\n\r\n\r\n", 2, {"a|1"}},           // blank lines closing the file
        {"~Cr\xE8me~^~\xB5g~\r\n", 2, {"Crème|µg"}}, // CP1252 text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content.toStdString());
        QString error;
        EXPECT_EQ(readAll(c.content, c.fields, &error), c.records);
        EXPECT_EQ(error, QString());
    }
}

TEST(SrFileReader, StopsAtTheFirstMalformedLineNamingFileAndLine)
{
    struct Case
    {
        QByteArray content;
        const char* error;
    };
    const Case cases[] = {
        {"~a~^1\r\n~b~\r\n~c~^3\r\n", "TEST.txt:2: expected 2 fields, found 1"},
        {"~a~^1\r\n~b~^2^3\r\n", "TEST.txt:2: expected 2 fields, found 3"},
        {"~a~^1\r\n~b^2\r\n", "TEST.txt:2: field 1: text not closed by ~"},
        {"~a~x^1\r\n", "TEST.txt:1: field 1: unexpected characters after the closing ~"},
        {"a~^1\r\n", "TEST.txt:1: field 1: stray ~ in \"a~\""},
        {"~a~^1\r\n\r\n~b~^2\r\n", "TEST.txt:2: empty line"},
        {"", "TEST.txt:1: the file holds no records"},
        {"\r\n\r\n", "TEST.txt:1: the file holds no records"},
        {"~a~^1\r\n~b\x01~^2\r\n", "TEST.txt:2: field 1 holds a control character (code 1)"},
        {QByteArray("~a~^1\r\n~b~^\0\r\n", 14),
         "TEST.txt:2: field 2 holds a control character (code 0)"},
        {"~a\tb~^1\r\n", "TEST.txt:1: field 1 holds a control character (code 9)"},
    };
    for (const Case& c : cases) {
        QString error;
        readAll(c.content, 2, &error);
        EXPECT_TRUE(error.startsWith(c.error)) << error.toStdString();
    }
}

TEST(SrFileReader, ReadsNumbersAndRejectsWhatIsNotOne)
{
    QTemporaryDir dir;
    QFile f(dir.filePath("NUM.txt"));
    f.open(QIODevice::WriteOnly);
    f.write("~0100~^.26^^-3\r\n~01x1~^1,5^^\r\n");
    f.close();

    SrFileReader reader;
    QString error;
    ASSERT_TRUE(reader.open(f.fileName(), &error)) << error.toStdString();
    ASSERT_TRUE(reader.next(4));
    int code = 0;
    std::optional<double> value;
    EXPECT_TRUE(reader.readInteger(0, "FdGrp_Cd", &code));
    EXPECT_EQ(code, 100);
    EXPECT_TRUE(reader.readNumber(1, "Nutr_Val", &value));
    EXPECT_EQ(value, 0.26);
    EXPECT_TRUE(reader.readNumber(2, "Min", &value));
    EXPECT_EQ(value, std::nullopt);
    EXPECT_TRUE(reader.readNumber(3, "Max", &value));
    EXPECT_EQ(value, -3.0);
    EXPECT_FALSE(reader.readInteger(2, "Seq", &code));
    EXPECT_EQ(reader.error(), "NUM.txt:1: Seq is empty");

    SrFileReader second;
    ASSERT_TRUE(second.open(f.fileName(), &error));
    ASSERT_TRUE(second.next(4));
    ASSERT_TRUE(second.next(4));
    EXPECT_FALSE(second.readNumber(1, "Amount", &value));
    EXPECT_EQ(second.error(), "NUM.txt:2: Amount \"1,5\" is not a number");
    EXPECT_FALSE(second.next(4)); // a failed reader reads no further

    SrFileReader third;
    ASSERT_TRUE(third.open(f.fileName(), &error));
    third.next(4);
    third.next(4);
    EXPECT_FALSE(third.readInteger(0, "NDB_No", &code));
    EXPECT_EQ(third.error(), "NUM.txt:2: NDB_No \"01x1\" is not a whole number");
}
