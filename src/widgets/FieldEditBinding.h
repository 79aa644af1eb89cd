#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

class QLineEdit;
class TableView;

// Binds an edit box to one field of the current row of a table view: the box shows the field,
// and what the user types is set into the row (which starts an edit when needed). Number fields
// accept only digits, signs, the decimal point and the exponent letter; whether the text is a
// whole number is checked by the dialog's OK. A text field takes at most its size in the
// program's schema; a longer value already stored is shown whole and may be shortened, never
// cut by the box.
class FieldEditBinding : public QObject
{
    Q_OBJECT

public:
    FieldEditBinding(QLineEdit* edit, TableView* view, const QString& field);

    // Shows the field's current value again, replacing whatever the box holds (for example when
    // a dialog is shown).
    void reload();

    // For a box that is not bound but whose text is stored in table's field (a keyword, a
    // rule's value): limits it to the field's size in the schema.
    static void limitToField(QLineEdit* edit, const QString& table, const QString& field);

private:
    void typed(const QString& text);
    // Follows a change of the row, keeping text that already means the field's value.
    void follow();
    bool showsValue(const QVariant& value) const;

    QPointer<QLineEdit> m_edit;
    TableView* m_view;
    QString m_field;
    int m_size = 0; // the field's size; 0: no limit
    bool m_writing = false;
};
