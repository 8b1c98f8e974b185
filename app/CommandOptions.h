#pragma once

#include <QString>

#include <optional>
#include <span>

namespace CommandLine {

struct Request;

// One command-line option: its name, whether it takes a value, how the
// value goes into the request, and its lines in --help. Each capability
// keeps its options in a table of its own file; CommandLine.cpp lists the
// tables, in the order --help shows them.
struct OptionSpec {
    const char* name;
    bool takesValue;
    // Takes the value; the message for a wrong value, or empty.
    QString (*apply)(Request& request, const QString& name, const QString& value);
    // Its lines in --help (context "CommandLine"), or nullptr for none.
    const char* help;
};

// The options of --export: pages, paper and what is printed.
std::span<const OptionSpec> exportOptions();
// The options of --batch: how many mazes, their style and seed.
std::span<const OptionSpec> batchOptions();
// The options of worksheets and books: mazes a page, numbering, labels.
std::span<const OptionSpec> bookOptions();
// The options of difficulty: choosing and ordering a batch's mazes by it,
// and printing it on the answer pages.
std::span<const OptionSpec> difficultyOptions();
// The options of --random-route: a route for every maze, and --size.
std::span<const OptionSpec> routeOptions();

// The options of shapes: the board's shape before --batch makes its mazes.
std::span<const OptionSpec> shapeOptions();
// Why the shape options given cannot go together, or empty.
QString shapeRequestProblem(const Request& request);

// Helpers for the tables.
QString translated(const char* text);
// "オプション %1 の値が正しくありません: %2"
QString badValue(const QString& name, const QString& value);
// The same, with the values the option takes: `least` to `most`.
QString outOfRange(const QString& name, const QString& value, const QString& least, const QString& most);
// A number written as digits with at most one decimal point, or nothing.
// Every numeric option is read this way (no sign, blank or exponent).
std::optional<double> number(const QString& text);
// The same for a whole number from `least` to `most`, or nothing.
std::optional<int> wholeNumber(const QString& text, int least, int most);
// `name` as a message line shows it: as it is, or quoted with its control
// characters (a line break) written out.
QString quoted(const QString& name);

} // namespace CommandLine
