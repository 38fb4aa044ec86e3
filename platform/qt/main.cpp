#include "platform/qt/fonts.h"
#include "platform/qt/main_window.h"
#include "platform/system_services.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("minamo-drill"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    minamo::installFontSubstitutions();
    QApplication::setFont(minamo::designFont(QStringLiteral("MS PGothic"), 10));

    minamo::LocalFileSystem files(QCoreApplication::applicationDirPath());
    minamo::SystemClock clock;
    minamo::SeededRandom random(minamo::SeededRandom::seedFromClock());
    minamo::LockFileInstance lock;

    minamo::MainWindow window({files, clock, random, lock});
    if (!window.load()) {
        return 0; // another copy runs: end at once, silently
    }
    return app.exec();
}
