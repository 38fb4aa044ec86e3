#include "report/page_parts.h"

#include "design/font_families.h"

#include "report/html_text.h"

#include <QDir>

namespace minamo::page {

namespace {

const QString style = QStringLiteral(R"(
body { font-family: "%1", "%2", "Noto Sans CJK JP", sans-serif; color: #222;
  background: #fff; line-height: 1.6; max-width: 62em; margin: 0 auto; padding: 1em 1.5em; }
h1 { font-size: 1.6em; margin: 0.2em 0; }
h2 { font-size: 1.3em; border-bottom: 2px solid #5f9ea0; margin: 1.8em 0 0.4em; }
h3 { font-size: 1.1em; margin: 1.4em 0 0.2em; }
.meta { color: #444; margin: 0; }
.notice { background: #f2f7f7; border-left: 4px solid #6aa; padding: 0.5em 0.8em; }
table { border-collapse: collapse; margin: 0.4em 0; }
caption { text-align: left; font-weight: bold; padding: 0.2em 0; }
th, td { border: 1px solid #bbb; padding: 0.1em 0.6em; text-align: left; }
thead th { background: #e8f2f2; }
.num { text-align: right; font-variant-numeric: tabular-nums; }
.below { color: #a34a17; font-weight: bold; }
dl.figures { display: flex; flex-wrap: wrap; gap: 0.2em 1.8em; margin: 0.2em 0 0.4em; }
dl.figures div { display: flex; gap: 0.5em; }
dt { color: #555; }
dd { margin: 0; font-weight: bold; }
figure { margin: 0.3em 0; }
svg.chart { display: block; max-width: 100%; height: auto; }
details > summary { color: #055; margin: 0.2em 0; }
.all.two { columns: 2; column-gap: 2em; max-width: 30em; }
.all.many { columns: 11em; column-gap: 2em; }
table.records { font-size: 0.9em; width: 100%; }
.hidden-caption { position: absolute; width: 1px; height: 1px; overflow: hidden;
  clip-path: inset(50%); white-space: nowrap; }
.odd code { background: #f4f4f4; padding: 0 0.3em; white-space: pre-wrap; }
a { color: #055; }
@media print {
  body { max-width: none; padding: 0; font-size: 10.5pt; }
  * { print-color-adjust: exact; -webkit-print-color-adjust: exact; }
  a { color: inherit; text-decoration: none; }
  h2, h3 { break-after: avoid; }
  .lead, tr { break-inside: avoid; }
}
)")
                          .arg(font::proportionalInstalled, font::fixedInstalled);

QString dateOfReport(const QDate& date) {
    return date.toString(QStringLiteral("yyyy年M月d日"));
}

} // namespace

QString document(const Document& doc, const QString& body) {
    const QString bodyTag = doc.bodyClass.isEmpty()
                                ? QStringLiteral("<body>")
                                : QStringLiteral("<body class=\"%1\">").arg(doc.bodyClass);
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n"
                          "<meta charset=\"utf-8\"/>\n"
                          "<meta name=\"viewport\" content=\"width=device-width, "
                          "initial-scale=1\"/>\n<title>") +
           doc.title + QStringLiteral("</title>\n<style>") + style + doc.extraStyle +
           QStringLiteral("</style>\n</head>\n") + bodyTag + QStringLiteral("\n<header>\n<h1>") +
           doc.title + QStringLiteral("</h1>\n<p class=\"meta\">フォルダー: ") +
           htmlEscaped(QDir::toNativeSeparators(doc.folder)) + QStringLiteral("<br/>作った日: ") +
           dateOfReport(doc.made) + doc.moreMeta + QStringLiteral("</p>\n</header>\n<main>\n") +
           body + QStringLiteral("</main>\n</body>\n</html>\n");
}

QString notice(const QString& sentence) {
    return sentence.isEmpty() ? QString()
                              : QStringLiteral("<p class=\"notice\">") + htmlEscaped(sentence) +
                                    QStringLiteral("</p>\n");
}

QString scoreCell(int score) {
    return (score < 0 ? QStringLiteral("<td class=\"num below\">")
                      : QStringLiteral("<td class=\"num\">")) +
           QString::number(score) + QStringLiteral("</td>");
}

QString cell(const QString& text) {
    return QStringLiteral("<td>") + htmlEscaped(text) + QStringLiteral("</td>");
}

QString columnHeads(std::initializer_list<const char16_t*> heads) {
    QString row = QStringLiteral("<thead><tr>");
    for (const char16_t* head : heads) {
        row += QStringLiteral("<th scope=\"col\">") + QString::fromUtf16(head) +
               QStringLiteral("</th>");
    }
    return row + QStringLiteral("</tr></thead>\n");
}

QString figure(const char16_t* term, const QString& value) {
    return QStringLiteral("<div><dt>") + QString::fromUtf16(term) + QStringLiteral("</dt><dd>") +
           htmlEscaped(value) + QStringLiteral("</dd></div>");
}

} // namespace minamo::page
