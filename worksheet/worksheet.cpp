#include "worksheet/worksheet.h"

#include "core/problem.h"
#include "design/font_families.h"
#include "drawing/picture_roles.h"
#include "render/problem_display.h"
#include "worksheet/page_layout.h"
#include "worksheet/sheet_drawings.h"

#include <algorithm>
#include <functional>

namespace minamo {

namespace {

// The window's drawings on paper at these fractions of their size on screen: problems and
// solutions at about 12 points, the typed answers (36 points on screen) a little larger.
constexpr double problemZoom = 0.6;
constexpr double answerZoom = 0.4;
constexpr double solutionZoom = 0.55;
// A problem's own working writes its lines in words smaller than its equations: they are
// drawn larger, as the column allows, so that they print at about 8 points.
constexpr double workingZoom = 0.7;
// A word problem's story, set wide as the window sets it while the pupil works, at about
// 12 points: across the page, not in a column, since its lines are as wide as the window's.
constexpr double storyZoom = 0.75;

// Between a problem's or answer's number and the drawing right of it.
constexpr double numberGap = 180;
// The room to work under a problem: as high as its worked solution, from 3 cm for a
// one-step equation to 5 cm for one with fractions.
constexpr double minimumWorkRoom = 1700;
constexpr double maximumWorkRoom = 2835;
// An answer's solution stands this far below it; answers stand this far apart.
constexpr double solutionDrop = 120;
constexpr double answerGap = 300;

// The headings, in the problems' font.
const QString& headingFont = font::proportional;
constexpr double titlePoints = 18;
constexpr double subtitlePoints = 11;
constexpr double footerPoints = 9;
constexpr double headingLineGap = 120;
constexpr double ruleGap = 300;
// The 名前 and 日付 fields: a label and a box to write in.
constexpr double fieldBoxHeight = 520;
constexpr double nameBoxWidth = 3400;
constexpr double dateBoxWidth = 2000;
constexpr double labelToBox = 100;
constexpr double betweenFields = 300;

// A drawing made and measured: its number on the surface and its box in its own twips.
struct Drawn {
    int id = -1;
    std::optional<TwipsBox> box;
    double width(double zoom) const { return box ? box->width() * zoom : 0; }
    double height(double zoom) const { return box ? box->height() * zoom : 0; }
};

// The largest zoom up to zoom at which the drawing fits the width and height.
double fittedZoom(const Drawn& d, double zoom, double maxWidth, double maxHeight) {
    if (!d.box) {
        return zoom;
    }
    if (d.box->width() * zoom > maxWidth) {
        zoom = maxWidth / d.box->width();
    }
    if (d.box->height() * zoom > maxHeight) {
        zoom = maxHeight / d.box->height();
    }
    return zoom;
}

AreaStyle headingStyle(double points) {
    return {.fontName = headingFont,
            .fontPoints = points,
            .fore = colour::black,
            .widthTwips = page::width,
            .heightTwips = page::height};
}

QString numbersText(const SheetContent& content) {
    return content.numbers == Numbers::Fresh
               ? QStringLiteral("新しい数の問題（種 %1）").arg(content.seed)
               : QStringLiteral("いつもの問題");
}

// The instruction every problem of the set ends with ("方程式を解いて。"); empty when
// they have none or differ.
QString commonInstruction(const std::vector<SheetProblem>& problems) {
    QString common;
    for (const SheetProblem& problem : problems) {
        if (problem.isStory()) {
            return {}; // a story asks its own question
        }
        const QString rest = Problem::read(problem.question).instruction;
        if (rest.isEmpty() || (!common.isEmpty() && rest != common)) {
            return {};
        }
        common = rest;
    }
    return common;
}

// The drawings of one sheet and where they go: made and measured first, placed once the
// layout is known, page by page.
class SheetBuilder {
public:
    explicit SheetBuilder(SheetSurface& surface) : surface_(surface) {}

    Drawn draw(const AreaStyle& style, const std::function<void(PictureArea&)>& drawing) {
        const int id = surface_.beginDrawing(style);
        drawing(surface_.area(id));
        return {.id = id, .box = surface_.drawnBox(id)};
    }

    Drawn text(const QString& text, double points) {
        return draw(headingStyle(points),
                    [&](PictureArea& area) { area.print(text, LineEnd::Break); });
    }

