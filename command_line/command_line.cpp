#include "command_line/command_line.h"

#include <algorithm>
#include <cstdio>

namespace minamo {

namespace {

const QString shortHelp = QStringLiteral("-h");
const QString equals = QStringLiteral("=");

Failure unknownOption(const QString& argument) {
    return {QStringLiteral("%1 という指定はありません。").arg(argument)};
}

Failure missingValue(const OptionRule& rule) {
    return {QStringLiteral("%1 のあとに%2がありません。").arg(rule.name, rule.valueNoun)};
}

} // namespace

std::optional<QString> CommandLine::value(const OptionRule& rule) const {
    const auto it = options.find(rule.name);
    return it == options.end() ? std::nullopt : it->second;
}

Result<CommandLine> readCommandLine(const QStringList& arguments,
                                    std::span<const OptionRule> known) {
    CommandLine line;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString argument = arguments[i];
        if (argument == shortHelp) {
            argument = option::help.name;
        }
        if (!argument.startsWith(u'-') || argument == QStringLiteral("-")) {
            line.arguments << argument;
            continue;
        }
        const qsizetype cut = argument.indexOf(equals);
        const QString name = cut < 0 ? argument : argument.left(cut);
        const auto rule = std::find_if(known.begin(), known.end(),
                                       [&](const OptionRule& s) { return s.name == name; });
        if (rule == known.end()) {
            return unknownOption(argument);
        }
        if (cut >= 0) {
            if (rule->value == OptionRule::Value::None) {
                return unknownOption(argument);
            }
            const QString value = argument.mid(cut + 1);
            if (value.isEmpty() && rule->value == OptionRule::Value::Required) {
                return missingValue(*rule);
            }
            line.options[name] = value;
        } else if (rule->value == OptionRule::Value::Required) {
            if (i + 1 == arguments.size() || arguments[i + 1].isEmpty()) {
                return missingValue(*rule);
            }
            line.options[name] = arguments[++i];
        } else {
            line.options[name] = std::nullopt;
        }
    }
    return line;
}

std::optional<std::uint64_t> parseSeed(const QString& text) {
    bool ok = false;
    const std::uint64_t seed = text.toULongLong(&ok);
    if (!ok || text.startsWith(u'+') || text.startsWith(u'-')) {
        return std::nullopt;
    }
    return seed;
}

Result<FreshChoice> freshChoice(const CommandLine& line) {
    if (!line.has(option::fresh)) {
        return FreshChoice{};
    }
    const std::optional<QString> given = line.value(option::fresh);
    if (!given) {
        return FreshChoice{.fresh = true};
    }
    const std::optional<std::uint64_t> seed = parseSeed(*given);
    if (!seed) {
        return Failure{
            QStringLiteral("%1=%2 の数が正しくありません（0 以上の整数を書いてください）。")
                .arg(option::fresh.name, *given)};
    }
    return FreshChoice{.fresh = true, .seed = seed};
}

void sayUsage(const QString& usage) {
    std::fputs(usage.toUtf8().constData(), stdout);
}

void sayOnStandardError(const QString& program, const QString& line) {
    std::fputs((program + QStringLiteral(": ") + line + u'\n').toUtf8().constData(), stderr);
}

int sayMistake(const QString& program, const QString& reason, const QString& usage) {
    sayOnStandardError(program, reason);
    std::fputs(usage.toUtf8().constData(), stderr);
    return commandLineMistakeExit;
}

} // namespace minamo
