#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

// Every test executable runs its tests inside one application object, offscreen unless the
// caller chose a platform, and in the C locale whatever the machine's language, so the dates a
// test expects are written as they show ("1 Mar 2026").
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    return RUN_ALL_TESTS();
}