    // The drawing with its box's top left corner at (x, y) of the page; its box there.
    TwipsBox put(const Drawn& d, BlockKind kind, int problem, int page, double x, double y,
                 double zoom) {
        if (!d.box) {
            return {x, y, x, y};
        }
        placements_.push_back({.drawing = d.id,
                               .page = page,
                               .x = x - d.box->left * zoom,
                               .y = y - d.box->top * zoom,
                               .zoom = zoom});
        const TwipsBox box{x, y, x + d.width(zoom), y + d.height(zoom)};
        layout_.blocks.push_back({.kind = kind, .problem = problem, .page = page, .box = box});
        return box;
    }

    void reserve(BlockKind kind, int problem, int page, const TwipsBox& box) {
        layout_.blocks.push_back({.kind = kind, .problem = problem, .page = page, .box = box});
    }

    SheetLayout& layout() { return layout_; }

    // Everything onto the surface, the pages in order.
    void placeAll() {
        std::stable_sort(placements_.begin(), placements_.end(),
                         [](const Placement& a, const Placement& b) { return a.page < b.page; });
        for (const Placement& p : placements_) {
            surface_.place(p.drawing, p.page, p.x, p.y, p.zoom);
        }
    }

private:
    struct Placement {
        int drawing;
        int page;
        double x, y, zoom;
    };
    SheetSurface& surface_;
    std::vector<Placement> placements_;
    SheetLayout layout_;
};

// The 名前 and 日付 fields side by side, each a label and a box.
Drawn drawFields(SheetBuilder& sheet) {
    return sheet.draw(headingStyle(subtitlePoints), [](PictureArea& area) {
        // An empty line moves the pen down by the font's line height and draws nothing.
        area.print(QString(), LineEnd::Break);
        const double textTop = (fieldBoxHeight - area.currentY()) / 2;
        double x = 0;
        for (const auto& [label, boxWidth] : {std::pair{QStringLiteral("名前"), nameBoxWidth},
                                              std::pair{QStringLiteral("日付"), dateBoxWidth}}) {
            area.setPen(x, textTop);
            area.print(label, LineEnd::Stay);
            x = area.currentX() + labelToBox;
            area.box(x, 0, x + boxWidth, fieldBoxHeight, colour::black, BoxFill::Outline);
            x += boxWidth + betweenFields;
        }
    });
}

Drawn drawRule(SheetBuilder& sheet) {
    return sheet.draw(headingStyle(subtitlePoints), [](PictureArea& area) {
        area.line(0, 0, page::printable.width(), 0, colour::black);
    });
}

// A heading at the top of a page: the title (with the fields on the right of the first
// page), the set and its numbers, the instruction, a rule. Returns where the columns start.
double placeHeading(SheetBuilder& sheet, int page, const QString& title, const QString& subtitle,
                    const QString& instruction, bool withFields) {
    const double left = page::printable.left;
    const auto putWide = [&](const Drawn& d, double x, double top, double width) {
        return sheet.put(d, BlockKind::Heading, 0, page, x, top,
                         fittedZoom(d, 1, width, page::printable.height()));
    };
    double y = page::printable.top;
    double titleWidth = page::printable.width();
    double bottom = y;
    if (withFields) {
        const Drawn fields = drawFields(sheet);
        titleWidth -= fields.width(1) + betweenFields;
        bottom =
            putWide(fields, page::printable.right - fields.width(1), y, fields.width(1)).bottom;
    }
    bottom = std::max(bottom, putWide(sheet.text(title, titlePoints), left, y, titleWidth).bottom);
    y = bottom + headingLineGap;
    for (const QString& line : {subtitle, instruction}) {
        if (!line.isEmpty()) {
            y = putWide(sheet.text(line, subtitlePoints), left, y, page::printable.width()).bottom +
                headingLineGap;
        }
    }
    return putWide(drawRule(sheet), left, y, page::printable.width()).bottom + ruleGap;
}

Drawn drawNumber(SheetBuilder& sheet, int number) {
    return sheet.draw(windowAreaStyle(ControlId::Picture2), [number](PictureArea& area) {
        area.print(QStringLiteral("(%1)").arg(number), LineEnd::Break);
    });
}

// The problems in rows of one a column, each row as high as its tallest problem with its
// room to work, so that the two columns line up; a word problem's story has a row of its
// own across the page. Returns the last page they take.
int placeProblems(SheetBuilder& sheet, const std::vector<SheetProblem>& problems,
                  const std::vector<Drawn>& solutions, double top, double tallest) {
    struct Item {
        Drawn number;
        Drawn problem;
        double width; // of its column, or of the page for a story
        double zoom;
        double row;
        double room;
    };
    std::vector<Item> items;
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const SheetProblem& p = problems[i];
        const Drawn number = drawNumber(sheet, static_cast<int>(i + 1));
        const Drawn problem =
            sheet.draw(windowAreaStyle(ControlId::Picture2), [&](PictureArea& area) {
                drawProblemRole(area, p.question, ProblemLines::EquationOnOneLine, p.ownWorking(),
                                StoryPlace::Wide);
            });
        const double width = p.isStory() ? page::printable.width() : page::columnWidth;
        const double indent = number.width(problemZoom) + numberGap;
        const double zoom =
            fittedZoom(problem, p.isStory() ? storyZoom : problemZoom, width - indent, tallest);
        const double row = std::max(number.height(problemZoom), problem.height(zoom));
        const double room = std::min(tallest - row, std::clamp(solutions[i].height(solutionZoom),
                                                               minimumWorkRoom, maximumWorkRoom));
        items.push_back({.number = number,
                         .problem = problem,
                         .width = width,
                         .zoom = zoom,
                         .row = row,
                         .room = room});
    }
    ColumnFlow rows(0, top, 1);
    for (std::size_t first = 0, end = 0; first < items.size(); first = end) {
        // A row of equations side by side, or a story alone.
        end = first + 1;
        while (end < items.size() && end - first < page::columns && !problems[first].isStory() &&
               !problems[end].isStory()) {
            ++end;
        }
        double row = 0;
        double height = 0;
        for (std::size_t i = first; i < end; ++i) {
            row = std::max(row, items[i].row);
            height = std::max(height, items[i].row + items[i].room);
        }
        const ColumnFlow::Spot spot = rows.take(height);
        for (std::size_t i = first; i < end; ++i) {
            const int number = static_cast<int>(i + 1);
            const Item& p = items[i];
            const double x =
                spot.x + static_cast<double>(i - first) * (page::columnWidth + page::columnGap);
            const double indent = p.number.width(problemZoom) + numberGap;
            // An equation stands in the middle of its row, a story's lines from its number.
            const auto middle = [&](double h) { return problems[i].isStory() ? 0 : (row - h) / 2; };
            sheet.put(p.number, BlockKind::Number, number, spot.page, x,
                      spot.y + middle(p.number.height(problemZoom)), problemZoom);
            sheet.put(p.problem, BlockKind::Problem, number, spot.page, x + indent,
                      spot.y + middle(p.problem.height(p.zoom)), p.zoom);
            sheet.reserve(BlockKind::WorkRoom, number, spot.page,
                          {x, spot.y + row, x + p.width, spot.y + height});
        }
    }
    return rows.page();
}

// Each problem's number and answer with its worked solution below, down the columns from
// the page. Returns the last page they take.
int placeAnswers(SheetBuilder& sheet, const std::vector<SheetProblem>& problems,
                 const std::vector<Drawn>& solutions, int firstPage, double top, double tallest) {
    const double width = page::columnWidth;
    ColumnFlow flow(firstPage, top);
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        const Drawn numberDrawing = drawNumber(sheet, number);
        const Drawn answer =
            sheet.draw(windowAreaStyle(ControlId::Picture3),
                       [&](PictureArea& area) { drawAnswerRole(area, problems[i].answer); });
        const double indent = numberDrawing.width(problemZoom) + numberGap;
        const double answerZoomed = fittedZoom(answer, answerZoom, width - indent, tallest);
        const double row = std::max(numberDrawing.height(problemZoom), answer.height(answerZoomed));
        const Drawn& solution = solutions[i];
        const double solutionZoomed =
            fittedZoom(solution, problems[i].working ? workingZoom : solutionZoom, width - indent,
                       tallest - row - solutionDrop - answerGap);
        const double below = solution.box ? solutionDrop + solution.height(solutionZoomed) : 0;
        const ColumnFlow::Spot spot = flow.take(row + below + answerGap);
        sheet.put(numberDrawing, BlockKind::Number, number, spot.page, spot.x,
                  spot.y + (row - numberDrawing.height(problemZoom)) / 2, problemZoom);
        sheet.put(answer, BlockKind::Answer, number, spot.page, spot.x + indent,
                  spot.y + (row - answer.height(answerZoomed)) / 2, answerZoomed);
        sheet.put(solution, BlockKind::Solution, number, spot.page, spot.x + indent,
                  spot.y + row + solutionDrop, solutionZoomed);
    }
    return flow.page();
}

