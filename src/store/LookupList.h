#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

class Prompter;
class TableView;

// A list of named rows that other rows refer to by key: the food groups, the recipe types and
// the cuisines. Its rows are edited in a list dialog and a name dialog; every change stays
// pending until save() or discard(). One set of rules serves all three lists:
//  - a refused post reports the store's message and keeps the row in edit, so what was typed
//    is not lost;
//  - a row in use (a row of the usage table holds its key) is not deleted: the refusal is
//    said; otherwise the delete is asked for first;
//  - a failed save reports the store's message and keeps every change pending.
class LookupList : public QObject
{
    Q_OBJECT

public:
    struct Config
    {
        QString keyField;
        QString nameField;
        // The rows that refer to an entry by usageField, and what is said when one does.
        TableView* usage = nullptr;
        QString usageField;
        QString refusal;
        // A new row is begun at the current row (else at the end); newKey gives its key (a null
        // value, after its own message, when none could be read). Without newKey the store
        // numbers the row.
        bool beginAtCurrentRow = false;
        std::function<QVariant()> newKey;
    };

    struct Entry
    {
        QVariant key;
        QString name;
    };

    LookupList(TableView& rows, Prompter& prompter, Config config, QObject* parent = nullptr);

    // The rows themselves, for the list dialog's grid and the name dialog's edit box.
    TableView& rows() const { return m_rows; }
    const QString& nameField() const { return m_config.nameField; }

    // Keys and names, or names only, in table order.
    QList<Entry> entries() const;
    QStringList names() const;
    // The name of the row the list stands on; empty when it has none.
    QString currentName() const;
    QVariant currentKey() const;

    // False (after the message, when there is one) when no row was begun or put into edit.
    bool beginNew();
    bool beginEdit();
    bool post();
    void cancel();
    // The usage check, the question and the delete; true when the row was deleted.
    bool deleteCurrent();
    bool save();
    void discard();
    // Reads the rows again (another writer changed the table).
    void reread();

signals:
    // The rows or a name changed (lists that show the names fill themselves again).
    void changed();
    // The changes reached the table.
    void saved();

private:
    TableView& m_rows;
    Prompter& m_prompter;
    Config m_config;
};
