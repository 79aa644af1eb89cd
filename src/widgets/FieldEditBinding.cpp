#include "widgets/FieldEditBinding.h"

#include "store/NumberFormat.h"
#include "store/Schema.h"
#include "store/TableView.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace {
// QLineEdit's own limit: no limit in practice.
constexpr int NoLimit = 32767;
} // namespace

void FieldEditBinding::limitToField(QLineEdit* edit, const QString& table, const QString& field)
{
    const int size = Schema::fieldSize(table, field);
    edit->setMaxLength(size > 0 ? size : NoLimit);
}

FieldEditBinding::FieldEditBinding(QLineEdit* edit, TableView* view, const QString& field)
    : QObject(edit), m_edit(edit), m_view(view), m_field(field),
      m_size(Schema::fieldSize(view->tableName(), field))
{
    connect(edit, &QLineEdit::textEdited, this, &FieldEditBinding::typed);
    connect(view, &DataSet::currentChanged, this, &FieldEditBinding::follow);
    connect(view, &DataSet::rowsReset, this, &FieldEditBinding::follow);
    connect(view, &DataSet::stateChanged, this, &FieldEditBinding::follow);
    connect(view, &DataSet::rowUpdated, this, [this](int row) {
        if (row == m_view->currentRow())
            follow();
    });
    const int index = view->fieldIndex(field);
    if (index >= 0) {
        const FieldDef& f = view->fields()[index];
        if (f.type == FieldType::Float || f.type == FieldType::Integer) {
            static const QRegularExpression numberChars(QStringLiteral("[0-9+\\-.eE]*"));
            edit->setValidator(new QRegularExpressionValidator(numberChars, edit));
        }
    }
    reload();
}

bool FieldEditBinding::showsValue(const QVariant& value) const
{
    // Text that already means the field's value stays as typed, so a half-typed number ("-",
    // "1.", "2e") survives while another box of the same row is edited.
    const QString text = m_edit->text();
    const int index = m_view->fieldIndex(m_field);
    const FieldType type = index >= 0 ? m_view->fields()[index].type : FieldType::String;
    if (type == FieldType::Float || type == FieldType::Integer) {
        double typed = 0;
        if (!NumberFormat::isNumber(text, &typed))
            return value.isNull();
        return !value.isNull() && typed == value.toDouble();
    }
    return text == (value.isNull() ? QString() : value.toString());
}

void FieldEditBinding::follow()
{
    if (m_writing || !m_edit || showsValue(m_view->value(m_field)))
        return;
    reload();
}

void FieldEditBinding::reload()
{
    if (!m_edit)
        return;
    const QVariant v = m_view->value(m_field);
    QString text;
    if (!v.isNull())
        text = v.typeId() == QMetaType::Double ? NumberFormat::general(v.toDouble()) : v.toString();
    if (m_edit->text() != text) {
        // The limit is lifted while the text goes in, since the box cuts what is over it.
        m_edit->setMaxLength(NoLimit);
        m_edit->setText(text);
        // A text wider than its box shows from its beginning, not its end.
        m_edit->setCursorPosition(0);
    }
    // A stored value longer than the field's size keeps its length as the limit: it may be
    // shortened but not lengthened.
    if (m_size > 0)
        m_edit->setMaxLength(qMax(m_size, int(text.size())));
}

void FieldEditBinding::typed(const QString& text)
{
    if (m_view->currentRow() < 0)
        return;
    m_writing = true;
    m_view->setValue(m_field, text);
    m_writing = false;
}
