// Worksheets with the real fonts: colours carry a mark that black-and-white print keeps,
// and the window is used by keyboard alone.

#include "fake/qstring_printer.h"
#include "worksheet/sheet_drawings.h"
#include "worksheet/worksheet_command.h"
#include "worksheet_program/paper_sheet.h"
#include "worksheet_program/worksheet_window.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace minamo {
namespace {

// The rows of an image where the colour runs across most of the text's width without a
// break: an underline does, the glyphs of "-12" do not.
int runsAcross(const QImage& image, QColor colour, int textLeft, int textRight) {
    int rows = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0, longest = 0;
        for (int x = textLeft; x < textRight; ++x) {
            run = image.pixelColor(x, y) == colour ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        rows += longest > (textRight - textLeft) * 8 / 10;
    }
    return rows;
}

TEST(WorksheetPdf, TextInColourIsUnderlinedOnPaperAndBlackTextIsNot) {
    constexpr double twipsPerMetre = 1440 / 0.0254;
    QImage image(1400, 700, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(twipsPerMetre));
    image.setDotsPerMeterY(static_cast<int>(twipsPerMetre));
    for (const Rgb colour : {colour::blue, colour::black}) {
        SCOPED_TRACE(colour.b);
        image.fill(Qt::white);
        PaperArea area(windowAreaStyle(ControlId::Picture7), image);
        area.setForeColor(colour);
        area.setPen(100, 100);
        area.print(QStringLiteral("-12"), LineEnd::Stay);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        area.paint(painter);
        painter.end();
        const TwipsBox box = *area.drawnBox();
        const int rows =
            runsAcross(image, QColor(colour.r, colour.g, colour.b), static_cast<int>(box.left) + 5,
                       static_cast<int>(box.right) - 5);
        EXPECT_EQ(rows > 0, colour == colour::blue);
    }
}

// Down to 分数問題 → 基本2, Tab and Down to fresh numbers, Enter: the sheet is saved where
// the question offered, and opened.
TEST(WorksheetWindow, TheKeyboardChoosesASetAndFreshNumbersAndSaves) {
    QTemporaryDir folder;
    QString offered;
    QStringList opened;
    const QString path = folder.filePath(QStringLiteral("sheet.pdf"));
    WorksheetWindow window(
        [&](QWidget*, const QString& suggestion) {
            offered = suggestion;
            return path;
        },
        [&](const QString& file) {
            opened << file;
            return true;
        });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTreeWidget* tree = window.setTree();
    EXPECT_TRUE(tree->hasFocus());

    // The tree is the drill's menu bar, the greyed entries not to be chosen.
    ASSERT_EQ(tree->topLevelItemCount(), static_cast<int>(menus().size()));
    for (int m = 0; m < tree->topLevelItemCount(); ++m) {
        const MenuSpec& menu = menus()[m];
        const QTreeWidgetItem* item = tree->topLevelItem(m);
        EXPECT_EQ(item->text(0), menu.caption);
        ASSERT_EQ(item->childCount(), static_cast<int>(menu.entries.size()));
        for (int e = 0; e < item->childCount(); ++e) {
            EXPECT_EQ(item->child(e)->text(0), menu.entries[e].caption);
            EXPECT_EQ(item->child(e)->flags().testFlag(Qt::ItemIsEnabled),
                      menu.entries[e].choosable(Numbers::Bank));
        }
    }

    const CatalogueEntry* wanted = sheetSet(u"方程式分数2");
    for (int keys = 0; keys < 40 && window.chosenSet() != wanted; ++keys) {
        QTest::keyClick(tree, Qt::Key_Down);
    }
    ASSERT_EQ(window.chosenSet(), wanted);
    // Tab to the choice of numbers, Down to fresh numbers.
    QTest::keyClick(tree, Qt::Key_Tab);
    ASSERT_NE(QApplication::focusWidget(), tree);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_TRUE(window.freshChoice()->isChecked());
    // With fresh numbers the word problem sets can be chosen too.
    for (int m = 0; m < tree->topLevelItemCount(); ++m) {
        for (int e = 0; e < tree->topLevelItem(m)->childCount(); ++e) {
            EXPECT_EQ(tree->topLevelItem(m)->child(e)->flags().testFlag(Qt::ItemIsEnabled),
                      menus()[m].entries[e].choosable(Numbers::Fresh));
        }
    }
    QTest::keyClick(window.freshChoice(), Qt::Key_Return);

    EXPECT_TRUE(offered.contains(QStringLiteral("/方程式分数新2_"))) << offered.toStdString();
    EXPECT_EQ(opened, QStringList{path});
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(window.status()->text().contains(QStringLiteral("保存しました")))
        << window.status()->text().toStdString();
}

} // namespace
} // namespace minamo
