// The floor of the start-up benchmarks: the least a Qt window does to look like the
// program's idle window — the program's size, its style and fonts (through the same
// substitution), a menu bar, labels and line edits with Japanese text and one widget that
// paints Japanese text itself, shown in front and active. Timed by the same probe as the program
// (MINAMO_STARTUP_PROBE, see StartupProbe).
// Usage: bench-floor-window [WIDTHxHEIGHT]

#include "platform/qt/fonts.h"
#include "platform/qt/startup_probe.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QStyleFactory>
#include <chrono>

namespace {

// Paints its text itself, as the program's picture areas do.
class PaintedText : public QWidget {
public:
    PaintedText(const QString& text, QWidget* parent) : QWidget(parent), text_(text) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(192, 255, 255));
        painter.setFont(minamo::designFont(QStringLiteral("MS PGothic"), 20.25));
        painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop, text_);
    }

private:
    QString text_;
};

} // namespace

int main(int argc, char** argv) {
    const auto entered = std::chrono::steady_clock::now();
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    minamo::installFontSubstitutions();
    QApplication::setFont(minamo::designFont(QStringLiteral("MS PGothic"), 10));

    QSize size(693, 505);
    if (argc > 1) {
        const QStringList parts = QString::fromLocal8Bit(argv[1]).split(u'x');
        if (parts.size() == 2 && parts[0].toInt() > 0 && parts[1].toInt() > 0) {
            size = QSize(parts[0].toInt(), parts[1].toInt());
        }
    }

    const auto probe = minamo::StartupProbe::fromEnvironment(entered);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("floor window"));
    for (const char16_t* title : {u"方程式基本", u"方程式標準", u"分数問題"}) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromUtf16(title));
        menu->addAction(QStringLiteral("基本1"));
        menu->addAction(QStringLiteral("標準2"));
    }
    auto* client = new QWidget(&window);
    window.setCentralWidget(client);

    auto* problem = new PaintedText(QStringLiteral("問題をくーれ"), client);
    problem->setGeometry(0, 0, 585, 441);
    int top = 8;
    for (const char16_t* caption : {u"得点", u"正解", u"ミス"}) {
        auto* label = new QLabel(QString::fromUtf16(caption), client);
        label->setFont(minamo::designFont(QStringLiteral("MS PGothic"), 18));
        label->setGeometry(590, top, 80, 30);
        top += 40;
    }
    for (const char16_t* text : {u"1", u"ｘ＝"}) {
        auto* edit = new QLineEdit(QString::fromUtf16(text), client);
        edit->setFont(minamo::designFont(QStringLiteral("MS PGothic"), 20.25));
        edit->setGeometry(590, top, 90, 40);
        top += 50;
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
