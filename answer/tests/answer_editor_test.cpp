#include "answer/answer_editor.h"
#include "banks/banks.h"
#include "catalogue/catalogue.h"
#include "fake/fake_drill.h"
#include "fake/key_notation.h"
#include "fake/qstring_printer.h"
#include "platform/key_codes.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <set>

namespace minamo {
namespace {

// The answer box as it stands right after a problem has been presented.
struct Editor {
    FakeDrill f;
    DrillState& s = f.s();
    FakePlatform& fake = f.fake;

    int16 key(int16 code) { return takeAnswerKey(f.d(), code); }
    int16 press(int16 code) {
        return pressKey(
            fake, [this](int16 code) { return key(code); }, code);
    }
    // Every key in the notation of the trace tool (\b Backspace, \t Tab, \xNN a code).
    void type(const QString& keys) {
        for (const int16 code : parseKeyNotation(keys)) {
            press(code);
        }
    }
    // Text4 after each key.
    QStringList mirrored(const QString& keys) {
        QStringList after;
        for (const int16 code : parseKeyNotation(keys)) {
            press(code);
            after << fake.text4.text();
        }
        return after;
    }
};

TEST(AnswerEditor, WorkedExamplesKeyByKey) {
    struct Case {
        const char* keys;
        QStringList text4;
    };
    const Case cases[] = {
        {"x=5", {"x", "x=", "x=5"}},
        {"x=-3/8", {"x", "x=", "x=-", "x=-3", "x=-/3", "x=-8/3"}},
        // Numerator first gives the other fraction.
        {"x=-8/3", {"x", "x=", "x=-", "x=-8", "x=-/8", "x=-3/8"}},
        {"2/9", {"2", "/2", "9/2"}},
        {"x2", {"x", "x^2"}},
        {"x=-3/12", {"x", "x=", "x=-", "x=-3", "x=-/3", "x=-1/3", "x=-12/3"}},
        {"x=4/9", {"x", "x=", "x=4", "x=/4", "x=9/4"}},
        // "=" clears the exponent state: a digit after it is an ordinary digit.
        {"x=2", {"x", "x=", "x=2"}},
        {"X=5", {"x", "x=", "x=5"}},
        {"Y2", {"y", "y^2"}},
        {"(x)2", {"(", "(x", "(x)", "(x)^2"}},
        {"2*3", {"2", "2×", "2×3"}},
        {"r2", {"√", "√2"}},
        {"90d", {"9", "90", "90°"}},
        // "^" stores nothing but makes the next digit an exponent.
        {"2^3", {"2", "2", "2^3"}},
        // An exponent goes with its caret and its base.
        {"x2\\b", {"x", "x^2", ""}},
        {"3x2\\b", {"3", "3x", "3x^2", "3"}},
        // Letters that are not answer letters are swallowed.
        {"xcz=5", {"x", "x", "x", "x=", "x=5"}},
        {"AbF;,", {"A", "Ab", "AbF", "AbF;", "AbF;,"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        Editor e;
        EXPECT_EQ(e.mirrored(QString::fromUtf8(c.keys)), c.text4);
        EXPECT_EQ(e.s.answerText, c.text4.last());
    }
}

TEST(AnswerEditor, KeysThatChangeTheTextAreConsumed) {
    struct Case {
        const char* before;
        int16 key;
        int16 returned;
    };
    const Case cases[] = {
        {"", 'x', 0},         {"x", '=', 0},    {"x", '2', 0},       {"x=-3", '/', 0},
        {"x=-3/", '8', 0},    {"2/", '9', '9'}, {"", '/', 0},        {"x=-3/", '/', '/'},
        {"x=", 'c', 0},       {"x=5", 8, 0},    {"x=-3/", ' ', ' '}, {"x=-3/", 'c', 'c'},
        {"x=-3/8", 'x', 'x'}, {"-3", '/', 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.before) + " then " + std::to_string(c.key));
        Editor e;
        e.type(QString::fromUtf8(c.before));
        EXPECT_EQ(e.key(c.key), c.returned);
    }
}

TEST(AnswerEditor, FinalDisplayOfMinusEightThirds) {
    Editor e;
    e.type(QStringLiteral("x=-3/"));
    e.fake.picture3.forgetLog();
    e.press('8');
    QStringList lines;
    for (const DrawOp& op : e.fake.picture3.drawing()) {
        lines << op.toString();
    }
    EXPECT_EQ(lines, (QStringList{"clear", "print (140,500) \"x=-\" stay MS PGothic 36 #000000",
                                  "print (1120,50) \" 8\" stay MS PGothic 36 #000000",
                                  "line (1270,750)-(1710,750) #000000",
                                  "print (1320,700) \"3\" stay MS PGothic 36 #000000"}));
    EXPECT_EQ(e.fake.text2.text(), QStringLiteral("x=-8/3"));
}

TEST(AnswerEditor, SlashOnAMinusNumberDrawsTheBarThenThePlainText) {
    Editor e;
    e.type(QStringLiteral("-3"));
    e.fake.picture3.forgetLog();
    e.press('/');
    const std::vector<DrawOp> drawing = e.fake.picture3.drawing();
    ASSERT_GE(drawing.size(), 4u);
    EXPECT_EQ(drawing.front().kind, DrawOp::Kind::Clear);
    EXPECT_EQ(drawing[1].text, QStringLiteral("-"));
    EXPECT_EQ(drawing[2].kind, DrawOp::Kind::Line);
    EXPECT_EQ(drawing.back().toString(),
              QStringLiteral("print (0,0) \"-3\" break MS PGothic 36 #000000"));
    EXPECT_EQ(e.s.answerText, QStringLiteral("-3"));
    EXPECT_EQ(e.s.fractionMode, 1);
    e.press('8');
    EXPECT_EQ(e.fake.text4.text(), QStringLiteral("-8/3"));
    // The numerator grows behind the sign; the denominator stays.
    e.press('5');
    EXPECT_EQ(e.fake.text4.text(), QStringLiteral("-85/3"));
}

TEST(AnswerEditor, SlashOnAnEmptyAnswerOnlySwitchesFractionModeOn) {
    Editor e;
    EXPECT_EQ(e.press('/'), 0);
    EXPECT_EQ(e.s.answerText, QString());
    EXPECT_EQ(e.fake.text4.text(), QString());
    EXPECT_EQ(e.s.fractionMode, 1);
    e.press('5');
    EXPECT_EQ(e.s.answerText, QStringLiteral("5/"));
}

// What a right answer and the presentation of the next problem reset in the editor.
void presentNextProblem(Editor& e) {
    DrillState& s = e.s;
    s.answerText.clear();
    s.exponentReady = 0;
    s.termNumerator.clear();
    s.termDenominator.clear();
    s.typedNumerator.clear();
    s.fractionMode = 0;
    s.layoutX = 0;
    s.layoutY = 0;
    s.fractionSuffix.clear();
    e.fake.picture3.clear();
    e.fake.text2.setText(QString());
}

TEST(AnswerEditor, NothingOfAnEarlierFractionComesBack) {
    // The sign and denominator of the problem before stay in the state.
    Editor next;
    next.type(QStringLiteral("x=4/9"));
    presentNextProblem(next);
    next.type(QStringLiteral("/5"));
    EXPECT_EQ(next.s.answerText, QStringLiteral("5/"));

    // A numerator typed into an earlier fraction of the same entry.
    Editor numerator;
    numerator.type(QStringLiteral("x=4/9=5/7"));
    EXPECT_EQ(numerator.s.answerText, QStringLiteral("x=7/9/4=5"));

    // Text typed after the x of an earlier fraction.
    Editor suffix;
    suffix.type(QStringLiteral("3x/(+"));
    ASSERT_EQ(suffix.s.answerHead, QStringLiteral("/3x(+"));
    suffix.type(QStringLiteral("x=-3/8"));
    EXPECT_EQ(suffix.s.answerText, QStringLiteral("x=-8/3"));
}

TEST(AnswerEditor, SecondSlashInAFractionReachesOnlyTheBox) {
    Editor e;
    e.type(QStringLiteral("x=-3/"));
    const auto opsBefore = e.fake.picture3.ops().size();
    const QString boxBefore = e.fake.text2.text();
    EXPECT_EQ(e.press('/'), '/');
    EXPECT_EQ(e.s.answerText, QStringLiteral("x=-/3"));
    EXPECT_EQ(e.fake.text4.text(), QStringLiteral("x=-/3"));
    EXPECT_EQ(e.fake.picture3.ops().size(), opsBefore);
    EXPECT_EQ(e.fake.text2.text(), boxBefore + QStringLiteral("/"));
}

TEST(AnswerEditor, ControlKeysBlanksAndDoubleByteCharactersDropTheFraction) {
    const int16 dropping[] = {' ',
                              key::tab,
                              key::escape,
                              '!',
                              '\'',
                              keyCodeForCharacter(u'あ'),
                              keyCodeForCharacter(u'５')};
    for (const int16 code : dropping) {
        SCOPED_TRACE(code);
        Editor e;
        e.type(QStringLiteral("x=-3/"));
        e.fake.picture3.forgetLog();
        EXPECT_EQ(e.press(code), code);
        EXPECT_EQ(e.s.answerText, QStringLiteral("x=-"));
        EXPECT_EQ(e.s.fractionMode, 0);
        EXPECT_EQ(e.s.typedDenominator, QString());
        // Picture3 shows the prefix; Text4 keeps the old text until the next key.
        EXPECT_EQ(e.fake.picture3.printedTexts(), QStringList{"x=-"});
        EXPECT_EQ(e.fake.text4.text(), QStringLiteral("x=-/3"));
        e.press('5');
        EXPECT_EQ(e.fake.text4.text(), QStringLiteral("x=-5"));
    }
}

TEST(AnswerEditor, OtherLettersInAFractionReachOnlyTheBox) {
    Editor e;
    e.type(QStringLiteral("x=-3/8"));
    EXPECT_EQ(e.press('c'), 'c');
    EXPECT_EQ(e.s.answerText, QStringLiteral("x=-8/3"));
    EXPECT_EQ(e.fake.text2.text(), QStringLiteral("x=-8/3c"));
    EXPECT_EQ(e.fake.text4.text(), QStringLiteral("x=-8/3"));
}

TEST(AnswerEditor, OtherKeysOutsideAFractionChangeNothing) {
    Editor e;
    e.type(QStringLiteral("x=5"));
    for (const int16 code :
         {int16(' '), int16('c'), key::tab, keyCodeForCharacter(u'あ'), int16('~')}) {
        EXPECT_EQ(e.press(code), 0);
    }
    EXPECT_EQ(e.s.answerText, QStringLiteral("x=5"));
    EXPECT_EQ(e.fake.text2.text(), QStringLiteral("x=5"));
    EXPECT_EQ(e.fake.text4.text(), QStringLiteral("x=5"));
}

TEST(AnswerEditor, FractionsEndAndLettersJoinTheNumerator) {
    struct Case {
        const char* keys;
        const char* answer;
    };
    const Case cases[] = {
        {"x=-3/8x", "x=-8x/3"},
        {"x=-3/8=", "x=-8/3="},
        {"x=-3/8=2", "x=-8/3=2"},
        // "+" and "-" end the fraction and commit the text typed so far.
        {"x=-3/8+", ""},
        {"x=-3/8+1", "1"},
        {"/5", "5/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        Editor e;
        e.type(QString::fromUtf8(c.keys));
        EXPECT_EQ(e.s.answerText, QString::fromUtf8(c.answer));
        EXPECT_EQ(e.fake.text4.text(), QString::fromUtf8(c.answer));
    }
}

TEST(AnswerEditor, CommittedHeadIsShownButNotMirrored) {
    Editor e;
    e.type(QStringLiteral("3/2+"));
    EXPECT_EQ(e.s.answerHead, QStringLiteral("2/3+"));
    EXPECT_EQ(e.fake.text4.text(), QString());
    e.type(QStringLiteral("4/5"));
    EXPECT_EQ(e.s.answerText, QStringLiteral("+5/4"));
    EXPECT_EQ(e.s.answerDisplay, QStringLiteral("2/3+5/4"));
    EXPECT_EQ(e.fake.text4.text(), QStringLiteral("+5/4"));
    EXPECT_EQ(e.fake.picture3.printedTexts(), (QStringList{"", " 2", "3", "+", " 5", "4"}));
    // A lone minus after the head belongs to the head.
    Editor minus;
    minus.type(QStringLiteral("3/2+-"));
    EXPECT_EQ(minus.s.answerHead, QStringLiteral("2/3+-"));
    EXPECT_EQ(minus.s.answerText, QString());
}

TEST(AnswerEditor, DoubleSignsAreShownOnce) {
    struct Case {
        const char* keys;
        const char* answer;
        QStringList shown;
    };
    const Case cases[] = {
        {"x2++3", "x^2++3", {"x", "2", "+3"}},
        {"x2--3", "x^2--3", {"x", "2", "-3"}},
        // Only the first "++" is shortened.
        {"x2+++3", "x^2+++3", {"x", "2", "++3"}},
        {"x2++3++", "x^2++3++", {"x", "2", "+3++"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        Editor e;
        e.type(QString::fromUtf8(c.keys));
        EXPECT_EQ(e.s.answerText, QString::fromUtf8(c.answer));
        EXPECT_EQ(e.fake.text4.text(), QString::fromUtf8(c.answer));
        EXPECT_EQ(e.fake.picture3.printedTexts(), c.shown);
    }
    // Plain text is shown as typed.
    Editor plain;
    plain.type(QStringLiteral("x=--3"));
    EXPECT_EQ(plain.fake.picture3.printedTexts(), QStringList{"x=--3"});
}

TEST(AnswerEditor, Backspace) {
    struct Case {
        const char* keys;
        const char* answer;
        int fractionMode;
    };
    const Case cases[] = {
        {"x=5\\b", "x=", 0},
        {"3x2\\b", "3", 0},
        {"x=x2\\b", "x=", 0},
        {"x\\b", "", 0},
        {"\\b\\b", "", 0},
        // "/2": the leading "/" goes and the fraction ends.
        {"2/\\b", "2", 0},
        // "9/2": the numerator digit goes.
        {"2/9\\b", "/2", 1},
        // "12/5": the second numerator digit goes; the next digit continues from "1".
        {"5/12\\b", "1/5", 1},
        {"5/12\\b3", "13/5", 1},
        // Taking the "/" back ends the fraction: a new "/" starts one again.
        {"x=-3/8\\b\\b/5", "x=-5/3", 1},
        {"/5\\b", "", 1},
        {"/5\\b\\b", "", 0},
        // After a leading "-" the text keeps no "/" until the first numerator digit.
        {"-3/\\b", "-3", 0},
        {"-3/\\b5", "-35", 0},
        {"-3/8\\b", "-3", 1},
        {"-3/8\\b5", "-5/3", 1},
        // A letter joins the numerator in the text only; it goes first.
        {"x=-3/8x\\b", "x=-8/3", 1},
        {"x=-3/85x\\b\\b", "x=-8/3", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        Editor e;
        e.type(QString::fromUtf8(c.keys));
        EXPECT_EQ(e.s.answerText, QString::fromUtf8(c.answer));
        EXPECT_EQ(e.fake.text4.text(), QString::fromUtf8(c.answer));
        EXPECT_EQ(e.s.fractionMode, c.fractionMode);
    }
}

TEST(AnswerEditor, BackspaceOnOneCharacterForgetsHeadAndFraction) {
    Editor e;
    e.type(QStringLiteral("3/2+5"));
    ASSERT_EQ(e.s.answerHead, QStringLiteral("2/3+"));
    ASSERT_EQ(e.s.answerText, QStringLiteral("5"));
    e.press(key::backspace);
    EXPECT_EQ(e.s.answerText, QString());
    EXPECT_EQ(e.s.answerHead, QString());
    EXPECT_EQ(e.s.fractionPrefix, QString());
    EXPECT_EQ(e.s.typedNumerator, QString());
    EXPECT_EQ(e.s.typedDenominator, QString());
    EXPECT_EQ(e.s.termSign, QString());
    EXPECT_EQ(e.s.fractionMode, 0);
    EXPECT_EQ(e.fake.text2.text(), QString());
    // With the head gone the next answer stands alone.
    e.type(QStringLiteral("x=1"));
    EXPECT_EQ(e.s.answerDisplay, QStringLiteral("x=1"));
}

TEST(AnswerEditor, BackspaceOnAnEmptyEntryShortensTheHead) {
    Editor e;
    e.type(QStringLiteral("3/2+"));
    e.press(key::backspace);
    EXPECT_EQ(e.s.answerHead, QStringLiteral("2/3"));
    EXPECT_EQ(e.s.answerText, QString());
    // A "/" typed behind the head is taken back first; the head stays.
    Editor slash;
    slash.type(QStringLiteral("3/2+/\\b"));
    EXPECT_EQ(slash.s.answerHead, QStringLiteral("2/3+"));
    EXPECT_EQ(slash.s.fractionMode, 0);
    slash.type(QStringLiteral("4/5"));
    EXPECT_EQ(slash.s.answerDisplay, QStringLiteral("2/3+5/4"));
}

TEST(AnswerEditor, EntryStopsGrowingAtThirtyCharacters) {
    Editor e;
    e.type(QString(40, u'1'));
    EXPECT_EQ(e.s.answerText, QString(30, u'1'));
    EXPECT_EQ(e.fake.text4.text(), QString(30, u'1'));
    EXPECT_EQ(e.press('2'), 0);
    // Backspace still works at the limit.
    e.press(key::backspace);
    EXPECT_EQ(e.s.answerText.size(), 29);

    // An exponent takes two places: it does not fit into the last one.
    Editor power;
    power.type(QString(28, u'1') + QStringLiteral("x2"));
    EXPECT_EQ(power.s.answerText, QString(28, u'1') + QStringLiteral("x"));

    // The head counts too.
    Editor headed;
    headed.type(QStringLiteral("3/2+") + QString(40, u'7'));
    EXPECT_EQ(headed.s.answerHead.size() + headed.s.answerText.size(), 30);

    // A fraction at the limit keeps what was typed.
    Editor fraction;
    fraction.type(QStringLiteral("x=-") + QString(13, u'3') + QStringLiteral("/") +
                  QString(20, u'8'));
    EXPECT_EQ(fraction.s.answerText,
              QStringLiteral("x=-") + QString(13, u'8') + QStringLiteral("/") + QString(13, u'3'));
}

// What the editor must leave alone: every control but Picture3, Text2 and Text4.
QStringList otherControls(FakePlatform& f) {
    QStringList state;
    for (const FakePictureArea* p :
         {&f.picture1, &f.picture2, &f.picture4, &f.picture5, &f.picture7}) {
        state << p->name() + u' ' + QString::number(p->ops().size());
    }
    for (const FakeTextBox* t : {&f.text1, &f.text5, &f.text6}) {
        state << t->text() + QString::number(t->isVisible());
    }
    for (const FakeLabel* l :
         {&f.label2, &f.label3, &f.label4, &f.label5, &f.label12, &f.label13, &f.label14}) {
        state << l->caption() + QString::number(l->isVisible());
    }
    for (const FakeButton* b : {&f.command1, &f.command2, &f.command3}) {
        state << QString::number(b->isVisible());
    }
    state << QString::number(f.timer1.interval()) << f.mmControl1.log << f.mmControl2.log
          << QString::number(f.form1.shows) << QString::number(f.messageBox.shown.size());
    return state;
}

// Near the limit every key is first tried out on a copy of the drill: the trial must not
// reach any control the editor does not own.
TEST(AnswerEditor, KeysAtTheLimitTouchNoOtherControl) {
    const QString fraction =
        QStringLiteral("x=-") + QString(13, u'3') + QStringLiteral("/") + QString(13, u'8');
    // (keys up to the limit, keys tried there)
    const std::vector<std::pair<QString, QString>> cases = {
        {QString(29, u'1'), QStringLiteral("12x^2\\b/3")},
        {fraction, QStringLiteral("9\\b\\b7/x^")},
        {QStringLiteral("3/2+") + QString(25, u'7'), QStringLiteral("x^2+/5")},
    };
    for (const auto& [prefix, keys] : cases) {
        Editor e;
        e.type(prefix);
        const QStringList before = otherControls(e.fake);
        e.type(keys);
        EXPECT_EQ(otherControls(e.fake), before) << prefix.toStdString();
        EXPECT_LE(e.s.answerHead.size() + e.s.answerText.size(), 30);
    }
}

// What a pupil types for a stored answer: fractions denominator first, as they are read.
QString typedAsRead(const QString& answer) {
    const auto slash = answer.indexOf(u'/');
    if (slash < 0) {
        return answer;
    }
    QString lead = QStringLiteral("x=");
    QString numerator = answer.mid(2, slash - 2);
    if (numerator.startsWith(u'-')) {
        lead += u'-';
        numerator.remove(0, 1);
    }
    return lead + answer.mid(slash + 1) + QStringLiteral("/") + numerator;
}

TEST(AnswerEditor, EveryAnswerOfTheBanksTypedAsReadIsMirroredExactly) {
    std::set<QString> answers;
    for (const Bank* bank : catalogueBanks()) {
        DrillState s;
        fillBank(s, *bank);
        for (int i = 1; i <= s.bankCount; ++i) {
            answers.insert(s.bankAnswer[i]);
        }
    }
    answers.erase(QString());
    ASSERT_GE(answers.size(), 20u) << "the banks hold no answers";
    int fractions = 0;
    for (const QString& answer : answers) {
        SCOPED_TRACE(answer.toStdString());
        fractions += answer.contains(u'/');
        Editor e;
        e.type(typedAsRead(answer));
        EXPECT_EQ(e.fake.text4.text(), answer);
        EXPECT_EQ(e.s.answerText, answer);
        EXPECT_EQ(e.s.answerHead, QString());
    }
    EXPECT_GT(fractions, 0);
}

bool inInt16(double value) {
    return value >= std::numeric_limits<int16>::min() && value <= std::numeric_limits<int16>::max();
}

TEST(AnswerEditor, RandomKeySequencesStayCalm) {
    std::mt19937 random(20261209);
    // Mostly the keys of answers, so that deep states are reached, then every code.
    const QString answerKeys = QStringLiteral("x=-/0123456789+()yXY*rd^*r");
    const int16 doubleByte[] = {keyCodeForCharacter(u'あ'),
                                keyCodeForCharacter(u'ｘ'),
                                keyCodeForCharacter(u'５'),
                                keyCodeForCharacter(u'＝'),
                                -1,
                                std::numeric_limits<int16>::min()};
    auto nextKey = [&]() -> int16 {
        const int kind = static_cast<int>(random() % 20);
        if (kind < 15) {
            return static_cast<int16>(
                answerKeys[static_cast<int>(random() % answerKeys.size())].unicode());
        }
        if (kind < 17) {
            return key::backspace;
        }
        if (kind < 19) {
            int16 code = static_cast<int16>(random() % 128);
            return code == key::enter ? key::backspace : code;
        }
        return doubleByte[random() % std::size(doubleByte)];
    };
    const auto violations = rangeViolations();
    for (int sequence = 0; sequence < 4000; ++sequence) {
        Editor e;
        const int length = 1 + static_cast<int>(random() % 120);
        QStringList keys;
        for (int i = 0; i < length; ++i) {
            const int16 code = nextKey();
            keys << QString::number(code);
            e.fake.picture3.forgetLog();
            e.press(code);
            ASSERT_LE(e.s.answerHead.size() + e.s.answerText.size(), 30)
                << keys.join(' ').toStdString();
            for (const DrawOp& op : e.fake.picture3.ops()) {
                ASSERT_TRUE(inInt16(op.x) && inInt16(op.y) && inInt16(op.x2) && inInt16(op.y2))
                    << op.toString().toStdString() << " after " << keys.join(' ').toStdString();
            }
        }
        ASSERT_EQ(rangeViolations(), violations) << keys.join(' ').toStdString();
    }
}

} // namespace
} // namespace minamo