// The set, the day and the page's number at the foot of every page.
void placeFooters(SheetBuilder& sheet, const SheetContent& content, int pageCount) {
    const QString start = content.setName + QStringLiteral("　") +
                          content.date.toString(QStringLiteral("yyyy/MM/dd"));
    for (int p = 0; p < pageCount; ++p) {
        const Drawn footer =
            sheet.text(start + QStringLiteral("　%1 / %2").arg(p + 1).arg(pageCount), footerPoints);
        sheet.put(footer, BlockKind::Footer, 0, p, (page::width - footer.width(1)) / 2,
                  page::printable.bottom - footer.height(1), 1);
    }
}

} // namespace

bool SheetProblem::isStory() const {
    return working && !isRatioProblem(question);
}

QString setNameOf(const CatalogueEntry& entry) {
    return entry.record ? entry.record->title() : QString();
}

SheetContent sheetContent(const CatalogueEntry& entry, const Bank& bank, Numbers numbers,
                          std::uint64_t seed, QDate date) {
    SheetContent content{.setName = setNameOf(entry),
                         .menuPath = menuPath(entry),
                         .numbers = numbers,
                         .seed = seed,
                         .date = date,
                         .problems = {}};
    for (const BankProblem& problem : bank.problems) {
        content.problems.push_back(
            {.question = problem.question.toString(),
             .answer = problem.answer.toString(),
             .working = problem.working ? std::optional(*problem.working) : std::nullopt});
    }
    return content;
}

