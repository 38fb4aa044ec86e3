#pragma once

// The fresh edition's reading of a typed answer: one whose value is the expected answer's
// but whose form is not ("x=4/6" for x=2/3, "x=1.5" for x=3/2, "5" for x=5) is pointed out
// with what to change, not counted as a miss. Values are compared exactly, as fractions.
//
// The forms, checked left to right as the answer is written; the first one found is told:
//   no "x=" ("5")                            x= をつけて / 答えましょう
//   a leading "+" ("x=+3", "x=2/+3")         + をとって / 答えましょう
//   "-" before zero ("x=-0")                 - をとって / 答えましょう
//   a decimal ("x=1.5", "x=.5", "x=3.0")     分数で / 答えましょう, or 整数で / 答えましょう
//                                            where the answer is a whole number
//   leading zeros ("x=03", "x=2/03")         よけいな 0 を / とりましょう
//   a whole number as a fraction ("x=6/2")   整数で / 答えましょう
//   a fraction not in lowest terms ("x=4/6") 約分しましょう
// Anything else is judged as before: the expected text exactly is right, every other text
// (another value, a text that is not a number such as "x=--3", "x=3/0" or "x=1/2/3", a value
// too long to read exactly) a miss.

#include <QString>
#include <QStringList>

namespace minamo {

// What the pupil is to change in an answer of the right value.
enum class FormAdvice {
    AddHead,
    DropPlus,
    DropMinus,
    WriteFraction,
    DropZeros,
    WriteWhole,
    Reduce
};

struct AnswerVerdict {
    enum class Kind { Right, FormOnly, Wrong };
    Kind kind = Kind::Wrong;
    FormAdvice advice = FormAdvice::AddHead; // read only for FormOnly
};

// The typed text (Text4) against the expected answer ("x=-8/3").
AnswerVerdict judgeAnswerForm(const QString& typed, const QString& expected);

// A message as it is drawn, line by line, and as a screen reader says it (the signs as
// words, which a reader may pass over).
struct FormMessage {
    QStringList lines;
    QString spoken;
};
const FormMessage& formMessage(FormAdvice advice);

// The spoken text is one of the messages: the window tells it as advice, not as an answer.
bool isFormMessage(const QString& spoken);

} // namespace minamo
