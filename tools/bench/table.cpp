#include "table.h"

#include <algorithm>
#include <array>

namespace minamo::bench {

QString milliseconds(double ms) {
    if (ms < 1.0) {
        return QString::number(ms * 1000.0, 'f', 0) + QStringLiteral(" us");
    }
    return QString::number(ms, 'f', ms < 100 ? 2 : 1) + QStringLiteral(" ms");
}

QString kibibytes(double kib) {
    return QString::number(kib / 1024.0, 'f', 1) + QStringLiteral(" MiB");
}

QString times(double ratio) {
    return QString::number(ratio, 'f', 2) + QStringLiteral("x");
}

namespace {
QString verdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::Ok:
        return QStringLiteral("ok");
    case Verdict::Missed:
        return QStringLiteral("MISSED");
    case Verdict::None:
        break;
    }
    return QStringLiteral("-");
}
} // namespace

void printTable(QTextStream& out, const QStringList& heading, const std::vector<Row>& rows) {
    const std::array<QString, 6> titles{QStringLiteral("measure"), QStringLiteral("figure"),
                                        QStringLiteral("floor"),   QStringLiteral("ratio"),
                                        QStringLiteral("target"),  QStringLiteral("result")};
    std::array<qsizetype, 6> widths{};
    for (std::size_t c = 0; c < titles.size(); ++c) {
        widths[c] = titles[c].size();
    }
    auto cells = [](const Row& row) {
        return std::array<QString, 6>{row.measure, row.figure, row.floor,
                                      row.ratio,   row.target, verdictText(row.verdict)};
    };
    for (const Row& row : rows) {
        if (row.measure.isEmpty()) {
            continue;
        }
        const auto c = cells(row);
        for (std::size_t i = 0; i < c.size(); ++i) {
            widths[i] = std::max(widths[i], c[i].size());
        }
    }
    qsizetype total = 0;
    for (const qsizetype w : widths) {
        total += w + 2;
    }
    auto printCells = [&](const std::array<QString, 6>& c) {
        QString line;
        for (std::size_t i = 0; i < c.size(); ++i) {
            // Names left, figures right, the verdict left.
            const bool left = i == 0 || i == 4 || i == 5;
            line += left ? c[i].leftJustified(widths[i]) : c[i].rightJustified(widths[i]);
            if (i + 1 < c.size()) {
                line += QStringLiteral("  ");
            }
        }
        out << line.trimmed() << '\n';
    };

    for (const QString& line : heading) {
        out << line << '\n';
    }
    const QString rule = QString(total, u'-');
    out << rule << '\n';
    printCells(titles);
    out << rule << '\n';
    QStringList missed;
    for (const Row& row : rows) {
        if (row.measure.isEmpty()) {
            out << '\n';
            continue;
        }
        printCells(cells(row));
        if (row.verdict == Verdict::Missed) {
            missed << row.missedNote;
        }
    }
    out << rule << '\n';
    if (missed.isEmpty()) {
        out << "Every target is met.\n";
    } else {
        out << "MISSED " << missed.size() << (missed.size() == 1 ? " target" : " targets")
            << " (the targets stand as they are):\n";
        for (const QString& note : missed) {
            out << "  - " << note << '\n';
        }
    }
    out.flush();
}

} // namespace minamo::bench
