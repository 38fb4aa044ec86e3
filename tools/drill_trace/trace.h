#pragma once

// drill-trace: runs the drill logic on the recording fake and prints what it sees.

#include "app/form1.h"
#include "fake/fake_platform.h"

#include <QStringList>
#include <QTextStream>

namespace minamo::trace {

// A window as it stands after start-up, on the fake.
struct Session {
    Session();
    FakePlatform fake;
    Form1 form;
};

// Each subcommand takes its arguments (after the subcommand's name), reads standard
// input where it says so, and returns the exit status.
int startup(const QStringList& args, QTextStream& in, QTextStream& out);
int banks(const QStringList& args, QTextStream& in, QTextStream& out);
int show(const QStringList& args, QTextStream& in, QTextStream& out);
int keys(const QStringList& args, QTextStream& in, QTextStream& out);
int solve(const QStringList& args, QTextStream& in, QTextStream& out);
int stories(const QStringList& args, QTextStream& in, QTextStream& out);
int working(const QStringList& args, QTextStream& in, QTextStream& out);

// Prints the draw log of one picture area, a line per operation.
void printLog(QTextStream& out, const FakePictureArea& area);

// The worked solution of an equation as Picture7 shows it after a miss, read back line by
// line (fake/solution_reading.h), on a fresh window; the empty line kept.
QStringList solutionLines(const QString& equation);

} // namespace minamo::trace
