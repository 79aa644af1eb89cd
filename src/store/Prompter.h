#pragma once

#include <QString>

// Every message and question of the program goes through this interface, so the data modules
// stay free of widgets and tests can answer questions from a script.
class Prompter
{
public:
    enum class Icon { None, Question, Warning, Information, Error };
    // The answer Enter gives: No for every question that deletes or discards, so a key pressed
    // by habit loses nothing.
    enum class Preset { Yes, No };

    virtual ~Prompter() = default;

    // Plain message: the application title as caption, no icon, an OK button.
    virtual void message(const QString& text) = 0;
    // Yes/No question with preset as the default button; returns true for Yes.
    virtual bool question(const QString& caption, const QString& text, Icon icon,
                          Preset preset) = 0;
    // The standard error box for failures that abandon an action.
    virtual void error(const QString& text) = 0;
};
