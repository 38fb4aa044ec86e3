// A plain QLineEdit alone in a window, the input-method test's control: it shows that the
// input method composes in an ordinary box. Prints the box's text when Return reaches the
// box, and ends.
#include <QApplication>
#include <QLineEdit>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLineEdit box;
    box.setWindowTitle(QStringLiteral("plain-box"));
    QObject::connect(&box, &QLineEdit::returnPressed, &app, [&] {
        std::printf("%s\n", box.text().toUtf8().constData());
        std::fflush(stdout);
        QApplication::quit();
    });
    box.resize(200, 40);
    box.show();
    box.activateWindow();
    return QApplication::exec();
}
