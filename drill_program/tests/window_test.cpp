#include "catalogue/catalogue.h"
#include "design/font_families.h"
#include "design/form_layout.h"
#include "drill_program/main_window.h"
#include "fake/fake_platform.h"
#include "fake/qstring_printer.h"
#include "qt/fonts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <gtest/gtest.h>

namespace minamo {
namespace {

// A real window on the offscreen platform with fake services.
struct RealWindow {
    explicit RealWindow(const DrillOptions& options = {})
        : window({files, clock, random, lock}, options) {}
    FakeFileSystem files;
    FakeClock clock;
    FakeRandom random;
    FakeInstanceLock lock;
    MainWindow window;
};

QColor qcolour(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

TEST(MainWindow, ClientAreaCaptionAndBackground) {
    RealWindow w;
    ASSERT_TRUE(w.window.load());
    const TwipsScale& scale = w.window.scale();
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("ミナモ塾"));
    EXPECT_EQ(w.window.client()->width(), scale.toWholePixels(10395));
    EXPECT_EQ(w.window.client()->height(), scale.toWholePixels(7260));
    if (scale.dpi == 96.0) {
        EXPECT_EQ(w.window.client()->size(), QSize(693, 484));
    }
    EXPECT_EQ(w.window.client()->palette().color(QPalette::Window), QColor(192, 255, 255));
    EXPECT_TRUE(w.window.isVisible());
}

TEST(MainWindow, EveryControlHasItsDesignGeometryTextAndColours) {
    RealWindow w;
    ASSERT_TRUE(w.window.load());
    const TwipsScale& scale = w.window.scale();
    for (const ControlSpec& layout : controlSpecs()) {
        SCOPED_TRACE(layout.name.toStdString());
        QWidget* widget = w.window.controlWidget(layout.id);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->objectName(), layout.name);
        EXPECT_EQ(widget->geometry(),
                  QRect(scale.toWholePixels(layout.left), scale.toWholePixels(layout.top),
                        scale.toWholePixels(layout.width), scale.toWholePixels(layout.height)));
        if (layout.kind == ControlKind::Picture) {
            const QtPictureArea& area = w.window.picture(layout.id);
            EXPECT_EQ(area.fontName(),
                      layout.font ? layout.font->name : QStringLiteral("MS Sans Serif"));
            EXPECT_EQ(area.foreColor(), layout.fore.value_or(colour::windowText));
            EXPECT_EQ(area.image().pixelColor(2, 2),
                      qcolour(layout.back.value_or(colour::lightCyan)));
        } else if (layout.font) {
            EXPECT_EQ(widget->font().family(), font::installedFamily(layout.font->name));
            EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), layout.font->points);
            EXPECT_EQ(widget->font().bold(), layout.font->weight == FontWeight::Bold);
        }
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_EQ(label->text(), layout.caption);
            if (layout.fore) {
                EXPECT_EQ(label->palette().color(QPalette::WindowText), qcolour(*layout.fore));
            }
        }
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            EXPECT_EQ(button->text(), layout.caption);
            ASSERT_TRUE(layout.back.has_value());
            EXPECT_EQ(button->palette().color(QPalette::Button), qcolour(*layout.back));
        }
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            EXPECT_EQ(edit->text(), layout.id == ControlId::Text2 ? QString() : layout.caption);
            if (layout.back) {
                EXPECT_EQ(edit->palette().color(QPalette::Base), qcolour(*layout.back));
            }
        }
    }
}

TEST(MainWindow, StartupVisibilityAndFocus) {
    RealWindow w;
    ASSERT_TRUE(w.window.load());
    using enum ControlId;
    for (ControlId hidden : {Picture1, Command2, Command3, Label12, Label13, Label14}) {
        EXPECT_TRUE(w.window.controlWidget(hidden)->isHidden())
            << controlSpec(hidden).name.toStdString();
    }
    for (ControlId shown : {Picture2, Picture3, Picture4, Picture5, Picture7, Text1, Text2, Text4,
                            Label2, Label9, Command1}) {
        EXPECT_FALSE(w.window.controlWidget(shown)->isHidden())
            << controlSpec(shown).name.toStdString();
    }
    QApplication::processEvents();
    w.window.activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), w.window.controlWidget(Text2));
}

TEST(MainWindow, StackingOrderFrontToBack) {
    RealWindow w;
    const QObjectList& children = w.window.client()->children();
    auto stackIndex = [&](ControlId id) {
        return children.indexOf(w.window.controlWidget(id)); // later children are in front
    };
    const auto order = stackingFrontToBack();
    for (std::size_t i = 1; i < order.size(); ++i) {
        EXPECT_GT(stackIndex(order[i - 1]), stackIndex(order[i]))
            << controlSpec(order[i - 1]).name.toStdString() << " must be in front of "
            << controlSpec(order[i]).name.toStdString();
    }
    // Labels lie behind every control with a window of its own.
    EXPECT_LT(stackIndex(ControlId::Label2), stackIndex(ControlId::Text2));
}

