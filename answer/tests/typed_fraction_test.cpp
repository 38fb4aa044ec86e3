#include "answer/typed_fraction.h"
#include "fake/fake_drill.h"
#include "fake/qstring_printer.h"

#include <gtest/gtest.h>

namespace minamo {
namespace {

// Prints and lines only, as the draw log writes them without font and colour.
QStringList drawn(const FakePictureArea& area) {
    QStringList lines;
    for (const DrawOp& op : area.ops()) {
        if (op.kind == DrawOp::Kind::Print) {
            lines << QStringLiteral("print (%1,%2) \"%3\"%4")
                         .arg(logNumber(op.x), logNumber(op.y), op.text,
                              op.end == LineEnd::Break ? QStringLiteral(" break") : QString());
        } else if (op.kind == DrawOp::Kind::Line) {
            lines << op.toString();
        }
    }
    return lines;
}

struct FractionRig {
    FakeDrill f;
    DrillState& s = f.s();
    FakePictureArea& picture3 = f.fake.picture3;

    void term(const char* sign, const char* numerator, const char* denominator, int x, int y,
              int highlight = 0) {
        s.termSign = QString::fromUtf8(sign);
        s.termNumerator = QString::fromUtf8(numerator);
        s.termDenominator = QString::fromUtf8(denominator);
        s.layoutX = static_cast<int16>(x);
        s.layoutY = static_cast<int16>(y);
        s.termHighlight = static_cast<int16>(highlight);
    }
    void show(const char* text) {
        s.answerLayoutText = QString::fromUtf8(text);
        s.layoutX = 0;
        s.layoutY = 0;
        showFractionAnswer(f.d());
    }
};

TEST(ShowFractionAnswer, MinusEightThirdsAtTheOrigin) {
    FractionRig r;
    r.show("x=-8/3");
    // a = 1180: the lead starts at 100 and is 1080 twips wide.
    EXPECT_EQ(drawn(r.picture3),
              (QStringList{"print (100,300) \"x=-\"", "print (1080,50) \" 8\"",
                           "line (1230,750)-(1670,750) #000000", "print (1280,700) \"3\""}));
    EXPECT_EQ(r.s.layoutX, 1670);
    EXPECT_EQ(r.s.layoutY, 0);
    EXPECT_EQ(r.s.termHighlight, 0);
}

TEST(ShowFractionAnswer, LeadsAndFirstTerms) {
    struct Case {
        const char* text;
        QStringList drawing;
    };
    const Case cases[] = {
        // Right after "/": the lead, no numerator, the bar and the denominator.
        {"x=-/3",
         {"print (100,300) \"x=-\"", "line (1230,750)-(1670,750) #000000",
          "print (1280,700) \"3\""}},
        {"x=9/4",
         {"print (100,300) \"x=\"", "print (720,50) \" 9\"", "line (870,750)-(1310,750) #000000",
          "print (920,700) \"4\""}},
        {"9/2",
         {"print (100,300) \"\"", "print (0,50) \" 9\"", "line (150,750)-(590,750) #000000",
          "print (200,700) \"2\""}},
        // An empty denominator still has a bar, 90 twips long.
        {"5/",
         {"print (100,300) \"\"", "print (0,50) \" 5\"", "line (150,750)-(240,750) #000000",
          "print (200,700) \"\""}},
        // A first term without "/" shows only the lead and the short bar.
        {"x=5+1/2",
         {"print (100,300) \"x=\"", "line (870,750)-(960,750) #000000", "print (920,700) \"\"",
          "print (1060,300) \"+\"", "print (1320,50) \" 1\"", "line (1470,750)-(1910,750) #000000",
          "print (1520,700) \"2\""}},
        {"x=-12/35",
         {"print (100,300) \"x=-\"", "print (1080,50) \" 12\"",
          "line (1230,750)-(2020,750) #000000", "print (1280,700) \"35\""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        FractionRig r;
        r.show(c.text);
        EXPECT_EQ(drawn(r.picture3), c.drawing);
    }
}

TEST(ShowFractionAnswer, LoneSignAfterAFractionCommitsTheTypedText) {
    FractionRig r;
    r.s.answerText = QStringLiteral("2/3+");
    r.s.typedNumerator = QStringLiteral("2");
    r.show("2/3+");
    EXPECT_EQ(r.s.answerHead, QStringLiteral("2/3+"));
    EXPECT_EQ(r.s.answerText, QString());
    EXPECT_EQ(r.s.typedNumerator, QString());
    // The sign follows the fraction's bar, which ends at 590.
    EXPECT_EQ(drawn(r.picture3).last(), QStringLiteral("print (690,400) \"+\" break"));

    // A head that is already there stays as it is.
    FractionRig held;
    held.s.answerHead = QStringLiteral("5/6-");
    held.s.answerText = QStringLiteral("+");
    held.show("5/6-+");
    EXPECT_EQ(held.s.answerHead, QStringLiteral("5/6-"));
    EXPECT_EQ(held.s.answerText, QString());
}

TEST(ShowFractionAnswer, SecondAndThirdTerms) {
    struct Case {
        const char* head;
        const char* text;
        QStringList texts; // printed since the start, in order
    };
    const Case cases[] = {
        {"", "1/2-3/4", {"", " 1", "2", "-", " 3", "4"}},
        // A zero numerator is drawn empty in the second term, as 0 in the third.
        {"", "1/2+0/3", {"", " 1", "2", "+", "3"}},
        {"", "1/2+1/3+0/5", {"", " 1", "2", "+", " 1", "3", "+", " 0", "5"}},
        {"", "1/2+1/3-5/6", {"", " 1", "2", "+", " 1", "3", "-", " 5", "6"}},
        {"", "1/2+1/3=5/6", {"", " 1", "2", "+", " 1", "3", "=", " 5", "6"}},
        // Without a numerator the second term takes its sign from the head.
        {"2/3-", "/4", {"", " 2", "3", "-", "4"}},
        // A "y" keeps the numerator as typed.
        {"", "1/2+3y/4", {"", " 1", "2", "+", "3y", "4"}},
        // Terms without a fraction are printed whole.
        {"", "1/2+5", {"", " 1", "2", "+5"}},
        {"", "1/2+1/3-5", {"", " 1", "2", "+", " 1", "3", "-5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        FractionRig r;
        r.s.answerHead = QString::fromUtf8(c.head);
        r.s.answerText = QString::fromUtf8(c.text);
        r.show((QString::fromUtf8(c.head) + QString::fromUtf8(c.text)).toUtf8().constData());
        EXPECT_EQ(r.picture3.printedTexts(), c.texts);
    }
}

TEST(ShowFractionAnswer, EqualsAsThirdTermCommits) {
    FractionRig r;
    r.s.answerText = QStringLiteral("1/2+1/3=");
    r.show("1/2+1/3=");
    EXPECT_EQ(r.s.answerHead, QStringLiteral("1/2+1/3="));
    EXPECT_EQ(r.s.answerText, QString());
}

TEST(ShowFractionAnswer, SecondTermFollowsTheFirstBar) {
    FractionRig r;
    r.show("1/2-3/4");
    const QStringList lines = drawn(r.picture3);
    // Term 1 ends its bar at 590; term 2's lead starts 100 further right.
    EXPECT_EQ(lines[4], QStringLiteral("print (690,300) \"-\""));
    EXPECT_EQ(lines[5], QStringLiteral("print (950,50) \" 3\""));
    EXPECT_EQ(lines[6], QStringLiteral("line (1100,750)-(1540,750) #000000"));
    EXPECT_EQ(r.s.layoutX, 1540);
}

TEST(EntryFraction, PositionsFromTheOrigin) {
    FractionRig r;
    r.term("x=-", "8", "3", 40, 200);
    drawEntryFraction(r.f.d());
    // a = 1120: the lead's width and its 40-twip margin.
    EXPECT_EQ(drawn(r.picture3),
              (QStringList{"print (80,500) \"x=-\"", "print (1020,50) \" 8\"",
                           "line (1170,950)-(1840,950) #000000", "print (1300,1000) \"3\" break"}));
    EXPECT_EQ(r.s.layoutX, 40);
    EXPECT_EQ(r.s.layoutY, 500);
}

TEST(EntryFraction, WrittenOutNumeratorsAndNoBar) {
    struct Case {
        const char* sign;
        const char* numerator;
        const char* denominator;
        int highlight;
        QStringList drawing;
        int layoutYAfter;
        int highlightAfter;
    };
    const Case cases[] = {
        {"x=",
         "8x",
         "3",
         1,
         {"print (80,500) \"x=\"", "print (660,210) \"8x\"", "line (810,950)-(1480,950) #000000",
          "print (940,1000) \"3\" break"},
         500,
         1},
        {"",
         "-2",
         "5",
         0,
         {"print (80,500) \"\"", "print (180,210) \"-2\"", "line (90,950)-(760,950) #000000",
          "print (220,1000) \"5\" break"},
         500,
         0},
        // Denominator "0": lead and numerator on one line, nothing else.
        {"+", "2x", "0", 0, {"print (80,500) \"+\"", "print (540,500) \"2x\""}, 200, 0},
        {"+", "7", "0", 1, {"print (80,500) \"+\"", "print (300,50) \" 7\""}, 200, 1},
        // A "y" is not written out here, unlike the finished fraction.
        {"",
         "3y",
         "4",
         0,
         {"print (80,500) \"\"", "print (-60,50) \" 3\"", "line (90,950)-(760,950) #000000",
          "print (220,1000) \"4\" break"},
         500,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.numerator);
        FractionRig r;
        r.term(c.sign, c.numerator, c.denominator, 40, 200, c.highlight);
        drawEntryFraction(r.f.d());
        EXPECT_EQ(drawn(r.picture3), c.drawing);
        EXPECT_EQ(r.s.layoutX, 40);
        EXPECT_EQ(r.s.layoutY, c.layoutYAfter);
        EXPECT_EQ(r.s.termHighlight, c.highlightAfter);
    }
}

TEST(TypedFractions, SignCleanUpIsStoredBack) {
    const std::pair<const char*, const char*> cases[] = {
        {"-0", "-"}, {"+0", "+"}, {"=0", "="}, {"0", ""}, {"x=-", "x=-"}, {"-00", "-00"},
    };
    for (const auto& [sign, cleaned] : cases) {
        SCOPED_TRACE(sign);
        for (auto draw : {drawEntryFraction, drawAnswerFraction}) {
            FractionRig r;
            r.term(sign, "1", "2", 0, 0);
            draw(r.f.d());
            EXPECT_EQ(r.s.termSign, QString::fromUtf8(cleaned));
            EXPECT_EQ(r.picture3.printedTexts().front(), QString::fromUtf8(cleaned));
        }
    }
}

TEST(AnswerFraction, LeadingMinusOfTheNumeratorIsDropped) {
    FractionRig r;
    r.term("-", "-5", "2", 0, 0);
    drawAnswerFraction(r.f.d());
    EXPECT_EQ(r.s.termNumerator, QStringLiteral("5"));
    EXPECT_EQ(r.picture3.printedTexts(), (QStringList{"-", " 5", "2"}));
}

TEST(AnswerFraction, WrittenOutNumeratorStartsFromTheWiderPart) {
    struct Case {
        const char* numerator;
        const char* denominator;
        int highlight;
        int x; // a = 820 after the lead "x="
    };
    const Case cases[] = {
        {"2x", "13", 0, 1170},      // equally long: w = 2
        {"2x", "3", 0, 1220},       // the longer less one: w = 1
        {"3y", "3", 0, 1220},       // "y" is written out too
        {"2x", "3", 1, 980},        // highlighted: 240 further left
        {"123456x", "3", 0, 1070},  // w = 6, less two: 4
        {"12345x", "3", 0, 1020},   // w = 5
        {"x", "123456789", 0, 970}, // w = 8, less two: 6
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.numerator);
        FractionRig r;
        r.term("x=", c.numerator, c.denominator, 0, 0, c.highlight);
        drawAnswerFraction(r.f.d());
        const QStringList lines = drawn(r.picture3);
        ASSERT_GE(lines.size(), 2);
        EXPECT_EQ(lines[1], QStringLiteral("print (%1,50) \"%2\"").arg(c.x).arg(c.numerator));
    }
}

TEST(AnswerFraction, DenominatorZeroDrawsNoBarAndKeepsTheOrigin) {
    FractionRig r;
    r.term("=", "4x", "0", 300, 20, 1);
    drawAnswerFraction(r.f.d());
    // a = 760: the lead at x = 400 is one character wide.
    EXPECT_EQ(drawn(r.picture3), (QStringList{"print (400,320) \"=\"", "print (920,70) \"4x\""}));
    EXPECT_EQ(r.s.layoutX, 300);
    EXPECT_EQ(r.s.layoutY, 20);
    EXPECT_EQ(r.s.termHighlight, 1);
}

TEST(TypedFractions, RootOverlines) {
    struct Case {
        void (*draw)(Drill&);
        const char* sign;
        const char* numerator;
        const char* denominator;
        int x, y, highlight;
        QStringList drawing;
    };
    const Case cases[] = {
        // Root at the start of a highlighted numerator: red, 50 further right.
        {drawAnswerFraction,
         "x=",
         "√2",
         "3",
         0,
         0,
         1,
         {"print (100,300) \"x=\"", "print (980,280) \"√2\"", "line (1760,40)-(2070,40) #ff0000",
          "line (870,750)-(1310,750) #000000", "print (920,700) \"3\""}},
        // Root inside, no bar: the overline 290 lower.
        {drawEntryFraction,
         "",
         "2√3",
         "0",
         40,
         200,
         0,
         {"print (80,500) \"\"", "print (180,500) \"2√3\"", "line (1270,530)-(1580,530) #000000"}},
        // A root in the denominator gets its own overline below.
        {drawAnswerFraction,
         "",
         "1",
         "√3",
         0,
         0,
         0,
         {"print (100,300) \"\"", "print (0,50) \" 1\"", "line (150,750)-(940,750) #000000",
          "print (200,700) \"√3\"", "line (980,1030)-(1290,1030) #000000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.numerator);
        FractionRig r;
        r.term(c.sign, c.numerator, c.denominator, c.x, c.y, c.highlight);
        c.draw(r.f.d());
        EXPECT_EQ(drawn(r.picture3), c.drawing);
    }
}

} // namespace
} // namespace minamo
