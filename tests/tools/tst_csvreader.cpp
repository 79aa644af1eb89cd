#include "tools/CsvReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
// The records after the header, each as its fields joined by '|', and the reader's error.
struct Read
{
    std::vector<std::string> records;
    QString error;
};

Read readAll(const QByteArray& content)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("food.csv");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(content);
    f.close();

    Read out;
    CsvReader reader;
    if (!reader.open(path, &out.error))
        return out;
    while (reader.next()) {
        std::string joined;
        for (int i = 0; reader.field(i).data() != nullptr && i < 8; ++i) {
            if (i)
                joined += '|';
            joined += reader.field(i);
        }
        out.records.push_back(joined);
    }
    out.error = reader.error();
    return out;
}
} // namespace

TEST(CsvReader, ReadsQuotedAndPlainFieldsAsTheStandardHasThem)
{
    struct Case
    {
        const char* name;
        QByteArray content;
        std::vector<std::string> records;
    };
    const Case cases[] = {
        {"plain, LF", "a,b\n1,2\n3,4\n", {"1|2", "3|4"}},
        {"CRLF, no last line break", "a,b\r\n1,2\r\n3,4", {"1|2", "3|4"}},
        {"quoted comma, doubled quote", "a,b\n\"x, y\",\"say \"\"hi\"\"\"\n", {"x, y|say \"hi\""}},
        {"line breaks inside quotes",
         "a,b\n\"one\ntwo\",\"three\r\nfour\"\n5,6\n",
         {"one\ntwo|three\r\nfour", "5|6"}},
        {"empty fields", "a,b,c\n,,\n\"\",x,\"\"\n", {"||", "|x|"}},
        {"byte order mark, UTF-8",
         "\xEF\xBB\xBF"
         "a,b\nCrème,µg\n",
         {"Crème|µg"}},
        {"empty lines skipped", "a,b\n1,2\n\n3,4\n\n", {"1|2", "3|4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Read r = readAll(c.content);
        EXPECT_EQ(r.error.toStdString(), "");
        EXPECT_EQ(r.records, c.records);
    }
}

TEST(CsvReader, FindsColumnsByNameWhateverTheirPlace)
{
    QTemporaryDir dir;
    QFile f(dir.filePath("nutrient.csv"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("rank,unit_name,id,name\n600,G,1003,Protein\n");
    f.close();
    CsvReader reader;
    QString error;
    ASSERT_TRUE(reader.open(f.fileName(), &error)) << error.toStdString();
    std::vector<int> columns;
    ASSERT_TRUE(reader.requireColumns({"id", "name", "unit_name"}, &columns));
    EXPECT_EQ(columns, (std::vector<int>{2, 3, 1}));
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.field(columns[1]), "Protein");
    EXPECT_EQ(reader.field(reader.column("nutrient_nbr")), "");

    EXPECT_FALSE(reader.requireColumns({"id", "nutrient_nbr"}, &columns));
    EXPECT_EQ(reader.error(), "nutrient.csv:1: no column nutrient_nbr");
}

TEST(CsvReader, RefusesMalformedRecordsNamingTheirLine)
{
    struct Case
    {
        const char* name;
        QByteArray content;
        const char* error;
    };
    const Case cases[] = {
        {"empty file", "", "food.csv:1: the file is empty; it needs a header"},
        {"quote never closed", "a,b\n1,2\n3,\"four\n5,6\n",
         "food.csv:3: field 2 opens a quote that is never closed"},
        {"text after the closing quote", "a,b\n\"1\"x,2\n",
         "food.csv:2: field 1 has text after its closing quote"},
        {"quote inside a plain field", "a,b\n1,2\"3\n",
         "food.csv:2: field 2 has a quote but "
         "does not start with one"},
        {"lone carriage return", "a,b\n1,2\r3,4\n", "food.csv:2: a carriage return ends no line"},
        {"too few fields", "a,b,c\n1,2,3\n\"x\ny\",2\n",
         "food.csv:3: the record has 2 fields, the header 3"},
        {"too many fields", "a,b\n1,2,3\n", "food.csv:2: the record has 3 fields, the header 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readAll(c.content).error.toStdString(), c.error);
    }
}
