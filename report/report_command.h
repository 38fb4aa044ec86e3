#pragma once

// The command line of minamo-report and where it reads and writes by default.

#include "platform/result.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace minamo {

struct ReportCommand {
    enum class Action { Report, Help };
    enum class Open { Yes, No };
    // One pupil's history folder, or a class folder holding a folder per pupil.
    enum class Scope { Pupil, Class };
    Action action = Action::Report;
    Scope scope = Scope::Pupil;
    QString folder; // the history folder, or the class folder
    QString output; // the page
    Open open = Open::Yes;
};

// The arguments after the program's name, or the mistake in them. A missing folder or output
// is the default one.
Result<ReportCommand> parseReportArguments(const QStringList& arguments);
QString reportUsage();

// The drill's per-user data folder, where its launcher keeps the history files:
// ${XDG_DATA_HOME:-$HOME/.local/share}/minamo-drill.
QString defaultHistoryFolder();
// The page, by default: ${XDG_CACHE_HOME:-$HOME/.cache}/minamo-drill/report.html, outside
// the history folder, and rewritten by every report.
QString defaultReportPath();
// The class page, by default class-report.html beside it.
QString defaultClassReportPath();

// True when the page would land in the history folder or below it, where the report never
// writes.
bool isInsideFolder(const QString& output, const QString& folder);

// Writes the page as UTF-8, whole or not at all, making its folder when needed; or says why
// it could not.
Result<> writeReportPage(const QString& path, const QString& html);

} // namespace minamo
