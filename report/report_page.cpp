#include "report/report_page.h"

#include "catalogue/catalogue.h"

#include "report/html_text.h"
#include "report/page_parts.h"
#include "report/score_chart.h"

#include <map>

namespace minamo {

namespace {

const QString pageTitle = QStringLiteral("ミナモ塾 記録のまとめ");
// Records a table shows in one column, and in at most two.
constexpr int shortTable = 15;
constexpr int twoColumns = 45;

using page::cell;
using page::columnHeads;
using page::figure;
using page::notice;
using page::scoreCell;

QString overview(const HistoryReport& report, const std::map<const SetReport*, QString>& ids) {
    const std::vector<const SetReport*> sets = overviewOrder(report);
    if (sets.empty()) {
        return QString();
    }
    QString html = QStringLiteral(
        "<section aria-labelledby=\"overview\">\n<h2 id=\"overview\">セットごとのまとめ</h2>\n"
        "<p>"
        "最新の得点が低いセットから順にならべています。上にあるセットから練習するとよいでしょう。"
        "</p>\n<table "
        "class=\"overview\">\n<caption>すべてのセット（最新の得点が低い順）</caption>\n");
    html += columnHeads({u"セット", u"なかま", u"最新の得点", u"最高点", u"回数", u"最新の日"});
    html += QStringLiteral("<tbody>\n");
    for (const SetReport* set : sets) {
        html += QStringLiteral("<tr><th scope=\"row\"><a href=\"#") + ids.at(set) +
                QStringLiteral("\">") + htmlEscaped(setTitle(set->recordName)) +
                QStringLiteral("</a></th>") + cell(setTitle(set->familyFile)) +
                scoreCell(set->latestScore) + scoreCell(set->bestScore) +
                QStringLiteral("<td class=\"num\">") + QString::number(set->drills) +
                QStringLiteral("</td>") + cell(displayDate(set->latestDate)) +
                QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</tbody>\n</table>\n</section>\n");
}

// Where the pupil finds the set in the drill's menus, when a set keeps that name.
QString menuLine(const QString& recordName) {
    const QString path = menuPathOfRecord(recordName);
    return path.isEmpty() ? QString()
                          : QStringLiteral("<p class=\"menu\">メニュー: ") + htmlEscaped(path) +
                                QStringLiteral("</p>\n");
}

QString setSection(const SetReport& set, const QString& id) {
    const QString title = setTitle(set.recordName);
    QString html = QStringLiteral("<section class=\"set\" id=\"") + id +
                   QStringLiteral("\" aria-labelledby=\"") + id + QStringLiteral("-heading\">\n") +
                   QStringLiteral("<div class=\"lead\">\n<h3 id=\"") + id +
                   QStringLiteral("-heading\">") + htmlEscaped(title) + QStringLiteral("</h3>\n") +
                   menuLine(set.recordName) + QStringLiteral("<dl class=\"figures\">") +
                   figure(u"回数", QStringLiteral("%1回").arg(set.drills)) +
                   figure(u"最初の日", displayDate(set.firstDate)) +
                   figure(u"最新の日", displayDate(set.latestDate)) +
                   figure(u"最高点", QStringLiteral("%1点").arg(set.bestScore)) +
                   figure(u"最新の得点", QStringLiteral("%1点").arg(set.latestScore)) +
                   QStringLiteral("</dl>\n");

    const ScoreChart chart = layoutScoreChart(set.records);
    QString description;
    if (chart.omitted > 0) {
        const QString note = QStringLiteral("グラフには新しい%1回分を出しています（全部で%2回）。"
                                            "すべての記録は下の表にあります。")
                                 .arg(set.drills - chart.omitted)
                                 .arg(set.drills);
        html += QStringLiteral("<p class=\"note\">") + note + QStringLiteral("</p>\n");
        description = note;
    } else {
        description =
            QStringLiteral("%1回の記録を、記録した順に1回1本の棒で示します。").arg(set.drills);
    }
    description += QStringLiteral("最新は%1点、最高は%2点です。数字は下の表にあります。")
                       .arg(set.latestScore)
                       .arg(set.bestScore);
    html += QStringLiteral("<figure>\n") +
            scoreChartSvg(chart, title + QStringLiteral(" の得点のグラフ"), description,
                          id + QStringLiteral("-chart")) +
            QStringLiteral("</figure>\n</div>\n");

    const QString count = QStringLiteral("%1回").arg(set.drills);
    // Long tables flow in columns beside each other; short ones stay one column, so that no
    // column holds only the heads.
    const QString columns = set.drills <= shortTable   ? QStringLiteral("all")
                            : set.drills <= twoColumns ? QStringLiteral("all two")
                                                       : QStringLiteral("all many");
    html += QStringLiteral("<details open=\"\">\n<summary>すべての記録（") + count +
            QStringLiteral("）</summary>\n<div class=\"") + columns +
            QStringLiteral("\">\n<table class=\"records\">\n"
                           "<caption class=\"hidden-caption\">") +
            htmlEscaped(title) + QStringLiteral(" のすべての記録（") + count +
            QStringLiteral("、記録した順）</caption>\n") + columnHeads({u"回", u"日付", u"得点"}) +
            QStringLiteral("<tbody>\n");
    for (std::size_t i = 0; i < set.records.size(); ++i) {
        const HistoryRecord& record = set.records[i];
        html += QStringLiteral("<tr><th scope=\"row\" class=\"num\">") + QString::number(i + 1) +
                QStringLiteral("</th>") + cell(displayDate(record.date)) + scoreCell(record.score) +
                QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</tbody>\n</table>\n</div>\n</details>\n</section>\n");
}

QString oddLines(const FamilyReport& family) {
    if (family.oddLines.isEmpty()) {
        return QString();
    }
    QString html = QStringLiteral("<div class=\"odd\">\n<p>%1 には「,」のない行が%2行あります。"
                                  "ドリルはこれらを記録として読まないので、ここでも数えていません。"
                                  "書かれているとおりに示します。</p>\n<ul>\n")
                       .arg(htmlEscaped(family.fileName))
                       .arg(family.oddLines.size());
    for (const QString& line : family.oddLines) {
        html += QStringLiteral("<li><code>") + htmlEscaped(line) + QStringLiteral("</code></li>\n");
    }
    return html + QStringLiteral("</ul>\n</div>\n");
}

} // namespace

QString reportPage(const HistoryReport& report) {
    std::map<const SetReport*, QString> ids;
    for (const FamilyReport& family : report.families) {
        for (const SetReport& set : family.sets) {
            ids.emplace(&set, QStringLiteral("set-%1").arg(ids.size() + 1));
        }
    }

    QString html;
    html += notice(folderSentence(report));
    html += overview(report, ids);
    const bool anyFile = folderSentence(report).isEmpty();
    for (std::size_t f = 0; anyFile && f < report.families.size(); ++f) {
        const FamilyReport& family = report.families[f];
        const QString id = QStringLiteral("family-%1").arg(f + 1);
        html += QStringLiteral("<section class=\"family\" aria-labelledby=\"") + id +
                QStringLiteral("\">\n<h2 id=\"") + id + QStringLiteral("\">") +
                htmlEscaped(setTitle(family.fileName)) + QStringLiteral(" <small>（") +
                htmlEscaped(family.fileName) + QStringLiteral("）</small></h2>\n");
        html += notice(familySentence(family));
        html += oddLines(family);
        for (const SetReport& set : family.sets) {
            html += setSection(set, ids.at(&set));
        }
        html += QStringLiteral("</section>\n");
    }
    return page::document({.title = pageTitle, .folder = report.folder, .made = report.made}, html);
}

} // namespace minamo
