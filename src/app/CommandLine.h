#pragma once

#include <QStringList>
#include <optional>

class QTextStream;

// What the program answers on the command line without opening a window: its version
// (--version) and its usage (--help). Asked before the toolkit starts, so it works without a
// display.
class CommandLine
{
public:
    // The exit code when the arguments (the program's name first) ask for an answer, written to
    // out; nothing when the program is to start.
    static std::optional<int> answer(const QStringList& arguments, QTextStream& out);
};
