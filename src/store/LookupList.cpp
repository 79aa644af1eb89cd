#include "store/LookupList.h"

#include "store/Prompter.h"
#include "store/RecordMessages.h"
#include "store/SaveBatch.h"
#include "store/TableView.h"

LookupList::LookupList(TableView& rows, Prompter& prompter, Config config, QObject* parent)
    : QObject(parent), m_rows(rows), m_prompter(prompter), m_config(std::move(config))
{
    connect(&m_rows, &DataSet::rowsReset, this, &LookupList::changed);
    connect(&m_rows, &DataSet::rowUpdated, this, &LookupList::changed);
}

QList<LookupList::Entry> LookupList::entries() const
{
    QList<Entry> all;
    const int key = m_rows.fieldIndex(m_config.keyField);
    const int name = m_rows.fieldIndex(m_config.nameField);
    for (int row = 0; row < m_rows.rowCount(); ++row)
        all.append({m_rows.valueAt(row, key), m_rows.valueAt(row, name).toString()});
    return all;
}

QStringList LookupList::names() const
{
    QStringList all;
    const int name = m_rows.fieldIndex(m_config.nameField);
    for (int row = 0; row < m_rows.rowCount(); ++row)
        all << m_rows.valueAt(row, name).toString();
    return all;
}

QString LookupList::currentName() const
{
    return m_rows.asString(m_config.nameField);
}

QVariant LookupList::currentKey() const
{
    return m_rows.value(m_config.keyField);
}

bool LookupList::beginNew()
{
    // The key is read first so that no row is begun without one; an unposted row would not count
    // as pending for the key anyway.
    QVariant key;
    if (m_config.newKey) {
        key = m_config.newKey();
        if (key.isNull())
            return false;
    }
    if (!m_rows.isActive())
        return false;
    if (m_config.beginAtCurrentRow)
        m_rows.insert();
    else
        m_rows.append();
    if (!key.isNull())
        m_rows.setValue(m_config.keyField, key);
    return true;
}

bool LookupList::beginEdit()
{
    return !m_rows.isEmpty() && m_rows.edit();
}

bool LookupList::post()
{
    if (m_rows.post())
        return true;
    m_prompter.error(m_rows.lastError());
    return false;
}

void LookupList::cancel()
{
    m_rows.cancel();
}

bool LookupList::deleteCurrent()
{
    if (m_rows.isEmpty())
        return false;
    // Only stored rows can be used; a row not yet stored has no key.
    const QVariant key = currentKey();
    if (m_config.usage && !key.isNull() && m_config.usage->holds(m_config.usageField, key)) {
        m_prompter.message(m_config.refusal);
        return false;
    }
    if (!RecordMessages::confirmDelete(m_prompter, currentName()))
        return false;
    return m_rows.remove();
}

bool LookupList::save()
{
    QString error;
    if (!SaveBatch::save({&m_rows}, &error)) {
        m_prompter.error(error);
        return false;
    }
    emit saved();
    return true;
}

void LookupList::discard()
{
    m_rows.cancel();
    m_rows.cancelUpdates();
}

void LookupList::reread()
{
    m_rows.refresh();
}
