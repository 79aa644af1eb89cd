#include "store/InternetShortcut.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(InternetShortcut, AddressOfTheUrlLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"[InternetShortcut]\r\nURL=https://lists.kelora.example/\r\n",
         "https://lists.kelora.example/"},
        {"[InternetShortcut]\nURL=http://a.example/x?y=1\n", "http://a.example/x?y=1"},
        {"\xEF\xBB\xBF[internetshortcut]\r\n  url = https://b.example/  \r\n",
         "https://b.example/"},
        {"[DEFAULT]\r\nBASEURL=https://wrong.example/\r\n[InternetShortcut]\r\n"
         "IDList=\r\nURL=https://right.example/\r\nIconIndex=0\r\n",
         "https://right.example/"},
        {"URL=mailto:list@kelora.example", "mailto:list@kelora.example"},
        {"[Other]\r\nURL=https://other.example/\r\n", ""},
        {"[InternetShortcut]\r\nURL=\r\n", ""},
        {"[InternetShortcut]\r\nURL=file:///etc/passwd\r\n", ""},
        {"[InternetShortcut]\r\nURL=javascript:alert(1)\r\n", ""},
        {"[InternetShortcut]\r\nURL=not an address\r\n", ""},
        {"[InternetShortcut]\r\nIconFile=x.ico\r\n", ""},
        {"", ""},
    };
    for (const auto& [contents, address] : cases) {
        SCOPED_TRACE(contents);
        EXPECT_EQ(InternetShortcut::addressIn(contents).toStdString(), address);
    }
}

TEST(InternetShortcut, TargetIsTheAddressElseTheFile)
{
    QTemporaryDir dir;
    const QString good = dir.filePath("Forum.url");
    const QString bad = dir.filePath("Broken.url");
    for (const auto& [path, contents] :
         {std::pair{good, "[InternetShortcut]\r\nURL=https://forum.kelora.example/\r\n"},
          std::pair{bad, "[InternetShortcut]\r\n"}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    EXPECT_EQ(InternetShortcut::target(good), "https://forum.kelora.example/");
    EXPECT_EQ(InternetShortcut::target(bad), bad);
    EXPECT_EQ(InternetShortcut::target(dir.filePath("Missing.url")), dir.filePath("Missing.url"));
}

} // namespace
