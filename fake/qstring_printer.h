#pragma once

// Lets test failures show texts readably: a test that compares QStrings includes this, so
// that all of them print a QString the same way.

#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* out) {
    *out << '"' << list.join(QStringLiteral("\" \"")).toStdString() << '"';
}
