#pragma once

// Worksheets on paper: picture areas whose drawing is painted onto PDF pages, the surface
// that places them, and the PDF file written whole or not at all.

#include "platform/result.h"
#include "qt/painted_area.h"
#include "worksheet/worksheet.h"

#include <QRectF>
#include <memory>
#include <optional>
#include <vector>

class QPdfWriter;

namespace minamo {

// A picture area on paper: its drawing is kept as steps in twips (the PDF is written at
// 1440 dots an inch, so a twip is one of its dots) and painted onto a page at any place and
// size. On paper a colour may print as grey: text in any colour but black is underlined as
// well, so that the worked solution's moved terms stand apart in black-and-white print.
class PaperArea : public PaintedArea {
public:
    PaperArea(const AreaStyle& style, const QPaintDevice& device);

    void clear() override;
    void setVisible(bool) override {}
    bool isVisible() const override { return true; }

    // Where the drawing reaches, in twips: texts from their top to their bottom line,
    // lines and boxes with their pen.
    std::optional<TwipsBox> drawnBox() const;
    // Paints the drawing in the painter's current coordinates, a unit a twip.
    void paint(QPainter& painter) const;

protected:
    void draw(PaintStep step) override;
    const QPaintDevice* metricsDevice() const override { return &device_; }

private:
    const QPaintDevice& device_;
    std::vector<PaintStep> steps_;
    std::optional<QRectF> reach_;
};

// The worksheet's surface on a PDF: every drawing a paper area, placed onto the writer's
// pages in order.
class PdfSheet : public SheetSurface {
public:
    explicit PdfSheet(QPdfWriter& writer);
    ~PdfSheet() override;

    int beginDrawing(const AreaStyle& style) override;
    PictureArea& area(int drawing) override;
    std::optional<TwipsBox> drawnBox(int drawing) const override;
    void place(int drawing, int page, double x, double y, double zoom) override;
    // Ends the document; false when its pages could not be painted.
    bool finish();

private:
    QPdfWriter& writer_;
    std::vector<std::unique_ptr<PaperArea>> drawings_;
    std::unique_ptr<QPainter> painter_;
    int page_ = 0;
    bool failed_ = false;
};

struct SheetFile {
    Result<> written; // or why not
    SheetLayout layout;
};

// Writes the sheet as an A4 PDF at path: the whole file, or nothing when it cannot be
// written or its layout has a fault.
SheetFile writeSheetPdf(const SheetContent& content, const QString& path);

// The sheet's default file in the documents folder, made ready to be written: the folder of
// a new account may not be there yet.
QString preparedDefaultSheetPath(const CatalogueEntry& entry, Numbers numbers, std::uint64_t seed,
                                 const QDate& day);

} // namespace minamo
