// The sheet's layout for every set, fixed and fresh, on a surface that measures text as the
// fresh numbers' proofs do (by the widest the design's fonts draw each kind of character):
// every block inside its page's printable box, none over another, the problems and answers
// in bank order.

#include "drawing/picture_roles.h"
#include "fake/fake_platform.h"
#include "fake/qstring_printer.h"
#include "fresh/measured_area.h"
#include "worksheet/page_layout.h"
#include "worksheet/sheet_drawings.h"
#include "worksheet/worksheet.h"
#include "worksheet/worksheet_command.h"

#include <gtest/gtest.h>
#include <memory>

namespace minamo {
namespace {

class MeasuringSurface : public SheetSurface {
public:
    int beginDrawing(const AreaStyle& style) override {
        // Only the box drawn is asked for: the width is no limit.
        areas_.push_back(
            std::make_unique<MeasuredArea>(0, style.heightTwips, style.fontName, style.fontPoints));
        return static_cast<int>(areas_.size()) - 1;
    }
    PictureArea& area(int drawing) override { return *areas_.at(drawing); }
    // Every text drawn on the sheet.
    QStringList printedTexts() const {
        QStringList texts;
        for (const auto& area : areas_) {
            for (const MeasuredArea::Step& step : area->steps()) {
                texts << step.text;
            }
        }
        return texts;
    }
    std::optional<TwipsBox> drawnBox(int drawing) const override {
        const auto& r = areas_.at(drawing)->reached();
        if (!r) {
            return std::nullopt;
        }
        return TwipsBox{.left = r->left, .top = r->top, .right = r->right, .bottom = r->bottom};
    }
    void place(int drawing, int page, double, double, double zoom) override {
        EXPECT_GE(page, lastPage) << "pages are filled in order";
        EXPECT_GT(zoom, 0);
        lastPage = page;
        ++placed;
    }
    int lastPage = 0;
    int placed = 0;

private:
    std::vector<std::unique_ptr<MeasuredArea>> areas_;
};

// Top to bottom, left to right; on problem pages rows first.
bool before(const PlacedBlock& a, const PlacedBlock& b, bool rowsFirst) {
    if (a.page != b.page) {
        return a.page < b.page;
    }
    if (rowsFirst && a.box.top != b.box.top) {
        return a.box.top < b.box.top;
    }
    return a.box.left != b.box.left ? a.box.left < b.box.left : a.box.top < b.box.top;
}

void checkSheet(const CatalogueEntry& entry, const Bank& bank, Numbers numbers) {
    const SheetContent content = sheetContent(entry, bank, numbers, 7, QDate(2026, 12, 9));
    MeasuringSurface surface;
    const SheetLayout layout = drawWorksheet(content, surface);
    // A problem's own working is drawn to its end: the answer with its unit (「答 分速90 m」).
    const QStringList texts = surface.printedTexts();
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [](const QString& t) { return t.startsWith(u"答"); }),
              std::count_if(content.problems.begin(), content.problems.end(),
                            [](const SheetProblem& p) { return p.working.has_value(); }));
    EXPECT_EQ(layoutFaults(layout), QStringList());
    EXPECT_GT(layout.firstAnswerPage, 0);
    EXPECT_GT(layout.pageCount, layout.firstAnswerPage);

    const int n = static_cast<int>(content.problems.size());
    std::map<std::pair<BlockKind, int>, const PlacedBlock*> found;
    std::vector<int> footers(layout.pageCount, 0);
    for (const PlacedBlock& b : layout.blocks) {
        found[{b.kind, b.problem}] = &b;
        if (b.kind == BlockKind::Footer) {
            ++footers.at(b.page);
        }
    }
    EXPECT_EQ(footers, std::vector<int>(layout.pageCount, 1));
    const auto at = [&](BlockKind kind, int k) { return found.at({kind, k}); };
    for (int k = 1; k <= n; ++k) {
        SCOPED_TRACE(k);
        for (BlockKind kind :
             {BlockKind::Problem, BlockKind::WorkRoom, BlockKind::Answer, BlockKind::Solution}) {
            ASSERT_TRUE(found.count({kind, k})) << static_cast<int>(kind);
        }
        EXPECT_LT(at(BlockKind::Problem, k)->page, layout.firstAnswerPage);
        EXPECT_GE(at(BlockKind::Answer, k)->page, layout.firstAnswerPage);
        // The room to work lies right under its problem.
        EXPECT_GE(at(BlockKind::WorkRoom, k)->box.top, at(BlockKind::Problem, k)->box.bottom);
        if (k > 1) {
            EXPECT_TRUE(before(*at(BlockKind::Problem, k - 1), *at(BlockKind::Problem, k), true));
            EXPECT_TRUE(before(*at(BlockKind::Answer, k - 1), *at(BlockKind::Answer, k), false));
        }
    }
    EXPECT_EQ(surface.placed,
              static_cast<int>(std::count_if(
                  layout.blocks.begin(), layout.blocks.end(),
                  [](const PlacedBlock& b) { return b.kind != BlockKind::WorkRoom; })));
}

