#include "report/score_chart.h"

#include "design/font_families.h"
#include "report/html_text.h"
#include "report/report_model.h"

#include <algorithm>
#include <cmath>

namespace minamo {

namespace {

// The measures of a chart of each size.
struct ChartShape {
    double height;
    double plotTop;
    double plotBottom;
    double plotLeft;
    double rightMargin; // beyond the newest bar: half a date label, or the newest score
    double maxPlotWidth;
    double maxSlot; // a few records make a narrow chart, not wide bars
    int maxRecords;
    bool axes; // the score scale with its grid, and the dates
};

constexpr ChartShape fullChart{.height = 240,
                               .plotTop = 28,
                               .plotBottom = 240 - 42,
                               .plotLeft = 52,
                               .rightMargin = 34,
                               .maxPlotWidth = 720,
                               .maxSlot = 28,
                               .maxRecords = maxChartedRecords,
                               .axes = true};
constexpr ChartShape smallChart{.height = 34,
                                .plotTop = 4,
                                .plotBottom = 30,
                                .plotLeft = 2,
                                .rightMargin = 24,
                                .maxPlotWidth = 150,
                                .maxSlot = 10,
                                .maxRecords = maxSmallChartedRecords,
                                .axes = false};

constexpr double barShare = 0.7;
constexpr double minLabelledSlot = 20; // room for a score above every bar
constexpr double headroom = 0.12;      // of the score range, for the labels beyond the bars
constexpr int scaleSteps = 5;
constexpr double dateDrop = 18;      // the dates' baseline below the plot
constexpr double emptyRangeTop = 10; // the scale of a chart whose scores are all 0

// 1, 2 or 5 times a power of ten, at least raw.
double niceStep(double raw) {
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (raw <= m * power) {
            return m * power;
        }
    }
    return 10 * power;
}

QString number(double value) {
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith(u'0')) {
        text.chop(1);
    }
    if (text.endsWith(u'.')) {
        text.chop(1);
    }
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

QString markFill(const ChartMark& mark) {
    if (mark.score < 0) {
        return mark.newest ? QStringLiteral("#b3541e") : QStringLiteral("#eab088");
    }
    return mark.newest ? QStringLiteral("#008080") : QStringLiteral("#93c9c9");
}

} // namespace

ScoreChart layoutScoreChart(std::span<const HistoryRecord> records, ChartSize size) {
    const ChartShape& shape = size == ChartSize::Full ? fullChart : smallChart;
    const double plotTop = shape.plotTop;
    const double plotBottom = shape.plotBottom;
    const double plotLeft = shape.plotLeft;
    ScoreChart chart{
        .height = shape.height, .plotLeft = plotLeft, .plotTop = plotTop, .plotBottom = plotBottom};
    const int total = static_cast<int>(records.size());
    chart.omitted = std::max(0, total - shape.maxRecords);
    const std::span<const HistoryRecord> shown = records.subspan(chart.omitted);
    const int count = static_cast<int>(shown.size());

    const double slot =
        count == 0 ? shape.maxSlot : std::min(shape.maxSlot, shape.maxPlotWidth / count);
    chart.plotRight = plotLeft + slot * std::max(count, 1);
    chart.width = chart.plotRight + shape.rightMargin;

    double low = 0;
    double high = 0;
    for (const HistoryRecord& record : shown) {
        low = std::min<double>(low, record.score);
        high = std::max<double>(high, record.score);
    }
    if (high == low) {
        high = emptyRangeTop;
    }
    const double range = high - low;
    high += high > 0 ? range * headroom : 0;
    low -= low < 0 ? range * headroom : 0;
    const double step = niceStep((high - low) / scaleSteps);
    high = std::ceil(high / step) * step;
    low = std::floor(low / step) * step;
    const auto yOf = [&](double score) {
        return plotTop + (high - score) / (high - low) * (plotBottom - plotTop);
    };
    chart.zeroY = yOf(0);
    for (double value = low; shape.axes && value <= high + step / 2; value += step) {
        chart.gridY.push_back(yOf(value));
        chart.scales.push_back({.x = plotLeft - 8, .y = yOf(value), .text = number(value)});
    }

    const double barWidth = std::min(slot, std::max(slot * barShare, 1.0));
    for (int j = 0; j < count; ++j) {
        const int16 score = shown[static_cast<std::size_t>(j)].score;
        const double y = yOf(score);
        chart.marks.push_back({.index = chart.omitted + j,
                               .score = score,
                               .x = plotLeft + j * slot + (slot - barWidth) / 2,
                               .width = barWidth,
                               .top = std::min(y, chart.zeroY),
                               .bottom = std::max(y, chart.zeroY),
                               .newest = j == count - 1,
                               .labelled = slot >= minLabelledSlot || j == count - 1});
    }

    // Counted back from the newest, so that the newest record always has its date.
    const int every = static_cast<int>(std::ceil(dateLabelSpacing / slot));
    for (int j = count - 1; shape.axes && j >= 0; j -= every) {
        chart.dates.insert(chart.dates.begin(),
                           {.x = plotLeft + (j + 0.5) * slot,
                            .y = plotBottom + dateDrop,
                            .text = displayDate(shown[static_cast<std::size_t>(j)].date)});
    }
    return chart;
}

