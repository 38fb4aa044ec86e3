// The floor of the start-up benchmarks: the least a Qt window does to show what the
// program's idle window shows. It is built from the same design tables — the program's
// size, its style, every control the idle window shows with its place, caption, colours and
// font (through the same substitution), the menu bar with all its entries — but from plain
// Qt widgets, with no drill logic behind them; the problem area paints its text itself, as
// the program's picture areas do. What the program needs beyond this is what it adds to
// the toolkit. Shown in front and active, and timed by the same probe as the program
// (MINAMO_STARTUP_PROBE, see StartupProbe).
// Usage: bench-floor-window [WIDTHxHEIGHT]

#include "catalogue/catalogue.h"
#include "design/form_layout.h"
#include "drill_program/startup_probe.h"
#include "qt/fonts.h"
#include "qt/placement.h"
#include "qt/qt_colour.h"
#include "qt/twips.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <array>
#include <chrono>

namespace {

using minamo::ControlId;
using minamo::ControlKind;
using minamo::ControlSpec;

// The controls the idle window keeps hidden until a drill starts.
constexpr std::array<ControlId, 6> hiddenWhenIdle{ControlId::Command2, ControlId::Command3,
                                                  ControlId::Picture1, ControlId::Label12,
                                                  ControlId::Label13,  ControlId::Label14};
// What the problem area shows before the first drill.
const QString idleText = QStringLiteral("問題をくーれ");

// A picture area: its colour, and the idle text in the problem area, painted by itself.
class PaintedArea : public QWidget {
public:
    PaintedArea(const ControlSpec& layout, QWidget* parent)
        : QWidget(parent), back_(minamo::toQColor(layout.back.value_or(minamo::form::backColour))),
          text_(layout.id == ControlId::Picture2 ? idleText : QString()) {
        if (layout.font) {
            setFont(minamo::designFont(*layout.font));
        }
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), back_);
        if (!text_.isEmpty()) {
            painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop, text_);
        }
    }

private:
    QColor back_;
    QString text_;
};

QWidget* makeControl(const ControlSpec& layout, QWidget* parent) {
    switch (layout.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(layout.caption, parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::TextBox:
        return new QLineEdit(layout.caption, parent);
    case ControlKind::Button:
        return new QPushButton(layout.caption, parent);
    case ControlKind::Picture:
        return new PaintedArea(layout, parent);
    }
    return nullptr;
}

bool shownWhenIdle(ControlId id) {
    return std::find(hiddenWhenIdle.begin(), hiddenWhenIdle.end(), id) == hiddenWhenIdle.end();
}

} // namespace

int main(int argc, char** argv) {
    const auto entered = std::chrono::steady_clock::now();
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    minamo::useDesignFonts();

    const minamo::TwipsScale scale;
    QSize size(scale.toWholePixels(minamo::form::clientWidth),
               scale.toWholePixels(minamo::form::clientHeight));
    if (argc > 1) {
        const QStringList parts = QString::fromLocal8Bit(argv[1]).split(u'x');
        if (parts.size() == 2 && parts[0].toInt() > 0 && parts[1].toInt() > 0) {
            size = QSize(parts[0].toInt(), parts[1].toInt());
        }
    }

    const auto probe = minamo::StartupProbe::fromEnvironment(entered);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("floor window"));
    for (const minamo::MenuSpec& menu : minamo::menus()) {
        if (menu.entries.empty()) {
            window.menuBar()->addAction(menu.caption)->setEnabled(false);
            continue;
        }
        QMenu* sub = window.menuBar()->addMenu(menu.caption);
        for (const minamo::CatalogueEntry& entry : menu.entries) {
            sub->addAction(entry.caption)->setEnabled(entry.choosable(minamo::Numbers::Bank));
        }
    }
    auto* client = new QWidget(&window);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, minamo::toQColor(minamo::form::backColour));
    client->setPalette(palette);
    client->setAutoFillBackground(true);
    window.setCentralWidget(client);

    // Labels first, on the window's surface; then the others from back to front.
    for (const ControlSpec& layout : minamo::controlSpecs()) {
        if (layout.kind == ControlKind::Label && shownWhenIdle(layout.id)) {
            minamo::placeControl(makeControl(layout, client), layout, scale);
        }
    }
    const auto order = minamo::stackingFrontToBack();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const ControlSpec& layout = minamo::controlSpec(*it);
        if (layout.kind != ControlKind::Label && shownWhenIdle(layout.id)) {
            minamo::placeControl(makeControl(layout, client), layout, scale);
        }
    }

    window.setFixedSize(size);
    if (probe) {
        probe->watch(&window);
    }
    // Brought to the front and activated as the program's window is, and as a window
    // manager does with any new window (Xvfb runs none): both pay for the window's focus.
    window.show();
    window.raise();
    window.activateWindow();
    return app.exec();
}
