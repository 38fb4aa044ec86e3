// The drill as a screen reader meets it, through Qt's accessibility interface (no bus): the
// picture areas' names, roles and texts after a problem, a miss and a right answer, and the
// keyboard's way on after a miss. (Without a bus Qt tells no changes; the system test
// accessibility_test.sh sees them on the real one.)

#include "fake/fake_platform.h"
#include "fake/qstring_printer.h"
#include "drill_program/main_window.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QStringEncoder>
#include <QTest>
#include <gtest/gtest.h>

namespace minamo {
namespace {

// 分数問題 → 基本1 in bank order: the family file holds a record of another set only.
struct SpokenWindow {
    SpokenWindow() : window({files, clock, random, lock}) {
        files.files.insert(
            files.currentDirectory_ + QStringLiteral("/方程式分数.txt"),
            QStringEncoder("Shift_JIS")
                .encode(QStringLiteral("2026/12/01\r\n10,261201#方程式分数2.txt\r\n")));
        loaded = window.load();
        window.show();
        QApplication::processEvents();
        window.activateWindow();
    }
    QAccessibleInterface* accessible(ControlId id) {
        return QAccessible::queryAccessibleInterface(window.controlWidget(id));
    }
    QString read(ControlId id) {
        QAccessibleTextInterface* text = accessible(id)->textInterface();
        return text ? text->text(0, text->characterCount()) : QStringLiteral("(no text)");
    }
    QWidget* focused() { return QApplication::focusWidget(); }
    QWidget* widget(ControlId id) { return window.controlWidget(id); }
    void type(const QString& keys) {
        QTest::keyClicks(window.answerBox(), keys);
        QTest::keyClick(window.answerBox(), Qt::Key_Return);
    }

    FakeFileSystem files;
    FakeClock clock;
    FakeRandom random;
    FakeInstanceLock lock;
    MainWindow window;
    bool loaded = false;
};

TEST(Accessibility, PictureAreasReadWhatTheyShow) {
    SpokenWindow w;
    ASSERT_TRUE(w.loaded);
    using enum ControlId;
    const struct {
        ControlId id;
        const char* name;
        QAccessible::Role role;
    } areas[] = {{Picture2, "問題", QAccessible::EditableText},
                 {Picture3, "答え", QAccessible::EditableText},
                 {Picture4, "正しい答え", QAccessible::EditableText},
                 {Picture7, "解き方", QAccessible::EditableText},
                 {Picture1, "記録のグラフ", QAccessible::Chart}};
    for (const auto& area : areas) {
        EXPECT_EQ(w.accessible(area.id)->text(QAccessible::Name), QString::fromUtf8(area.name));
        EXPECT_EQ(w.accessible(area.id)->role(), area.role);
        EXPECT_TRUE(w.accessible(area.id)->state().readOnly);
    }
    EXPECT_EQ(w.read(Picture2), QStringLiteral("問題をくーれ"));

    w.window.menuAction(QStringLiteral("bmojisikik1"))->trigger();
    EXPECT_EQ(w.read(Picture2), QStringLiteral("3分の1x=2 方程式を解いて。"));

    // A miss: the typed answer, the expected one and the worked solution, line by line.
    w.type(QStringLiteral("x=5"));
    EXPECT_EQ(w.read(Picture3), QStringLiteral("x=5"));
    EXPECT_EQ(w.read(Picture4), QStringLiteral("x=6"));
    EXPECT_EQ(w.read(Picture7), QStringLiteral("3分の1x=1分の2\n3分の1x=3分の6\n1x=6\nx=6"));

    // The way on by keyboard: Tab to 確認 and ていせい, 消す (hidden) passed over.
    EXPECT_EQ(w.focused(), w.window.answerBox());
    const std::pair<Qt::Key, ControlId> chain[] = {{Qt::Key_Tab, Command3},
                                                   {Qt::Key_Tab, Command1},
                                                   {Qt::Key_Tab, Text2},
                                                   {Qt::Key_Backtab, Command1},
                                                   {Qt::Key_Backtab, Command3}};
    for (const auto& [key, next] : chain) {
        QTest::keyClick(w.focused(), key);
        // The countdown's tick leaves the focus where Tab put it.
        w.window.form().Timer1_Timer();
        EXPECT_EQ(w.focused(), w.widget(next)) << controlSpec(next).name.toStdString();
    }
    QTest::keyClick(w.focused(), Qt::Key_Space);
    EXPECT_EQ(w.focused(), w.window.answerBox());
    EXPECT_TRUE(w.widget(Command3)->isHidden());
    EXPECT_EQ(w.read(Picture2), QStringLiteral("2分の1x=-4 方程式を解いて。"));
    EXPECT_EQ(w.read(Picture7), QString());
    EXPECT_EQ(w.read(Picture3), QString());

    // A right answer: the next problem, the answer area emptied.
    w.type(QStringLiteral("x=-8"));
    EXPECT_EQ(w.read(Picture2), QStringLiteral("-4分の1x=2 方程式を解いて。"));
    EXPECT_EQ(w.read(Picture3), QString());

    // ていせい by Enter empties the entry and gives the focus back; the answer area keeps
    // its drawing (nothing is redrawn), and so its text, until the next key.
    w.type(QStringLiteral("x=-3/8"));
    EXPECT_EQ(w.read(Picture3), QStringLiteral("x=-3分の8"));
    QTest::keyClick(w.focused(), Qt::Key_Tab);
    QTest::keyClick(w.focused(), Qt::Key_Tab);
    ASSERT_EQ(w.focused(), w.widget(Command1));
    QTest::keyClick(w.focused(), Qt::Key_Return);
    EXPECT_EQ(w.focused(), w.window.answerBox());
    EXPECT_EQ(w.window.answerBox()->text(), QString());
    EXPECT_EQ(w.read(Picture3), QStringLiteral("x=-3分の8"));
}

} // namespace
} // namespace minamo