QString scoreChartSvg(const ScoreChart& chart, const QString& title, const QString& description,
                      const QString& id) {
    const QString titleId = id + QStringLiteral("-title");
    const QString descId = id + QStringLiteral("-desc");
    QString svg;
    svg += QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"chart\" id=\"%1\" "
                          "viewBox=\"0 0 %2 %3\" width=\"%2\" height=\"%3\" role=\"img\" "
                          "aria-labelledby=\"%4 %5\" font-family=\"%6, %7, sans-serif\" "
                          "font-size=\"12\">\n")
               .arg(id, number(chart.width), number(chart.height), titleId, descId,
                    font::proportionalInstalled, font::fixedInstalled);
    svg += QStringLiteral("<title id=\"%1\">%2</title>\n<desc id=\"%3\">%4</desc>\n")
               .arg(titleId, htmlEscaped(title), descId, htmlEscaped(description));

    svg += QStringLiteral("<g stroke=\"#d8d8d8\" stroke-width=\"1\">");
    for (const double y : chart.gridY) {
        svg += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%2\"/>")
                   .arg(number(chart.plotLeft), number(y), number(chart.plotRight));
    }
    svg += QStringLiteral("</g>\n<g text-anchor=\"end\" fill=\"#444\">");
    for (const ChartLabel& label : chart.scales) {
        svg += QStringLiteral("<text x=\"%1\" y=\"%2\">%3</text>")
                   .arg(number(label.x), number(label.y + 4), htmlEscaped(label.text));
    }
    svg += QStringLiteral("</g>\n");
    if (!chart.scales.empty()) {
        svg +=
            QStringLiteral("<text x=\"%1\" y=\"%2\" text-anchor=\"end\" fill=\"#444\">点</text>\n")
                .arg(number(chart.plotLeft - 8), number(chart.plotTop - 14));
    }

    svg += QStringLiteral("<g class=\"records\">");
    for (const ChartMark& mark : chart.marks) {
        const QString tip =
            htmlEscaped(QStringLiteral("%1回目 %2点").arg(mark.index + 1).arg(mark.score));
        if (mark.score == 0) {
            // A drill that scored 0 has no bar; a ring on the zero line says it was there.
            const double r = std::clamp(mark.width * 0.45, 1.2, 4.0);
            svg += QStringLiteral("<circle class=\"mark zero\" cx=\"%1\" cy=\"%2\" r=\"%3\" "
                                  "fill=\"#fff\" stroke=\"#333\" stroke-width=\"1.2\">"
                                  "<title>%4</title></circle>")
                       .arg(number(mark.x + mark.width / 2), number(chart.zeroY), number(r), tip);
        } else {
            svg += QStringLiteral("<rect class=\"mark\" x=\"%1\" y=\"%2\" width=\"%3\" "
                                  "height=\"%4\" fill=\"%5\"><title>%6</title></rect>")
                       .arg(number(mark.x), number(mark.top), number(mark.width),
                            number(mark.bottom - mark.top), markFill(mark), tip);
        }
    }
    svg += QStringLiteral("</g>\n");
    svg += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%2\" stroke=\"#222\" "
                          "stroke-width=\"1.5\"/>\n")
               .arg(number(chart.plotLeft), number(chart.zeroY), number(chart.plotRight));

    svg += QStringLiteral("<g text-anchor=\"middle\" fill=\"#222\">");
    for (const ChartMark& mark : chart.marks) {
        if (!mark.labelled) {
            continue;
        }
        double x = mark.x + mark.width / 2;
        double y =
            mark.score < 0 ? mark.bottom + 13 : (mark.score == 0 ? chart.zeroY - 7 : mark.top - 4);
        QString anchor;
        if (mark.newest && mark.width < minLabelledSlot * barShare) {
            // Among thin bars the newest score stands right of its bar, in the margin.
            x = mark.x + mark.width + 3;
            y = mark.score < 0 ? mark.bottom : mark.top + 9;
            anchor = QStringLiteral(" text-anchor=\"start\"");
        }
        svg += QStringLiteral("<text x=\"%1\" y=\"%2\"%3%4>%5</text>")
                   .arg(number(x), number(y),
                        mark.newest ? QStringLiteral(" font-weight=\"bold\"") : QString(), anchor)
                   .arg(mark.score);
    }
    svg += QStringLiteral("</g>\n<g text-anchor=\"middle\" fill=\"#444\" font-size=\"11\">");
    for (const ChartLabel& label : chart.dates) {
        svg += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%1\" y2=\"%3\" stroke=\"#888\"/>"
                              "<text x=\"%1\" y=\"%4\">%5</text>")
                   .arg(number(label.x), number(chart.plotBottom), number(chart.plotBottom + 5),
                        number(label.y), htmlEscaped(label.text));
    }
    svg += QStringLiteral("</g>\n</svg>\n");
    return svg;
}

} // namespace minamo
