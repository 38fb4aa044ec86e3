#pragma once

// The programs' command lines, read one way: an option is written --name, or with its value
// --name=VALUE or --name VALUE; -h is --help; "-" and whatever does not begin with "-" is an
// argument. The options the programs share are named here once, and so are their mistakes.

#include "platform/result.h"

#include <QStringList>
#include <cstdint>
#include <map>
#include <optional>
#include <span>

namespace minamo {

struct OptionRule {
    // How its value is given: none; always (--output FILE, --output=FILE); or only after "="
    // (--fresh, --fresh=SEED).
    enum class Value { None, Required, AfterEquals };
    QString name; // "--output"
    Value value = Value::None;
    QString valueNoun; // what a required value is, for a mistake: "ファイルの名前"
};

// The options every program that has them takes alike.
namespace option {
inline const OptionRule help{.name = QStringLiteral("--help")};
inline const OptionRule output{.name = QStringLiteral("--output"),
                               .value = OptionRule::Value::Required,
                               .valueNoun = QStringLiteral("ファイルの名前")};
inline const OptionRule noOpen{.name = QStringLiteral("--no-open")};
inline const OptionRule fresh{.name = QStringLiteral("--fresh"),
                              .value = OptionRule::Value::AfterEquals};
} // namespace option

struct CommandLine {
    QStringList arguments; // what is not an option, in order
    // Every option given, with its value when it was given one; a later one wins.
    std::map<QString, std::optional<QString>> options;

    bool has(const OptionRule& rule) const { return options.contains(rule.name); }
    std::optional<QString> value(const OptionRule& rule) const;
};

// The command line after the program's name, for the options a program knows.
Result<CommandLine> readCommandLine(const QStringList& arguments,
                                    std::span<const OptionRule> known);

// What --fresh asked: nothing (the banks' own numbers), fresh numbers with the clock's seed,
// or with the seed given; a mistake when the seed is not a whole number.
struct FreshChoice {
    bool fresh = false;
    std::optional<std::uint64_t> seed;
};
Result<FreshChoice> freshChoice(const CommandLine& line);

// A seed as a person writes it: a whole number from 0 up, digits only; nothing otherwise.
std::optional<std::uint64_t> parseSeed(const QString& text);

// The one way a program says how to start it (standard output, for --help) and a mistake on
// its command line ("minamo-report: --open という指定はありません。" and the usage, on standard
// error). The mistake's exit status is what sayMistake returns.
void sayUsage(const QString& usage);
int sayMistake(const QString& program, const QString& reason, const QString& usage);
constexpr int commandLineMistakeExit = 2;

// A line for a person on standard error, after the program's name.
void sayOnStandardError(const QString& program, const QString& line);

} // namespace minamo
