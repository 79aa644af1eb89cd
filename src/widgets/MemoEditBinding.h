#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QPlainTextEdit;
class TableView;

// Binds a multi-line memo box to one text field of the current row of a table view: the box
// shows the field, and what the user types is set into the row (which starts an edit when
// needed). Line breaks are kept as typed.
class MemoEditBinding : public QObject
{
    Q_OBJECT

public:
    MemoEditBinding(QPlainTextEdit* memo, TableView* view, const QString& field);

    // Shows the field's current value again, replacing whatever the box holds.
    void reload();

private:
    void typed();
    void follow();

    QPointer<QPlainTextEdit> m_memo;
    TableView* m_view;
    QString m_field;
    bool m_busy = false; // the box is being filled, or its text is being written
};
