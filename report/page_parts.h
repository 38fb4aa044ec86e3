#pragma once

// What the pages of the reports share: the document around them with its stylesheet, and
// the small pieces of markup both use. Everything read from files is escaped here.

#include <QDate>
#include <QString>
#include <initializer_list>

namespace minamo::page {

struct Document {
    QString title;
    QString bodyClass;  // empty for none
    QString extraStyle; // rules of this page beyond the shared stylesheet
    QString folder;     // the folder the page was read from, as the meta line names it
    QDate made;
    QString moreMeta; // further lines of the meta block, already markup; empty for none
};

// The page: doctype, head with the inline stylesheet, the heading and its meta lines, then
// body inside <main>.
QString document(const Document& doc, const QString& body);

// A calm sentence in its box; nothing for an empty sentence.
QString notice(const QString& sentence);
// A table cell of a score, marked when it is below zero.
QString scoreCell(int score);
QString cell(const QString& text);
// A table's head row of column headers.
QString columnHeads(std::initializer_list<const char16_t*> heads);
// One term and value of a <dl class="figures">.
QString figure(const char16_t* term, const QString& value);

} // namespace minamo::page