// The word problems and ratio equations among them, with fresh numbers only; those for two
// seeds (their generators are slower than the banks').
TEST(WorksheetLayout, EverySetFixedAndFreshFitsItsPagesInBankOrder) {
    for (const CatalogueEntry& entry : catalogue()) {
        if (!entry.choosable(Numbers::Fresh)) {
            continue;
        }
        SCOPED_TRACE(setNameOf(entry).toStdString());
        EXPECT_EQ(sheetSet(setNameOf(entry)), &entry);
        if (entry.choosable(Numbers::Bank)) {
            checkSheet(entry, *entry.bank, Numbers::Bank);
        }
        const auto seeds = entry.bank ? std::vector<std::uint64_t>{1, 2, 2026}
                                      : std::vector<std::uint64_t>{7, 2026};
        for (const std::uint64_t seed : seeds) {
            SCOPED_TRACE(seed);
            const Result<SheetBank> fresh = bankToPrint(entry, Numbers::Fresh, seed);
            ASSERT_TRUE(fresh) << fresh.reason().toStdString();
            checkSheet(entry, fresh->bank(), Numbers::Fresh);
        }
    }
}

TEST(WorksheetLayout, TheCheckFindsABlockOffThePageAndOneOverAnother) {
    const TwipsBox inside{1000, 1000, 3000, 2000};
    const struct {
        std::vector<PlacedBlock> blocks;
        int faults;
    } cases[] = {
        {{{BlockKind::Problem, 1, 0, inside}, {BlockKind::Problem, 2, 0, {1000, 2000, 3000, 2500}}},
         0},
        {{{BlockKind::Problem, 1, 0, inside},
          {BlockKind::WorkRoom, 1, 0, {2000, 1500, 4000, 3000}}},
         1},
        {{{BlockKind::Problem, 1, 0, inside}, {BlockKind::Problem, 1, 1, inside}}, 0},
        {{{BlockKind::Solution, 3, 0, {page::width - 900, 1000, page::width - 100, 1200}}}, 1},
        {{{BlockKind::Footer, 0, 0, {1000, page::height - 500, 2000, page::height - 300}}}, 1},
        {{{BlockKind::Answer, 1, 2, inside}}, 1},
    };
    for (const auto& c : cases) {
        const SheetLayout layout{.pageCount = 2, .firstAnswerPage = 1, .blocks = c.blocks};
        EXPECT_EQ(layoutFaults(layout).size(), c.faults)
            << layoutFaults(layout).join(u'|').toStdString();
    }
}

// The texts a reader's search must find are printed whole: the number, a whole answer.
TEST(WorksheetDrawings, NumbersAndWholeAnswersArePrintedAsOneTextFractionsStacked) {
    FakePictureArea area(QStringLiteral("paper"), 6000, 6000, QStringLiteral("MS PGothic"), 36);
    drawAnswerRole(area, QStringLiteral("x=-7"));
    EXPECT_EQ(area.printedTexts(), QStringList{QStringLiteral("x=-7")});
    area.clear();
    drawAnswerRole(area, QStringLiteral("x=-8/3"));
    const auto ops = area.drawing();
    EXPECT_TRUE(std::any_of(ops.begin(), ops.end(),
                            [](const DrawOp& op) { return op.kind == DrawOp::Kind::Line; }));
    QStringList parts;
    for (const QString& text : area.printedTexts()) {
        parts << text.trimmed(); // a number is printed with room for its sign
    }
    EXPECT_EQ(parts,
              (QStringList{QStringLiteral("x=-"), QStringLiteral("8"), QStringLiteral("3")}));
    area.clear();
    // A long plain problem stays on one line, without its instruction.
    drawProblemRole(area, QStringLiteral("-3(-3x-5)-4(3x-6)=-2(x-8) 方程式を解いて。"),
                    ProblemLines::EquationOnOneLine);
    EXPECT_EQ(area.printedTexts(), QStringList{QStringLiteral("-3(-3x-5)-4(3x-6)=-2(x-8)")});
}

// A working's equation with fractions has its fraction lines under its lines in words:
// nothing after them is drawn over them.
TEST(WorksheetDrawings, AWorkingsFractionLinesStandUnderItsLinesInWords) {
    const Working working{.setUp = {QStringLiteral("(はじめ)=(あと)"), QStringLiteral("x÷3=2")},
                          .equation = QStringLiteral("x/3=2"),
                          .check = {QStringLiteral("6÷3=2")},
                          .conclusion = QStringLiteral("答 6")};
    FakePictureArea area(QStringLiteral("paper"), 6000, 6000, QStringLiteral("MS Gothic"), 18);
    drawSolutionRole(area, QStringLiteral("x を求めなさい。"), &working);
    const auto ops = area.drawing();
    const auto words = std::find_if(ops.begin(), ops.end(), [](const DrawOp& op) {
        return op.kind == DrawOp::Kind::Print && op.text == u"x÷3=2";
    });
    ASSERT_NE(words, ops.end());
    for (auto op = words + 1; op != ops.end(); ++op) {
        if (op->kind == DrawOp::Kind::Print || op->kind == DrawOp::Kind::Line) {
            EXPECT_GT(op->y, words->y) << op->toString().toStdString();
        }
    }
}

} // namespace
} // namespace minamo