TEST(MainWindow, MenuTreeWithChoosableAndGreyedEntries) {
    RealWindow w;
    const QList<QAction*> top = w.window.menuBar()->actions();
    ASSERT_EQ(top.size(), 6);
    const QStringList captions{QStringLiteral("方程式基本"), QStringLiteral("方程式標準"),
                               QStringLiteral("方程式複雑"), QStringLiteral("分数問題"),
                               QStringLiteral("文章問題1"),  QStringLiteral("文章問題2")};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(top[i]->text(), captions[i]);
    }
    int choosable = 0;
    int greyed = 0;
    for (const MenuSpec& menu : menus()) {
        for (const CatalogueEntry& item : menu.entries) {
            QAction* action = w.window.menuAction(item.name);
            ASSERT_NE(action, nullptr) << item.name.toStdString();
            EXPECT_EQ(action->text(), item.caption);
            EXPECT_EQ(action->isEnabled(), item.choosable(Numbers::Bank));
            (action->isEnabled() ? choosable : greyed)++;
        }
    }
    EXPECT_EQ(choosable, 16);
    EXPECT_EQ(greyed, 12);
    EXPECT_EQ(w.window.menuAction(QStringLiteral("tosiki1"))->text(), QStringLiteral("基本１"));
    EXPECT_EQ(w.window.menuAction(QStringLiteral("buntani"))->text(), QStringLiteral("難問１"));
    EXPECT_FALSE(w.window.menuAction(QStringLiteral("hbunbig2"))->isEnabled());
}

TEST(MainWindow, JapaneseCaptionsUseAnInstalledJapaneseFont) {
    RealWindow w;
    const QFont font = designFont(QStringLiteral("ＭＳ Ｐゴシック"), 20.25);
    const QFontInfo info(font);
    EXPECT_EQ(info.family(), QStringLiteral("IPAPGothic"));
    const QFontInfo gothic(designFont(QStringLiteral("MS Gothic"), 21.75));
    EXPECT_EQ(gothic.family(), QStringLiteral("IPAGothic"));
    EXPECT_TRUE(QFontMetricsF(font).inFontUcs4(U'問'));
}

} // namespace
} // namespace minamo

namespace minamo {
namespace {

// The plain program keeps the design's placeholder texts; the fresh edition shows the
// drill's length and empty boxes (build/screenshots/idle-window-fresh.png).
TEST(MainWindow, IdleWindowOfEachEdition) {
    const struct {
        Numbers numbers;
        const char* text1;
        const char* label2;
        const char* text4;
    } editions[] = {
        {Numbers::Bank, "Text1", "Label2", "Text4"},
        {Numbers::Fresh, "", "10:00", ""},
    };
    for (const auto& e : editions) {
        RealWindow w({.numbers = e.numbers});
        ASSERT_TRUE(w.window.load());
        QApplication::processEvents();
        using enum ControlId;
        const auto text = [&](ControlId id) {
            return qobject_cast<QLineEdit*>(w.window.controlWidget(id))->text();
        };
        EXPECT_EQ(text(Text1), QString::fromUtf8(e.text1));
        EXPECT_EQ(qobject_cast<QLabel*>(w.window.controlWidget(Label2))->text(),
                  QString::fromUtf8(e.label2));
        EXPECT_EQ(text(Text4), QString::fromUtf8(e.text4));
        if (e.numbers == Numbers::Fresh) {
            const QString folder = QStringLiteral(MINAMO_BUILD_DIR "/screenshots");
            QDir().mkpath(folder);
            ASSERT_TRUE(w.window.grab().save(folder + QStringLiteral("/idle-window-fresh.png")));
        }
    }
}

// Saves the idle window for review (build/screenshots/idle-window.png).
TEST(MainWindow, IdleWindowScreenshot) {
    RealWindow w;
    ASSERT_TRUE(w.window.load());
    QApplication::processEvents();
    const QString folder = QStringLiteral(MINAMO_BUILD_DIR "/screenshots");
    QDir().mkpath(folder);
    const QPixmap shot = w.window.grab();
    ASSERT_TRUE(shot.save(folder + QStringLiteral("/idle-window.png")));
    // The problem area holds the invitation: some pixels are dark text on the light cyan.
    const QImage image = w.window.picture(ControlId::Picture2).image();
    int dark = 0;
    for (int y = 0; y < 40 * image.devicePixelRatio(); ++y) {
        for (int x = 0; x < 200 * image.devicePixelRatio(); ++x) {
            dark += qGray(image.pixel(x, y)) < 100;
        }
    }
    EXPECT_GT(dark, 50);
}

} // namespace
} // namespace minamo