SheetLayout drawWorksheet(const SheetContent& content, SheetSurface& surface) {
    SheetBuilder sheet(surface);
    const QString subtitle = content.setName + QStringLiteral("　") + numbersText(content);
    const double columnsTop = placeHeading(sheet, 0, content.menuPath, subtitle,
                                           commonInstruction(content.problems), true);
    // No item is taller than the first page's columns, below its heading.
    const double tallest = page::columnBottom - columnsTop;

    // The solutions are drawn first: they size the room to work under each problem.
    std::vector<Drawn> solutions;
    for (const SheetProblem& problem : content.problems) {
        solutions.push_back(
            sheet.draw(windowAreaStyle(ControlId::Picture7), [&](PictureArea& area) {
                drawSolutionRole(area, problem.question, problem.ownWorking());
            }));
    }
    const int lastProblemPage =
        placeProblems(sheet, content.problems, solutions, columnsTop, tallest);

    // The answers begin a page of their own.
    const int firstAnswerPage = lastProblemPage + 1;
    const double answersTop =
        placeHeading(sheet, firstAnswerPage, QStringLiteral("解答と解き方　") + content.menuPath,
                     subtitle, QString(), false);
    const int lastPage =
        placeAnswers(sheet, content.problems, solutions, firstAnswerPage, answersTop, tallest);

    SheetLayout& layout = sheet.layout();
    layout.pageCount = lastPage + 1;
    layout.firstAnswerPage = firstAnswerPage;
    placeFooters(sheet, content, layout.pageCount);
    sheet.placeAll();
    return layout;
}

QStringList layoutFaults(const SheetLayout& layout) {
    const auto name = [](const PlacedBlock& b) {
        static const QStringList kinds{
            QStringLiteral("a heading"),     QStringLiteral("the footer"),
            QStringLiteral("the number"),    QStringLiteral("the problem"),
            QStringLiteral("the work room"), QStringLiteral("the answer"),
            QStringLiteral("the solution")};
        const QString kind = kinds[static_cast<int>(b.kind)];
        return b.problem > 0 ? QStringLiteral("%1 of problem %2").arg(kind).arg(b.problem) : kind;
    };
    QStringList faults;
    const auto& blocks = layout.blocks;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const PlacedBlock& a = blocks[i];
        const QString where = QStringLiteral("page %1: ").arg(a.page + 1);
        if (a.page < 0 || a.page >= layout.pageCount) {
            faults << where + name(a) + QStringLiteral(" lies on no page of the sheet");
        }
        if (!page::printable.contains(a.box)) {
            faults << where + name(a) + QStringLiteral(" leaves the printable box");
        }
        for (std::size_t j = i + 1; j < blocks.size(); ++j) {
            if (blocks[j].page == a.page && a.box.overlaps(blocks[j].box)) {
                faults << where + name(a) + QStringLiteral(" overlaps ") + name(blocks[j]);
            }
        }
    }
    return faults;
}

} // namespace minamo
