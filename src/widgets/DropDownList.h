#pragma once

#include <QComboBox>

// A drop-down list whose list always opens just below its box (above it when the screen has no
// room below), showing at most maxVisibleItems() entries with a scroll bar. Some styles place
// the list so that the chosen entry covers the box instead, which puts a long list far from
// the box it belongs to.
class TDropDownList : public QComboBox
{
    Q_OBJECT

public:
    explicit TDropDownList(QWidget* parent = nullptr);
};
