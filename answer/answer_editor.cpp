#include "answer/answer_editor.h"

#include "answer/typed_fraction.h"
#include "core/basic_text.h"
#include "core/spoken_text.h"
#include "platform/key_codes.h"
#include "platform/pen_area.h"
#include "render/typed_power.h"

#include <algorithm>
#include <optional>

namespace minamo {

namespace {

// answerHead and answerText together hold at most this many characters: the display of
// a longer entry would leave the 16-bit twip range of Picture3.
constexpr int maxEntryLength = 30;

// Origins of the fractions drawn while one is typed, twips of Picture3.
constexpr int16 entryOriginX = 40;
constexpr int16 entryOriginY = 200;
constexpr int16 suffixOriginY = 200;
constexpr int16 barOnlyOriginY = 280; // right after "/", before any numerator digit

// Key classes on ASCII codes.
constexpr int16 firstAccepted = 40;   // "("
constexpr int16 lastAccepted = 57;    // "9"
constexpr int16 firstDigitClass = 46; // "."; "/" and the digits follow

bool is(int16 key, char16_t c) {
    return key == static_cast<int16>(c);
}

bool isDigitClass(int16 key) {
    return key >= firstDigitClass && key <= lastAccepted;
}

bool isAccepted(int16 key) {
    if (key >= firstAccepted && key <= lastAccepted) {
        return true;
    }
    if (key >= 'A' && key <= 'F') {
        return true;
    }
    return key > 0 && key < 128 && QStringLiteral("xy;=abrd").contains(QChar(key));
}

QString keyText(int16 key) {
    return QString(QChar(static_cast<char16_t>(key)));
}

// What an accepted key appends when it is simply typed: a few keys stand for symbols.
QString appendedText(int16 key) {
    if (is(key, u'*')) {
        return QStringLiteral("×");
    }
    if (is(key, u'r')) {
        return QStringLiteral("√");
    }
    if (is(key, u'd')) {
        return QStringLiteral("°");
    }
    return keyText(key);
}

// How a rule ends: on to the next step, straight to the refresh, or the handler is done.
enum class Next { Continue, Refresh, Done };

struct Outcome {
    int16 code; // what the box applies: 0 consumed, otherwise the key passed through
    Next next;
};

int entryLength(const DrillState& s) {
    return static_cast<int>(s.answerHead.size() + s.answerText.size());
}

void setEntryOrigin(DrillState& s, int16 y) {
    s.layoutX = entryOriginX;
    s.layoutY = y;
}

// Picture3's spoken text: the entry its drawing now shows.
void speakEntry(Drill& d, const QString& shown) {
    d.ui.picture3.setSpokenText(spokenForm(shown));
}

// The fraction typed so far, then the text typed after its x, highlighted.
void drawFractionWithSuffix(Drill& d) {
    DrillState& s = d.s;
    setEntryOrigin(s, entryOriginY);
    s.termSign = s.fractionPrefix;
    s.termDenominator = s.typedDenominator;
    s.termNumerator = s.typedNumerator;
    drawEntryFraction(d);
    s.layoutY = suffixOriginY;
    s.termHighlight = 1;
    s.termSign = s.fractionSuffix;
    s.termNumerator.clear();
    s.termDenominator.clear();
    drawEntryFraction(d);
}

// A digit (or "." or "/") while a fraction is typed goes to the numerator.
Outcome numeratorDigit(Drill& d, int16 key) {
    DrillState& s = d.s;
    const QString k = keyText(key);
    d.ui.picture3.clear();
    if (s.answerText.startsWith(u'-')) {
        // "-", denominator, "/": the numerator grows behind the sign.
        s.termSign = QStringLiteral("-");
        s.typedNumerator += k;
        s.termNumerator = s.typedNumerator;
        s.termDenominator = s.typedDenominator;
        setEntryOrigin(s, entryOriginY);
        s.answerText =
            QStringLiteral("-") + s.typedNumerator + QStringLiteral("/") + s.typedDenominator;
        drawEntryFraction(d);
        return {key::consumed, Next::Continue};
    }
    if (!s.answerText.contains(u'x')) {
        setEntryOrigin(s, entryOriginY);
        s.termDenominator = s.typedDenominator.trimmed();
        s.answerText = s.termSign + s.typedNumerator + k + QStringLiteral("/") + s.typedDenominator;
        s.typedNumerator += k;
        s.termNumerator = s.typedNumerator;
        return {key, Next::Refresh};
    }
    if (s.fractionSuffix.isEmpty()) {
        // After "x=" or "x=-": the finished fraction is shown at once.
        setEntryOrigin(s, entryOriginY);
        s.termDenominator = s.typedDenominator.trimmed();
        s.typedNumerator += k;
        s.termNumerator = s.typedNumerator;
        s.answerText = s.termSign + s.typedNumerator + QStringLiteral("/") + s.typedDenominator;
        d.ui.text2.setText(s.answerText);
        d.ui.text4.setText(s.answerText);
        drawAnswerFraction(d);
        speakEntry(d, s.answerText);
        return {key::consumed, Next::Done};
    }
    d.ui.picture3.clear();
    s.fractionSuffix += k;
    s.answerText += k;
    drawFractionWithSuffix(d);
    return {key::consumed, Next::Continue};
}

// The entry right after "/" started the fraction being typed, from the parts "/" split off:
// "-3/" keeps "-3", a "/" on an empty entry leaves it empty, otherwise the "/" stands behind
// the prefix ("x=-3/" gives "x=-/3", "2/" gives "/2").
QString textAtFractionStart(const DrillState& s) {
    if (s.fractionPrefix == QStringLiteral("-")) {
        return s.fractionPrefix + s.typedDenominator;
    }
    if (s.fractionPrefix.isEmpty() && s.typedDenominator.isEmpty()) {
        return {};
    }
    return s.fractionPrefix + QStringLiteral("/") + s.typedDenominator;
}

// "/" starts a fraction whose denominator is what was typed before it. The key is consumed:
// the "/" is already in the text the box is given.
Outcome startFraction(Drill& d) {
    DrillState& s = d.s;
    PictureArea& picture = d.ui.picture3;
    s.fractionMode = 1;
    // A new fraction starts from nothing: parts of an earlier one must not reappear in it.
    s.typedNumerator.clear();
    s.fractionSuffix.clear();
    if (s.answerText.isEmpty()) {
        s.fractionPrefix.clear();
        s.typedDenominator.clear();
        s.termSign.clear();
        return {key::consumed, Next::Continue};
    }
    if (s.answerText.startsWith(u'-')) {
        picture.clear();
        s.termSign = QStringLiteral("-");
        s.fractionPrefix = QStringLiteral("-");
        s.typedDenominator = s.answerText.mid(1);
        setEntryOrigin(s, entryOriginY);
        s.termDenominator = s.typedDenominator;
        s.termNumerator.clear();
        drawEntryFraction(d);
        return {key::consumed, Next::Continue};
    }
    if (s.answerText.contains(QStringLiteral("x=-"))) {
        s.fractionPrefix = leftText(s.answerText, 3);
        s.typedDenominator = s.answerText.mid(3);
    } else if (s.answerText.contains(QStringLiteral("x="))) {
        s.fractionPrefix = leftText(s.answerText, 2);
        s.typedDenominator = s.answerText.mid(2);
    } else {
        s.fractionPrefix.clear();
        s.termSign.clear();
        s.typedDenominator = s.answerText;
        picture.clear();
        setEntryOrigin(s, barOnlyOriginY);
        s.termDenominator = s.typedDenominator;
        s.termNumerator.clear();
        s.answerText = textAtFractionStart(s);
        return {key::consumed, Next::Continue};
    }
    s.termSign = s.fractionPrefix;
    picture.clear();
    setEntryOrigin(s, barOnlyOriginY);
    s.termDenominator = s.typedDenominator;
    s.termNumerator.clear();
    s.answerText = textAtFractionStart(s);
    return {key::consumed, Next::Continue};
}

Outcome acceptedKey(Drill& d, int16 key) {
    DrillState& s = d.s;
    const QString k = keyText(key);

    if (is(key, u')') || is(key, u'x') || is(key, u'y')) {
        s.exponentReady = 1;
    }
    if (is(key, u'=') || is(key, u'/')) {
        s.exponentReady = 0;
        s.fractionMode = 0;
    }
    if (is(key, u'-') || is(key, u'+')) {
        s.fractionMode = 0;
    }

    bool exponentTyped = false;
    if (isDigitClass(key)) {
        if (s.fractionMode == 1) {
            const Outcome numerator = numeratorDigit(d, key);
            if (numerator.next != Next::Continue) {
                return numerator;
            }
        } else if (s.exponentReady == 1) {
            s.answerText += QStringLiteral("^") + k;
            d.ui.picture3.clear();
            s.powerText = s.answerText;
            drawTypedPower(d);
            d.ui.text2.setText(s.answerText);
            d.ui.text2.setFocus();
            s.exponentReady = 0;
            exponentTyped = true;
        }
    }

    if (is(key, u'x') || is(key, u'y') || is(key, u'=') || is(key, u'/')) {
        if (s.fractionMode == 1) {
            // The letter joins the numerator: x=-8 and x give x=-8x/3.
            s.exponentReady = 1;
            s.answerText =
                s.termSign + s.typedNumerator + k + QStringLiteral("/") + s.typedDenominator;
            return {key, Next::Refresh};
        }
        if (is(key, u'=')) {
            s.exponentReady = 0;
        }
    } else {
        if (!is(key, u')')) {
            s.exponentReady = 0;
        }
        if (s.fractionMode == 1 && s.answerText.endsWith(u'x')) {
            s.answerText += k;
            s.fractionSuffix = QStringLiteral("x") + k;
            drawFractionWithSuffix(d);
        }
    }

    if (is(key, u'/')) {
        return startFraction(d);
    }
    if (s.fractionMode != 0) {
        return {key::consumed, Next::Continue};
    }
    if (!exponentTyped) {
        s.answerText += appendedText(key);
        // A lone minus after a committed head belongs to the head.
        if (s.answerText == QStringLiteral("-") && !s.answerHead.isEmpty()) {
            s.answerHead += s.answerText;
            s.answerText.clear();
        }
    }
    return {key::consumed, Next::Continue};
}

// After a Backspace inside a fraction that could not be taken back key by key, the typed
// parts follow the text, so that the next digit continues what the pupil sees instead of
// bringing deleted characters back.
void followTextAfterBackspace(DrillState& s) {
    if (s.fractionMode != 1 || !s.fractionSuffix.isEmpty()) {
        return;
    }
    const auto slash = s.answerText.indexOf(u'/');
    if (slash < 0) {
        if (s.answerText.startsWith(u'-')) {
            // "-3/" typed: the sign and the denominator so far.
            s.typedDenominator = s.answerText.mid(1);
            s.typedNumerator.clear();
            return;
        }
        // The "/" itself is gone: so is the fraction.
        s.fractionMode = 0;
        s.typedNumerator.clear();
        s.typedDenominator.clear();
        return;
    }
    const QString before = s.answerText.left(slash);
    qsizetype leadEnd = 0;
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (before[i] == u'=' || before[i] == u'+' || before[i] == u'-') {
            leadEnd = i + 1;
        }
    }
    s.typedNumerator = before.mid(leadEnd);
    s.typedDenominator = s.answerText.mid(slash + 1);
}

int16 editAnswer(Drill& d, int16 key);
void refresh(Drill& d);

// Backspace while a fraction is typed takes back the pupil's last key, in the order the keys
// were typed (the text holds the numerator first): the last letter or digit of the numerator,
// then the "/" itself. The rest of the numerator is typed again from the entry as it stood
// right after "/", so that the text and the drawing are what they were before the key.
// Nothing when the entry is not a fraction as the editor builds it (text after its x, say).
std::optional<Outcome> takeBackFractionKey(Drill& d) {
    DrillState& s = d.s;
    if (s.fractionMode != 1 || !s.fractionSuffix.isEmpty()) {
        return std::nullopt;
    }
    const QString start = textAtFractionStart(s);
    QString numerator; // its keys as typed
    if (s.answerText != start) {
        const QString tail = QStringLiteral("/") + s.typedDenominator;
        if (!s.answerText.endsWith(tail)) {
            return std::nullopt;
        }
        const QString beforeSlash = s.answerText.chopped(tail.size());
        numerator = s.typedNumerator;
        // A letter typed after the digits stands behind them in the text only.
        if (beforeSlash.endsWith(numerator + u'x') || beforeSlash.endsWith(numerator + u'y')) {
            numerator += beforeSlash.back();
        } else if (numerator.isEmpty() || !beforeSlash.endsWith(numerator)) {
            return std::nullopt;
        }
    }
    d.ui.picture3.clear();
    s.typedNumerator.clear();
    if (numerator.isEmpty()) {
        // The "/" goes, and with it the fraction: the entry is the text typed before it.
        s.answerText = s.fractionPrefix + s.typedDenominator;
        s.typedDenominator.clear();
        s.fractionMode = 0;
        return Outcome{key::consumed, Next::Continue};
    }
    numerator.chop(1);
    s.answerText = start;
    if (numerator.isEmpty()) {
        return Outcome{key::consumed, Next::Continue};
    }
    refresh(d);
    for (const QChar c : numerator) {
        editAnswer(d, static_cast<int16>(c.unicode()));
    }
    return Outcome{key::consumed, Next::Done};
}

// The key is consumed: the box is given the text that Backspace leaves, and deleting at its
// caret as well would take one character more from the box than from the answer.
Outcome backspace(Drill& d) {
    DrillState& s = d.s;
    PictureArea& picture = d.ui.picture3;
    s.exponentReady = 0;
    if (const auto takenBack = takeBackFractionKey(d)) {
        return *takenBack;
    }
    if (s.answerText.size() == 1) {
        // The last character goes: so do the head and every part of a fraction.
        s.fractionPrefix.clear();
        s.typedNumerator.clear();
        s.typedDenominator.clear();
        s.answerHead.clear();
        s.termSign.clear();
        s.termNumerator.clear();
        s.termDenominator.clear();
        d.ui.text2.setText(QString());
        s.fractionMode = 0;
    }
    if (s.answerText.isEmpty()) {
        if (!s.answerHead.isEmpty()) {
            s.answerHead.chop(1);
        }
    } else if (s.answerText.startsWith(u'/')) {
        s.answerText.remove(0, 1);
        s.fractionMode = 0;
    } else {
        const int slash = positionOf(s.answerText, QStringLiteral("/"));
        if (slash == 2) {
            s.answerText.remove(0, 1);
            s.typedNumerator.clear();
            picture.clear();
        } else if (slash == 3) {
            s.answerText.remove(1, 1);
            s.fractionMode = 1;
            picture.clear();
        } else {
            s.answerText.chop(1);
            if (s.answerText.size() < s.fractionPrefix.size()) {
                s.fractionPrefix = s.answerText;
            }
            // An exponent goes with its caret: "3x^2" becomes "3".
            if (s.answerText.endsWith(u'^')) {
                s.answerText.chop(2);
            }
            d.ui.text2.setText(s.answerText);
            s.exponentReady = 0;
            picture.clear();
        }
    }
    followTextAfterBackspace(s);
    return {key::consumed, Next::Continue};
}

Outcome otherKey(Drill& d, int16 key) {
    DrillState& s = d.s;
    if (key == key::backspace) {
        return backspace(d);
    }
    if (s.fractionMode == 1) {
        if (!s.fractionSuffix.isEmpty()) {
            s.fractionSuffix.chop(1);
            d.ui.picture3.clear();
            drawFractionWithSuffix(d);
            s.answerText = s.fractionPrefix + s.typedNumerator + QStringLiteral("/") +
                           s.typedDenominator + s.fractionSuffix;
        } else if (key > lastAccepted) {
            d.ui.text2.setFocus();
            return {key, Next::Done};
        } else {
            // A control key, a blank or a double-byte character drops the fraction; the
            // prefix stays. Text2 and Text4 keep their text until the next key.
            PictureArea& picture = d.ui.picture3;
            picture.clear();
            s.typedNumerator.clear();
            s.typedDenominator.clear();
            picture.print(s.fractionPrefix, LineEnd::Break);
            speakEntry(d, s.fractionPrefix);
            s.fractionMode = 0;
            s.answerText = s.fractionPrefix;
            d.ui.text2.setFocus();
            return {key, Next::Done};
        }
    }
    // The caret itself is not stored: the next digit becomes an exponent.
    if (is(key, u'^')) {
        s.exponentReady = 1;
    }
    return {key::consumed, Next::Continue};
}

// The first "++" is shown as "+" and the first "--" as "-".
QString displayText(const DrillState& s) {
    QString display = s.answerHead + s.answerText;
    if (const auto at = display.indexOf(QStringLiteral("++")); at >= 0) {
        display.replace(at, 2, QStringLiteral("+"));
    }
    if (const auto at = display.indexOf(QStringLiteral("--")); at >= 0) {
        display.replace(at, 2, QStringLiteral("-"));
    }
    return display;
}

void refresh(Drill& d) {
    DrillState& s = d.s;
    PictureArea& picture = d.ui.picture3;
    s.answerDisplay = displayText(s);
    if (s.answerDisplay.contains(u'^')) {
        s.powerText = s.answerDisplay;
        picture.clear();
        drawTypedPower(d);
        speakEntry(d, s.answerDisplay);
        d.ui.text2.setText(s.answerDisplay);
    } else if (s.answerDisplay.contains(u'/')) {
        s.layoutX = 0;
        s.layoutY = 0;
        s.answerLayoutText = s.answerDisplay;
        showFractionAnswer(d);
        speakEntry(d, s.answerDisplay);
    } else {
        picture.clear();
        picture.setPen(0, 0);
        picture.print(s.answerText, LineEnd::Break);
        speakEntry(d, s.answerText);
        d.ui.text2.setText(s.answerText);
    }
    d.ui.text2.setFocus();
}

void endStep(Drill& d) {
    d.ui.text4.setText(d.s.answerText);
    d.ui.text2.setText(d.s.answerText);
    if (d.ui.text2.isVisible()) {
        d.ui.text2.setFocus();
    }
}

// The correction button empties the entry but leaves a fraction being typed: its parts
// must not come back into what is typed next.
void forgetFractionOfAnEmptiedEntry(DrillState& s) {
    if (s.fractionMode == 1 && s.answerText.isEmpty() &&
        !(s.typedNumerator.isEmpty() && s.typedDenominator.isEmpty() &&
          s.fractionPrefix.isEmpty())) {
        s.fractionMode = 0;
        s.typedNumerator.clear();
        s.typedDenominator.clear();
        s.fractionPrefix.clear();
        s.fractionSuffix.clear();
    }
}

int16 editAnswer(Drill& d, int16 key) {
    forgetFractionOfAnEmptiedEntry(d.s);
    // A second "/" while a fraction is typed reaches only the box.
    if (is(key, u'/') && d.s.fractionMode == 1) {
        return key;
    }
    if (is(key, u'X')) {
        key = static_cast<int16>(u'x');
    } else if (is(key, u'Y')) {
        key = static_cast<int16>(u'y');
    }
    const Outcome outcome = isAccepted(key) ? acceptedKey(d, key) : otherKey(d, key);
    if (outcome.next == Next::Done) {
        return outcome.code;
    }
    refresh(d);
    endStep(d);
    return outcome.code;
}

// A picture area and text box that only keep their state, for trying a key out.
class TrialPicture : public PenArea {
public:
    explicit TrialPicture(const PictureArea& real)
        : PenArea({.widthTwips = 0,
                   .heightTwips = real.heightTwips(),
                   .fontName = real.fontName(),
                   .fontPoints = real.fontSize(),
                   .fore = real.foreColor()}) {}
    void clear() override { setPen(0, 0); }
    void setVisible(bool) override {}
    bool isVisible() const override { return true; }
    void print(const QString&, LineEnd end) override {
        if (end == LineEnd::Break) {
            setCurrentX(0);
        }
    }
    double textWidth(const QString&) const override { return 0; }
    void line(double, double, double x2, double y2, Rgb) override { setPen(x2, y2); }
    void box(double, double, double x2, double y2, Rgb, BoxFill) override { setPen(x2, y2); }
    void setScale(double, double, double, double) override {}
};

class TrialTextBox : public TextBox {
public:
    explicit TrialTextBox(const TextBox& real) : text_(real.text()), visible_(real.isVisible()) {}
    QString text() const override { return text_; }
    void setText(const QString& text) override { text_ = text; }
    bool isVisible() const override { return visible_; }
    void setVisible(bool visible) override { visible_ = visible; }
    void setFocus() override {}

private:
    QString text_;
    bool visible_;
};

// Some rules rebuild the text from its typed parts, so how much a key adds is only known
// by typing it: the key is tried on a copy of the state with controls that show nothing.
bool wouldOutgrowEntry(Drill& d, int16 key) {
    const DrillState& s = d.s;
    // No rule makes the entry longer than this bound; most keys stop here.
    const auto rebuilt = s.termSign.size() + s.fractionPrefix.size() + s.typedNumerator.size() +
                         s.typedDenominator.size() + s.fractionSuffix.size() + 3;
    const auto bound = s.answerHead.size() + std::max(s.answerText.size() + 2, rebuilt);
    if (bound <= maxEntryLength) {
        return false;
    }
    DrillState trial = s;
    Platform& ui = d.ui;
    TrialPicture picture3(ui.picture3);
    TrialTextBox text2(ui.text2);
    TrialTextBox text4(ui.text4);
    // The editor draws only in Picture3 and writes only Text2 and Text4; the other controls
    // are passed on as they are (a test holds the trial to that).
    Platform trialUi = substituted(ui, {.picture3 = &picture3, .text2 = &text2, .text4 = &text4});
    Drill trialDrill{trial, trialUi};
    editAnswer(trialDrill, key);
    const int after = entryLength(trial);
    return after > maxEntryLength && after > entryLength(s);
}

} // namespace

int16 takeAnswerKey(Drill& d, int16 key) {
    if (wouldOutgrowEntry(d, key)) {
        return key::consumed;
    }
    return editAnswer(d, key);
}

} // namespace minamo
