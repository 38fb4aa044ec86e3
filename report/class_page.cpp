#include "report/class_page.h"

#include "catalogue/catalogue.h"
#include "report/html_text.h"
#include "report/page_parts.h"
#include "report/score_chart.h"

#include <map>

namespace minamo {

namespace {

const QString pageTitle = QStringLiteral("ミナモ塾 クラスの記録");

using page::cell;
using page::columnHeads;
using page::figure;
using page::notice;
using page::scoreCell;

// The bands' colours darken as the scores weaken, so that printed in black and white the
// darkest cells still mark whom to help; the strongest band's figures are bold.
const QString classStyle = QStringLiteral(R"(
body.class-page { max-width: none; }
table.grid { font-size: 0.9em; margin-top: 0.6em; }
table.grid th, table.grid td { padding: 0.05em 0.35em; }
table.grid thead th.set { writing-mode: vertical-rl; text-orientation: upright;
  white-space: nowrap; vertical-align: bottom; padding: 0.3em 0.1em; }
table.grid thead th.fresh { background: #f1ece0; }
table.grid tbody th { white-space: nowrap; }
table.grid td { text-align: center; min-width: 1.9em; font-variant-numeric: tabular-nums; }
.b0 { background: #933811; color: #fff; font-weight: bold; }
.b1 { background: #de8a5a; color: #111; }
.b2 { background: #efc9a5; color: #111; }
.b3 { background: #d3ece9; color: #00504f; font-weight: bold; }
.unreadable { background: #e6e6e6; color: #444; }
.legend { display: flex; flex-wrap: wrap; align-items: center; gap: 0.3em 0.8em;
  margin: 0.2em 0; font-size: 0.9em; }
.legend span { border: 1px solid #bbb; padding: 0 0.5em; }
.faults { font-size: 0.9em; }
.faults ul { margin: 0.2em 0; padding-left: 1.4em; }
.standings { display: flex; flex-wrap: wrap; gap: 0.4em 1.6em; align-items: flex-start; }
table.standing td, table.standing th { padding: 0.05em 0.4em; }
table.standing tbody th { white-space: nowrap; font-weight: normal; }
.menu { display: block; font-weight: normal; color: #555; font-size: 0.85em; }
table.grid a, .others a { text-decoration: none; }
.pupil-grid { display: grid; grid-template-columns: repeat(auto-fill, minmax(36em, 1fr));
  gap: 0 2.5em; }
.pupil h3 { margin-top: 0.8em; }
.others { max-width: 16em; font-size: 0.85em; color: #444; margin: 0.1em 0; }
table.pupil-sets svg.chart { display: inline; vertical-align: middle; }
table.pupil-sets td { vertical-align: middle; }
table.pupil-sets th { white-space: nowrap; }
@media screen {
  table.grid thead th { position: sticky; top: 0; }
}
@page { size: A4 landscape; margin: 8mm; }
@media print {
  body.class-page { font-size: 8pt; line-height: 1.3; }
  .class-page h1 { font-size: 13pt; margin: 0; }
  .class-page .meta { font-size: 7.5pt; line-height: 1.2; }
  .class-page h2 { margin: 0.2em 0; font-size: 11pt; }
  .class-page .screen-only { display: none; }
  table.grid { font-size: 7.5pt; line-height: 1.1; margin: 0; }
  table.grid td, table.grid tbody th { min-width: 1.6em; padding: 0 0.3em; }
  .class-page section.family-standing, .class-page section.pupils { break-before: page; }
  table.standing { font-size: 7.5pt; }
  .pupil-grid { display: block; columns: 2; column-gap: 8mm; }
  .pupil { break-inside: avoid; }
}
)");

QString setId(std::size_t column) {
    return QStringLiteral("set-%1").arg(column + 1);
}
QString pupilId(std::size_t pupil) {
    return QStringLiteral("pupil-%1").arg(pupil + 1);
}

QString link(const QString& id, const QString& text) {
    return QStringLiteral("<a href=\"#") + id + QStringLiteral("\">") + htmlEscaped(text) +
           QStringLiteral("</a>");
}

QString gridCell(const PupilReport& pupil, const ClassColumn& column) {
    const ClassCell c = classCell(pupil, column.recordName);
    switch (c.state) {
    case ClassCell::State::NoRecord:
        return QStringLiteral("<td></td>");
    case ClassCell::State::Unreadable:
        return QStringLiteral("<td class=\"unreadable\">？</td>");
    case ClassCell::State::Score:
        break;
    }
    return QStringLiteral("<td class=\"b%1\">%2</td>")
        .arg(scoreBand(c.set->latestScore, column.problems))
        .arg(c.set->latestScore);
}

QString legend() {
    return QStringLiteral(
        "<p class=\"legend\">色は、セットの問題の数に対する最新の得点です: "
        "<span class=\"b0\">4分の1未満</span><span class=\"b1\">半分未満</span>"
        "<span class=\"b2\">4分の3未満</span><span class=\"b3\">4分の3以上</span>"
        "<span class=\"unreadable\">？</span> 記録のファイルが読めなかった</p>\n");
}

QString faultList(const ClassReport& report) {
    QString items;
    for (std::size_t i = 0; i < report.pupils.size(); ++i) {
        const PupilReport& pupil = report.pupils[i];
        for (const QString& sentence : pupilSentences(pupil)) {
            items += QStringLiteral("<li>") + link(pupilId(i), pupil.name) + QStringLiteral(": ") +
                     htmlEscaped(sentence) + QStringLiteral("</li>\n");
        }
    }
    return items.isEmpty() ? QString()
                           : QStringLiteral("<div class=\"faults\">\n<p>読めなかったものと、"
                                            "記録のない生徒:</p>\n<ul>\n") +
                                 items + QStringLiteral("</ul>\n</div>\n");
}

QString overview(const ClassReport& report) {
    QString html = QStringLiteral(
        "<section class=\"overview\" aria-labelledby=\"overview\">\n"
        "<h2 id=\"overview\">クラスの一覧</h2>\n"
        "<p "
        "class=\"screen-only\">"
        "生徒ごとの、セットごとの最新の得点です。空いているところは、まだ記録がありません。"
        "セットの名前から、そのセットで助けが必要な生徒の順に、生徒の名前から、その生徒の"
        "まとめに進めます。</p>\n");
    html += legend();
    html += QStringLiteral("<table class=\"grid\">\n<caption class=\"hidden-caption\">"
                           "生徒ごとの、セットごとの最新の得点</caption>\n<thead><tr>"
                           "<th scope=\"col\">生徒</th>");
    for (std::size_t k = 0; k < report.columns.size(); ++k) {
        const ClassColumn& column = report.columns[k];
        html += QStringLiteral("<th scope=\"col\" class=\"set") +
                (column.numbers == Numbers::Fresh ? QStringLiteral(" fresh") : QString()) +
                QStringLiteral("\">") + link(setId(k), setTitle(column.recordName)) +
                QStringLiteral("</th>");
    }
    html += QStringLiteral("</tr></thead>\n<tbody>\n");
    for (std::size_t i = 0; i < report.pupils.size(); ++i) {
        const PupilReport& pupil = report.pupils[i];
        html += QStringLiteral("<tr><th scope=\"row\">") + link(pupilId(i), pupil.name) +
                QStringLiteral("</th>");
        for (const ClassColumn& column : report.columns) {
            html += gridCell(pupil, column);
        }
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</tbody>\n</table>\n");
    return html + faultList(report) + QStringLiteral("</section>\n");
}

QString namesOf(const std::vector<const PupilReport*>& pupils,
                const std::map<const PupilReport*, std::size_t>& index) {
    QStringList names;
    for (const PupilReport* pupil : pupils) {
        names << link(pupilId(index.at(pupil)), pupil->name);
    }
    return names.join(u'、');
}

QString standing(const ClassReport& report, std::size_t k,
                 const std::map<const PupilReport*, std::size_t>& index) {
    const ClassColumn& column = report.columns[k];
    const SetStanding s = setStanding(report, column.recordName);
    const QString title = setTitle(column.recordName);
    QString html =
        QStringLiteral("<div class=\"standing\" id=\"") + setId(k) +
        QStringLiteral("\">\n<table class=\"standing\">\n<caption>") + htmlEscaped(title) +
        QStringLiteral("<span class=\"menu\">") + htmlEscaped(column.menu) +
        QStringLiteral("（%1問）</span></caption>\n").arg(column.problems) +
        columnHeads({u"生徒（低い順）", u"最新", u"最高", u"回数"}) + QStringLiteral("<tbody>\n");
    for (const auto& [pupil, set] : s.ranked) {
        html += QStringLiteral("<tr><th scope=\"row\">") +
                link(pupilId(index.at(pupil)), pupil->name) + QStringLiteral("</th>") +
                QStringLiteral("<td class=\"num b%1\">%2</td>")
                    .arg(scoreBand(set->latestScore, column.problems))
                    .arg(set->latestScore) +
                scoreCell(set->bestScore) + QStringLiteral("<td class=\"num\">") +
                QString::number(set->drills) + QStringLiteral("</td></tr>\n");
    }
    html += QStringLiteral("</tbody>\n</table>\n");
    if (!s.withoutRecord.empty()) {
        html += QStringLiteral("<p class=\"others\">まだ記録がない（%1人）: ")
                    .arg(s.withoutRecord.size()) +
                namesOf(s.withoutRecord, index) + QStringLiteral("</p>\n");
    }
    if (!s.unreadable.empty()) {
        html += QStringLiteral("<p class=\"others\">記録が読めなかった（%1人）: ")
                    .arg(s.unreadable.size()) +
                namesOf(s.unreadable, index) + QStringLiteral("</p>\n");
    }
    return html + QStringLiteral("</div>\n");
}

// One section per family, its sets side by side: printed, a family fills one page.
QString standings(const ClassReport& report,
                  const std::map<const PupilReport*, std::size_t>& index) {
    QString html;
    QString family;
    for (std::size_t k = 0; k < report.columns.size(); ++k) {
        const QString next = familyFileName(report.columns[k].recordName);
        if (next != family) {
            if (!family.isEmpty()) {
                html += QStringLiteral("</div>\n</section>\n");
            }
            family = next;
            const QString id = QStringLiteral("family-%1").arg(k + 1);
            html += QStringLiteral("<section class=\"family-standing\" aria-labelledby=\"") + id +
                    QStringLiteral("\">\n<h2 id=\"") + id + QStringLiteral("\">") +
                    htmlEscaped(setTitle(family)) +
                    QStringLiteral("：助けが必要な順</h2>\n<div class=\"standings\">\n");
        }
        html += standing(report, k, index);
    }
    return family.isEmpty() ? html : html + QStringLiteral("</div>\n</section>\n");
}

QString pupilSummary(const PupilReport& pupil, std::size_t i) {
    const QString id = pupilId(i);
    QString html = QStringLiteral("<section class=\"pupil\" id=\"") + id +
                   QStringLiteral("\" aria-labelledby=\"") + id +
                   QStringLiteral("-heading\">\n<h3 id=\"") + id + QStringLiteral("-heading\">") +
                   htmlEscaped(pupil.name) + QStringLiteral("</h3>\n");
    for (const QString& sentence : pupilSentences(pupil)) {
        html += notice(sentence);
    }
    int drills = 0;
    QString latest;
    QString rows;
    int sets = 0;
    for (const FamilyReport& family : pupil.history.families) {
        for (const SetReport& set : family.sets) {
            ++sets;
            drills += set.drills;
            latest = std::max(latest, set.latestDate);
            const QString title = setTitle(set.recordName);
            const ScoreChart chart = layoutScoreChart(set.records, ChartSize::Small);
            const QString description =
                QStringLiteral("新しい%1回の得点を、記録した順に1回1本の棒で示します。"
                               "最新は%2点です。")
                    .arg(set.drills - chart.omitted)
                    .arg(set.latestScore);
            rows += QStringLiteral("<tr><th scope=\"row\">") + htmlEscaped(title) +
                    QStringLiteral("</th><td class=\"num\">") + QString::number(set.drills) +
                    QStringLiteral("</td>") + cell(displayDate(set.firstDate)) +
                    cell(displayDate(set.latestDate)) + scoreCell(set.bestScore) +
                    scoreCell(set.latestScore) + QStringLiteral("<td>") +
                    scoreChartSvg(chart, title + QStringLiteral(" の最近の得点"), description,
                                  id + QStringLiteral("-chart-%1").arg(sets)) +
                    QStringLiteral("</td></tr>\n");
        }
    }
    if (sets == 0) {
        return html + QStringLiteral("</section>\n");
    }
    html += QStringLiteral("<dl class=\"figures\">") +
            figure(u"回数", QStringLiteral("%1回").arg(drills)) +
            figure(u"最新の日", displayDate(latest)) +
            figure(u"セット", QStringLiteral("%1").arg(sets)) + QStringLiteral("</dl>\n");
    html += QStringLiteral("<table class=\"pupil-sets\">\n<caption class=\"hidden-caption\">") +
            htmlEscaped(pupil.name) + QStringLiteral(" のセットごとのまとめ</caption>\n") +
            columnHeads({u"セット", u"回数", u"最初の日", u"最新の日", u"最高点", u"最新の得点",
                         u"最近のようす"}) +
            QStringLiteral("<tbody>\n") + rows + QStringLiteral("</tbody>\n</table>\n");
    return html + QStringLiteral("</section>\n");
}

} // namespace

QString classPage(const ClassReport& report) {
    QString html = notice(classFolderSentence(report));
    if (!report.pupils.empty()) {
        std::map<const PupilReport*, std::size_t> index;
        for (std::size_t i = 0; i < report.pupils.size(); ++i) {
            index.emplace(&report.pupils[i], i);
        }
        html += overview(report);
        html += standings(report, index);
        html +=
            QStringLiteral("<section class=\"pupils\" aria-labelledby=\"pupils\">\n"
                           "<h2 id=\"pupils\">生徒ごとのまとめ</h2>\n<div class=\"pupil-grid\">\n");
        for (std::size_t i = 0; i < report.pupils.size(); ++i) {
            html += pupilSummary(report.pupils[i], i);
        }
        html += QStringLiteral("</div>\n</section>\n");
    }
    return page::document({.title = pageTitle,
                           .bodyClass = QStringLiteral("class-page"),
                           .extraStyle = classStyle,
                           .folder = report.folder,
                           .made = report.made,
                           .moreMeta = QStringLiteral("<br/>生徒: %1人").arg(report.pupils.size())},
                          html);
}

} // namespace minamo
