#include "worksheet_program/paper_sheet.h"

#include "platform/file_errors.h"
#include "worksheet/worksheet_command.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>

namespace minamo {

namespace {

constexpr int twipsPerInch = 1440;
constexpr TwipsScale paperScale{twipsPerInch};
// Lines a little wider than one of the window's pixels at 96 dpi (15 twips): the drawings
// are smaller on paper, and a fraction bar of the typed answer still prints at half a point.
constexpr double paperPenWidth = 25;

PaintedArea::Design designOf(const AreaStyle& style) {
    return {.widthTwips = style.widthTwips,
            .heightTwips = style.heightTwips,
            .fontName = style.fontName,
            .fontPoints = style.fontPoints,
            .fore = style.fore,
            .penWidth = paperPenWidth};
}

} // namespace

PaperArea::PaperArea(const AreaStyle& style, const QPaintDevice& device)
    : PaintedArea(designOf(style), paperScale), device_(device) {}

void PaperArea::clear() {
    steps_.clear();
    reach_.reset();
    penHome();
    setSpokenText(QString());
}

void PaperArea::draw(PaintStep step) {
    QRectF reach;
    if (step.kind == PaintStep::Kind::Text) {
        if (step.colour != QColor(Qt::black)) {
            step.font.setUnderline(true);
        }
        const QFontMetricsF metrics(step.font, &device_);
        reach = QRectF(step.from.x(), step.from.y() - metrics.ascent(),
                       metrics.horizontalAdvance(step.text), metrics.height());
    } else {
        const double half = step.penWidth / 2;
        reach = QRectF(step.from, step.to).normalized().adjusted(-half, -half, half, half);
    }
    reach_ = reach_ ? reach_->united(reach) : reach;
    steps_.push_back(std::move(step));
}

std::optional<TwipsBox> PaperArea::drawnBox() const {
    if (!reach_) {
        return std::nullopt;
    }
    return TwipsBox{reach_->left(), reach_->top(), reach_->right(), reach_->bottom()};
}

void PaperArea::paint(QPainter& painter) const {
    for (const PaintStep& step : steps_) {
        paintStep(painter, step);
    }
}

PdfSheet::PdfSheet(QPdfWriter& writer) : writer_(writer) {}

PdfSheet::~PdfSheet() = default;

int PdfSheet::beginDrawing(const AreaStyle& style) {
    drawings_.push_back(std::make_unique<PaperArea>(style, writer_));
    return static_cast<int>(drawings_.size()) - 1;
}

PictureArea& PdfSheet::area(int drawing) {
    return *drawings_.at(drawing);
}

std::optional<TwipsBox> PdfSheet::drawnBox(int drawing) const {
    return drawings_.at(drawing)->drawnBox();
}

void PdfSheet::place(int drawing, int page, double x, double y, double zoom) {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>();
        failed_ = !painter_->begin(&writer_);
    }
    if (failed_) {
        return;
    }
    for (; page_ < page; ++page_) {
        failed_ = failed_ || !writer_.newPage();
    }
    painter_->save();
    painter_->translate(x, y);
    painter_->scale(zoom, zoom);
    drawings_.at(drawing)->paint(*painter_);
    painter_->restore();
}

bool PdfSheet::finish() {
    if (!painter_) {
        return false;
    }
    return painter_->end() && !failed_;
}

SheetFile writeSheetPdf(const SheetContent& content, const QString& path) {
    SheetLayout layout;
    QStringList faults;
    // A folder named on the command line is the person's to make: a mistyped one is said.
    Result<> written = writeWholeFile(path, MissingFolder::Fail, [&](QIODevice& file) {
        QPdfWriter writer(&file);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setResolution(twipsPerInch);
        writer.setTitle(content.menuPath + QStringLiteral("（") + content.setName +
                        QStringLiteral("）"));
        writer.setCreator(QStringLiteral("minamo-worksheet"));
        PdfSheet sheet(writer);
        layout = drawWorksheet(content, sheet);
        faults = layoutFaults(layout);
        return sheet.finish() && faults.isEmpty();
    });
    if (!faults.isEmpty()) {
        written = Failure{QStringLiteral("ページの割りつけに誤りがあります: ") +
                          faults.join(QStringLiteral("; "))};
    }
    return {.written = std::move(written), .layout = std::move(layout)};
}

QString preparedDefaultSheetPath(const CatalogueEntry& entry, Numbers numbers, std::uint64_t seed,
                                 const QDate& day) {
    const QString path = defaultSheetPath(entry, numbers, seed, day);
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
}

} // namespace minamo
