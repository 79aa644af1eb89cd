#pragma once

#include "store/KeyAllocator.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>

class Prompter;
class QObject;
class TableView;

// The search tables of one subject (foods, recipes) and what both searches do with them: the
// keyword history of the simple search (at most 12 keywords, newest last, written at once) and
// the stored advanced searches with their rules (pending until saved or discarded). The subject's
// data module owns one, names its tables, opens the three views with its own and says what each
// kind of rule means in its list statement.
//
// A rule is a word rule when its Field is one of the subject's word rule kinds ("FoodName",
// "RecipeType", ...); every other rule compares a nutrient's stored amount with a number, and its
// Field is the nutrient's description. Nutrient rules are refused unless their comparison is one
// of nutrientOperators() and their value a number, both when they are added and when a stored
// search runs, so no typed text ever becomes part of a statement.
class SearchTables
{
public:
    // The tables and the object names of their views.
    struct Tables
    {
        QString history;
        QString historyView;
        QString searches;
        QString searchesView;
        QString rules;
        QString rulesView;
    };

    // One kind of word rule: the condition it adds to the list statement, with one "?" for what
    // the rule holds (its value, or its ExtraInfo read as a whole number), and how much it costs
    // to test a row against it.
    struct WordRule
    {
        QString field;
        QString condition;
        bool bindsExtraInfo = false;
        int cost = 0;
        // When not empty: the condition to use instead, through the word index of the names,
        // for a word the index can answer (Schema::wordIndexAnswers); the word is bound to each
        // of its "?".
        QString indexedCondition = {};
        // The condition reads only the rows it lets through from an index (a group code, the
        // word index): the search's list starts from it.
        bool leads = false;
    };

    // What the list statement of a search is made of: the select with the subject's columns,
    // the condition of each word rule kind, the condition of a nutrient rule (with %1 for the
    // comparison and two "?": the nutrient number and the value) with its cost, and the order of
    // the list. All rules have to be met, so the conditions are tested cheapest first (in the
    // order of the rules where they cost the same): the dearer ones only see the rows that the
    // cheaper ones let through.
    struct Statement
    {
        QString select;
        QList<WordRule> wordRules;
        QString nutrientCondition;
        int nutrientCost = 0;
        QString order;
        // When not empty: the condition of the first nutrient rule of a search that has no
        // leading word rule, reading the rows that meet it from an index of values, so that the
        // list starts from them (the same "?" and %1 as nutrientCondition).
        QString leadingNutrientCondition = {};
    };

    // The views are made children of owner.
    SearchTables(const Tables& tables, const Statement& statement, Prompter& prompter,
                 QObject* owner);

    TableView& historyView() const { return *m_history; }
    TableView& searchesView() const { return *m_searches; }
    TableView& rulesView() const { return *m_rules; }
    // The three views in the order they are opened.
    QList<TableView*> views() const { return {m_history, m_searches, m_rules}; }

    // The keyword history, newest first.
    QStringList keywords();
    // Moves a keyword already there (in any letter case) to the newest place, spelled as now,
    // or adds it, dropping the oldest of 12. An empty keyword is ignored. A failure is reported
    // and leaves the history as it was.
    void addKeyword(const QString& keyword);
    void clearKeywords();

    // The names of the stored searches, newest first.
    QStringList searchNames();
    // The largest stored identifier plus a counter that grows while searches are pending, so
    // several new searches in one visit get consecutive identifiers; -1 after a reported failure.
    int newSearchId();
    // The name of the search the searches view stands on; empty without one.
    QString currentSearchName() const;

    // One search as the search dialogs edit it; every change stays pending until save() or
    // discard(). A new search is appended with its identifier already set, so its rules follow
    // it from the start; false (after the message) when no identifier could be read, and then
    // nothing was begun.
    bool beginNewSearch();
    // False when there is no search to edit.
    bool beginEditSearch();
    bool postSearch();
    // Drops the search's insert or edit. A new search takes its rules with it (a later search
    // may be given the same identifier); an edited search gets back the rules it had when the
    // edit began.
    void cancelSearch();
    // Asks "Are you sure you want to delete [ name ]"; Yes deletes the current search and its
    // rules (pending).
    void deleteSearch();
    // Adds a rule to the current search; a nutrient rule is refused unless its condition is one
    // of nutrientOperators() and its value a number.
    bool addRule(const QString& field, const QString& condition, const QString& value,
                 const QString& extraInfo = QString());
    // Removes the rule the rules view stands on, without a question.
    void removeRule();

    // Stores every pending change of both tables in one transaction; rules whose search is not
    // stored are never kept. A failure is reported and keeps everything pending.
    bool save();
    // Drops every pending change of both tables.
    void discard();

    bool isWordRule(const QString& field) const;
    static const QStringList& nutrientOperators();

    // The list statement of the stored search named name (found without regard to letter case;
    // the first of that name), with the parameters to bind. False when there is no such search:
    // the list is then left as it was. A search with a rule that cannot be run is reported, and
    // its statement lists nothing, as a list whose statement the store refused is left empty.
    //
    // indexPays, when given, is asked for each word rule that could read its rows through the
    // word index: does the index pay for this word, or do the first names in list order match it
    // often enough that reading them in order fills a screen sooner? When it does not pay, the
    // list reads names in order and tests every rule on them, with no rule leading.
    using IndexPays = std::function<bool(const QVariant& word)>;
    bool statementOf(const QString& name, QString* sql, QVariantList* params,
                     const IndexPays& indexPays = {});

private:
    struct Rule
    {
        QString field;
        QString condition;
        QString value;
        QString extraInfo;
        bool operator==(const Rule&) const = default;
    };

    QList<Rule> currentRules() const;
    bool appendRule(const Rule& rule);
    void report(const QString& message);

    Tables m_names;
    Statement m_statement;
    Prompter& m_prompter;
    TableView* m_history;
    TableView* m_searches;
    TableView* m_rules;
    QStringList m_keywords;
    QStringList m_searchNames;
    // The rules of the search being edited, as they were when the edit began.
    QList<Rule> m_rulesBeforeEdit;
    KeyAllocator m_keys;
};
