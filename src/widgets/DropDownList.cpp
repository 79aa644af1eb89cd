#include "widgets/DropDownList.h"

TDropDownList::TDropDownList(QWidget* parent) : QComboBox(parent)
{
    // The list as a plain drop-down below the box, whatever the style would do.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
}
