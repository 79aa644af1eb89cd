#include "ScriptedPrompter.h"

#include <gtest/gtest.h>

void ScriptedPrompter::message(const QString& text)
{
    m_entries.append({Entry::Message, QString(), text, Icon::None});
}

bool ScriptedPrompter::question(const QString& caption, const QString& text, Icon icon,
                                Preset preset)
{
    m_entries.append({Entry::Question, caption, text, icon, preset});
    if (m_answers.isEmpty()) {
        ADD_FAILURE() << "Unexpected question: " << caption.toStdString() << ": "
                      << text.toStdString();
        return false;
    }
    return m_answers.takeFirst();
}

void ScriptedPrompter::error(const QString& text)
{
    m_entries.append({Entry::Error, QString(), text, Icon::Error});
}

QStringList ScriptedPrompter::texts() const
{
    QStringList out;
    for (const Entry& e : m_entries)
        out << e.text;
    return out;
}

QStringList ScriptedPrompter::messages() const
{
    QStringList out;
    for (const Entry& e : m_entries)
        if (e.kind == Entry::Message)
            out << e.text;
    return out;
}

QStringList ScriptedPrompter::errors() const
{
    QStringList out;
    for (const Entry& e : m_entries)
        if (e.kind == Entry::Error)
            out << e.text;
    return out;
}

void ScriptedPrompter::clear()
{
    m_entries.clear();
    m_answers.clear();
}
