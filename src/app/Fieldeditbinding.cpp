#include "app/Fieldeditbinding.h"

#include "store/NumberFormat.h"
#include "store/TableView.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

FieldEditBinding::FieldEditBinding(QLineEdit* edit, TableView* view, const QString& field)
    : QObject(edit), m_edit(edit), m_view(view), m_field(field)
{
    connect(edit, &QLineEdit::textEdited, this, &FieldEditBinding::typed);
    connect(view, &DataSet::currentChanged, this, &FieldEditBinding::reload);
    connect(view, &DataSet::rowsReset, this, &FieldEditBinding::reload);
    connect(view, &DataSet::stateChanged, this, &FieldEditBinding::reload);
    connect(view, &DataSet::rowUpdated, this, [this](int row) {
        if (row == m_view->currentRow())
            reload();
    });
    const int index = view->fieldIndex(field);
    if (index >= 0) {
        const FieldDef& f = view->fields()[index];
        if (f.type == FieldType::Float || f.type == FieldType::Integer) {
            static const QRegularExpression numberChars(QStringLiteral("[0-9+\\-.eE]*"));
            edit->setValidator(new QRegularExpressionValidator(numberChars, edit));
        } else if (f.size > 0) {
            edit->setMaxLength(f.size);
        }
    }
    reload();
}

void FieldEditBinding::reload()
{
    if (m_writing || !m_edit)
        return;
    const QVariant v = m_view->value(m_field);
    QString text;
    if (!v.isNull()) {
        text = v.typeId() == QMetaType::Double ? NumberFormat::general(v.toDouble()) : v.toString();
    }
    if (m_edit->text() != text)
        m_edit->setText(text);
}

void FieldEditBinding::typed(const QString& text)
{
    if (m_view->currentRow() < 0)
        return;
    m_writing = true;
    m_view->setValue(m_field, text);
    m_writing = false;
}
