#include "support/PictureButtons.h"

#include "widgets/GraphicButton.h"

#include <QTest>
#include <gtest/gtest.h>

void PictureButtons::click(QWidget* window, const char* name)
{
    auto* button = window->findChild<TGraphicButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
}
