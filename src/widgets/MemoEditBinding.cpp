#include "widgets/MemoEditBinding.h"

#include "store/TableView.h"

#include <QPlainTextEdit>
#include <QScopedValueRollback>

MemoEditBinding::MemoEditBinding(QPlainTextEdit* memo, TableView* view, const QString& field)
    : QObject(memo), m_memo(memo), m_view(view), m_field(field)
{
    connect(memo, &QPlainTextEdit::textChanged, this, &MemoEditBinding::typed);
    connect(view, &DataSet::currentChanged, this, &MemoEditBinding::follow);
    connect(view, &DataSet::rowsReset, this, &MemoEditBinding::follow);
    connect(view, &DataSet::stateChanged, this, &MemoEditBinding::follow);
    connect(view, &DataSet::rowUpdated, this, [this](int row) {
        if (row == m_view->currentRow())
            follow();
    });
    reload();
}

void MemoEditBinding::follow()
{
    if (m_busy || !m_memo || m_memo->toPlainText() == m_view->asString(m_field))
        return;
    reload();
}

void MemoEditBinding::reload()
{
    if (!m_memo)
        return;
    const QString text = m_view->asString(m_field);
    if (m_memo->toPlainText() == text)
        return;
    QScopedValueRollback busy(m_busy, true);
    m_memo->setPlainText(text);
}

void MemoEditBinding::typed()
{
    if (m_busy || !m_memo || m_view->currentRow() < 0)
        return;
    const QString text = m_memo->toPlainText();
    if (text == m_view->asString(m_field))
        return;
    QScopedValueRollback busy(m_busy, true);
    m_view->setValue(m_field, text);
}
