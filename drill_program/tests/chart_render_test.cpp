#include "design/form_layout.h"
#include "fake/fake_platform.h"
#include "fake/qstring_printer.h"
#include "history/history_chart.h"
#include "qt/qt_picture_area.h"

#include <QDate>
#include <QDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace minamo {
namespace {

// The chart on a real picture area: the fake supplies every other control.
struct RealChart {
    RealChart()
        : area(controlSpec(ControlId::Picture1), TwipsScale{96}, &parent),
          platform(substituted(f.platform(), {.picture1 = &area})), d{s, platform} {}
    // A record as the reader loads it: its line kept, and in the lists.
    void addRecord(int score, const char* date, const char* set) {
        s.historyLines << QStringLiteral("%1,%2#%3")
                              .arg(score)
                              .arg(QString::fromUtf8(date), QString::fromUtf8(set));
        ++s.historyCount;
        s.historyScore[s.historyCount] = static_cast<int16>(score);
        s.historyDate[s.historyCount] = QString::fromUtf8(date);
        s.historySet[s.historyCount] = QString::fromUtf8(set);
    }
    // Keeps the chart as a PNG in the build folder's screenshots, to be looked at.
    void save(const QString& name) const {
        const QString folder = QStringLiteral(MINAMO_BUILD_DIR "/screenshots");
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(area.image().save(folder + u'/' + name));
    }
    // The pixel at a point of the chart's units (x 0..200 right, y 0..100 up).
    QColor at(double x, double y) const {
        const QImage& image = area.image();
        const int px = static_cast<int>(x * image.width() / 200.0);
        const int py = static_cast<int>((100.0 - y) * image.height() / 100.0);
        return image.pixelColor(px, py);
    }

    QWidget parent;
    FakePlatform f;
    QtPictureArea area;
    Platform platform;
    DrillState s;
    Drill d;
};

TEST(ChartRender, SampleHistoryLooksRight) {
    RealChart c;
    c.addRecord(8, "261101", "方程式基本1.txt");
    c.addRecord(12, "261102", "方程式基本1.txt");
    c.addRecord(-3, "261105", "方程式基本2.txt");
    c.addRecord(15, "261110", "方程式基本3.txt");
    c.addRecord(21, "261118", "方程式基本1.txt");
    c.addRecord(6, "261120", "");
    c.addRecord(27, "261201", "方程式基本2.txt");
    c.s.score = 33;
    c.s.recordName = QStringLiteral("方程式基本1.txt");
    ASSERT_TRUE(drawHistoryChart(c.d));

    c.save(QStringLiteral("history-chart.png"));

    const QColor back(192, 255, 255);
    const QColor teal(0, 128, 128);
    // The new bar (position 8, x 53..57, up to 33 + 40) is solid teal inside.
    EXPECT_EQ(c.at(55, 56), teal);
    // Past bars are outlined and empty inside; the chart keeps the light background.
    EXPECT_EQ(c.at(30, 46), back); // bar 3 spans x 28..32
    EXPECT_EQ(c.at(100, 90), back);
    // The x axis runs along y = 40 right of the y axis, in the window-text colour.
    int darkOnAxis = 0;
    const int axisRow = static_cast<int>(60.0 * c.area.image().height() / 100.0);
    for (int x = 0; x < c.area.image().width(); ++x) {
        darkOnAxis += c.area.image().pixelColor(x, axisRow).lightness() < 80 ? 1 : 0;
    }
    EXPECT_GT(darkOnAxis, c.area.image().width() * 3 / 4);
}

// A long history: the newest 35 records and the new bar, whole, at the right end.
TEST(ChartRender, FortyFiveRecordsShowTheNewestResult) {
    RealChart c;
    for (int i = 1; i <= 45; ++i) {
        const QByteArray date = QDate(2026, 1, 1).addDays(i * 7).toString("yyMMdd").toLatin1();
        c.addRecord(i % 25 + 5, date.constData(), "方程式分数1.txt");
    }
    c.s.score = 20;
    c.s.recordName = QStringLiteral("方程式分数1.txt");
    ASSERT_TRUE(drawHistoryChart(c.d));
    c.save(QStringLiteral("history-chart-45.png"));
    // Position 36: x 193..197, up to 20 + 40.
    EXPECT_EQ(c.at(195, 50), QColor(0, 128, 128));
}

} // namespace
} // namespace minamo
