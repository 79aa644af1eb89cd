#pragma once

#include "store/Prompter.h"

#include <QList>
#include <QString>
#include <QStringList>

// A prompter for tests: records every text it is shown and answers questions from a queue.
// A question with no answer queued fails the running test and answers No.
class ScriptedPrompter : public Prompter
{
public:
    struct Entry
    {
        enum Kind { Message, Question, Error } kind;
        QString caption;
        QString text;
        Icon icon = Icon::None;
        Preset preset = Preset::Yes; // questions: the default button
    };

    void message(const QString& text) override;
    bool question(const QString& caption, const QString& text, Icon icon, Preset preset) override;
    void error(const QString& text) override;

    void answer(bool yes) { m_answers.append(yes); }
    const QList<Entry>& entries() const { return m_entries; }
    QStringList texts() const;
    QStringList messages() const; // plain messages only
    QStringList errors() const;
    QString last() const { return m_entries.isEmpty() ? QString() : m_entries.last().text; }
    void clear();
    int unansweredLeft() const { return int(m_answers.size()); }

private:
    QList<Entry> m_entries;
    QList<bool> m_answers;
};
