#include "support/KeyboardInput.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace KeyboardInput {

namespace {

QString nameOf(const QWidget* widget)
{
    if (!widget)
        return QStringLiteral("(nothing)");
    const QString name = widget->objectName();
    return name.isEmpty() ? QString::fromLatin1(widget->metaObject()->className()) : name;
}

} // namespace

QWidget* focus()
{
    return QApplication::focusWidget();
}

// Where a key goes: the control with the focus, else the active window itself (which moves the
// focus on Tab).
static QWidget* keyTarget()
{
    // When a dialog closes, the window manager activates the window below it. The offscreen
    // platform has no window manager: the topmost modal window, else the first visible
    // top-level window, is activated here as one would.
    if (!QApplication::activeWindow()) {
        QWidget* below = QApplication::activeModalWidget();
        const auto windows = QApplication::topLevelWidgets();
        for (auto it = windows.cbegin(); !below && it != windows.cend(); ++it)
            if ((*it)->isVisible() && (*it)->windowType() != Qt::Popup)
                below = *it;
        if (below) {
            below->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(below)) << "no window could be activated";
        }
    }
    if (QWidget* widget = focus())
        return widget;
    return QApplication::activeWindow();
}

void press(int key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = keyTarget();
    EXPECT_NE(target, nullptr) << "no window is active for key " << key;
    if (target)
        QTest::keyClick(target, Qt::Key(key), modifiers);
}

void type(const QString& text)
{
    QWidget* target = keyTarget();
    EXPECT_NE(target, nullptr) << "no window is active to type " << text.toStdString();
    if (target)
        QTest::keyClicks(target, text);
}

bool tabTo(const QWidget* target, bool backwards)
{
    if (!target) {
        ADD_FAILURE() << "no control to reach";
        return false;
    }
    QStringList passed;
    const int round = int(target->window()->findChildren<QWidget*>().size()) + 1;
    for (int i = 0; i < round && focus() != target; ++i) {
        passed << nameOf(focus());
        press(backwards ? Qt::Key_Backtab : Qt::Key_Tab,
              backwards ? Qt::ShiftModifier : Qt::NoModifier);
    }
    if (focus() == target)
        return true;
    passed.removeDuplicates();
    ADD_FAILURE() << nameOf(target).toStdString() << " not reached by "
                  << (backwards ? "Shift+Tab" : "Tab") << "; passed "
                  << passed.join(", ").toStdString();
    return false;
}

void activate(const QWidget* target)
{
    if (tabTo(target))
        press(Qt::Key_Space);
}

} // namespace KeyboardInput
