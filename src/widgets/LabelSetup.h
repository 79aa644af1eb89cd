#pragma once

#include <QString>

class QLabel;
class QRect;
class QWidget;

// The labels of pages and dialogs: their texts are shown as they stand (plain text, never rich
// text); a caption that heads what follows is bold; a value read from the data is black on any
// ground and cut with an ellipsis where it does not fit (its whole text in the tool tip), so a
// long name never pushes the layout apart.
class LabelSetup
{
public:
    // A label inside parent showing text.
    static QLabel* create(const QString& text, QWidget* parent, bool bold = false);
    // The same, at place.
    static QLabel* create(const QString& text, QWidget* parent, const QRect& place,
                          bool bold = false);
    // An empty value label named objectName inside parent.
    static QLabel* value(const QString& objectName, QWidget* parent);
};
