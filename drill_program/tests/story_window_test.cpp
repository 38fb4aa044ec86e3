// The fresh edition's word problems and ratio equations on the real widgets: each of the
// twelve sets is chosen from the menu, its first problem is missed, and the window shows the
// story beside its worked solution. The window grabs are kept for review
// (build/screenshots/stories/).

#include "catalogue/catalogue.h"
#include "drill_program/main_window.h"
#include "fake/fake_platform.h"
#include "fake/key_notation.h"
#include "render/problem_display.h"
#include "stories/story_set.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace minamo {
namespace {

// Rows of the image, within the columns [left, right), that hold dark ink.
int inkRows(const QImage& image, int left, int right) {
    int rows = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, image.width()); ++x) {
            if (qGray(image.pixel(x, y)) < 96) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

TEST(StoryWindow, EverySetAfterAMiss) {
    const QString folder = QStringLiteral(MINAMO_BUILD_DIR "/screenshots/stories");
    QDir().mkpath(folder);
    int sets = 0;
    for (const CatalogueEntry& entry : catalogue()) {
        if (entry.generator.isEmpty()) {
            continue;
        }
        ++sets;
        SCOPED_TRACE(entry.name.toStdString());
        FakeFileSystem files;
        FakeClock clock;
        FakeRandom random;
        FakeInstanceLock lock;
        MainWindow window({files, clock, random, lock}, {.numbers = Numbers::Fresh, .seed = 7});
        ASSERT_TRUE(window.load());
        QAction* action = window.menuAction(entry.name);
        ASSERT_TRUE(action->isEnabled());
        action->trigger();
        DrillState& s = window.form().state();
        ASSERT_EQ(s.drillRunning, 1);
        ASSERT_EQ(s.bankCount, 20);
        const bool ratio = isRatioProblem(s.question[s.currentIndex]);
        // While the pupil works the story has the problem area to itself.
        EXPECT_EQ(window.controlWidget(ControlId::Picture7)->isHidden(), !ratio);
        const QString stem = folder + u'/' + recordNameFor(entry, Numbers::Fresh).title();
        ASSERT_TRUE(window.grab().save(stem + QStringLiteral("-problem.png")));

        // A miss in each group: the first problem, and the first of the harder ten.
        for (int position = 1; position <= storyGroupSize + 1; ++position) {
            const QString asked = s.question[s.currentIndex];
            if (position != 1 && position != storyGroupSize + 1) {
                QTest::keyClicks(window.answerBox(), pupilKeys(s.answer[s.currentIndex]));
                QTest::keyClick(window.answerBox(), Qt::Key_Return);
                continue;
            }
            QTest::keyClicks(window.answerBox(), QStringLiteral("x=0"));
            QTest::keyClick(window.answerBox(), Qt::Key_Return);
            EXPECT_EQ(s.missCount, position == 1 ? 1 : 2);
            EXPECT_FALSE(window.controlWidget(ControlId::Picture7)->isHidden());
            ASSERT_TRUE(window.grab().save(stem + QStringLiteral("-miss%1.png").arg(position)));
            // The worked solution runs over several lines, and a story stays readable in the
            // column right of it, which the solution's area leaves free.
            const QImage working = window.picture(ControlId::Picture7).image();
            EXPECT_GE(inkRows(working, 0, working.width()), 5 * 12);
            if (!isRatioProblem(asked)) {
                const QWidget* solution = window.controlWidget(ControlId::Picture7);
                const QWidget* problem = window.controlWidget(ControlId::Picture2);
                const QImage story = window.picture(ControlId::Picture2).image();
                const qreal scale = story.devicePixelRatio();
                const int freeLeft = static_cast<int>(
                    (solution->geometry().right() + 1 - problem->geometry().left()) * scale);
                EXPECT_GE(inkRows(story, freeLeft, story.width()), 3 * 10);
            }
            QTest::mouseClick(window.controlWidget(ControlId::Command3), Qt::LeftButton);
        }
        EXPECT_EQ(s.correctCount, storyGroupSize - 1);
    }
    EXPECT_EQ(sets, 12);
}

} // namespace
} // namespace minamo
