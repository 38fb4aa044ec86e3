// 速さ, 時間, 距離 and 難問2: stories of people moving, with walking at 分速50–90 m or
// 時速3–6 km, cycling at 分速150–250 m or 時速10–20 km, and whole minutes.

#include "stories/story_kit.h"

#include <numeric>

namespace minamo::stories {

namespace {

// Two ends of a walk, and two towns a few kilometres apart.
constexpr Pair walkEnds[] = {{u"家", u"公園"}, {u"家", u"駅"}, {u"学校", u"図書館"}};
constexpr Pair towns[] = {{u"A町", u"B町"}, {u"東町", u"西町"}};

constexpr int walkLow = 50, walkHigh = 90;
constexpr int cycleLow = 150, cycleHigh = 250;
constexpr int runLow = 120, runHigh = 200;
constexpr int speedStep = 10;
constexpr int walkKmLow = 3, walkKmHigh = 6;
constexpr int cycleKmLow = 10, cycleKmHigh = 20;
// Distances in metres are whole hundreds.
constexpr int metreRound = 100;
constexpr int minutesPerHour = 60;
// Minutes a story uses: minutes that make a plain fraction of it.
constexpr int partsOfHour[] = {10, 12, 15, 20, 24, 30, 36, 40, 45, 48, 50};

bool roundMetres(int metres, int high) {
    return metres % metreRound == 0 && metres <= high;
}

// Minutes as hours: 45 → 3/4.
Q hours(int minutes) {
    return q(minutes, minutesPerHour);
}

// Meeting from two ends (on a road, or round a pond in opposite directions): the sum of the
// distances is the whole way.
struct Meeting {
    QString question;
    Pair who;
    int a = 0;     // the first's speed
    int x = 0;     // the second's speed, the answer
    int whole = 0; // the way between them
};

// The speeds of a story: in m/min, or in km/h with the minutes as parts of an hour.
enum class SpeedUnit { PerMinute, PerHour };

Draft meetingDraft(const Meeting& m, int minutes, SpeedUnit speed) {
    const bool perHour = speed == SpeedUnit::PerHour;
    const QStringView speedWord = perHour ? u"時速" : u"分速";
    const QStringView unit = perHour ? u"km" : u"m";
    const Q time = perHour ? hours(minutes) : q(minutes);
    const Q first = q(m.a) * time;
    const Q second = q(m.x) * time;
    const QString t = text(time);
    Draft d;
    d.x = q(m.x);
    d.storyHolds = first + second == q(m.whole);
    std::vector<QString> setUp = {
        QStringLiteral("%1の速さを%2 x %3 とする。").arg(m.who.second, speedWord, unit)};
    if (perHour) {
        setUp.push_back(hoursLine(minutes));
    }
    const std::vector<QString> rest =
        lines({QStringLiteral("(%1の進んだ道のり)+|(%2の進んだ道のり)=%3")
                   .arg(m.who.first, m.who.second)
                   .arg(m.whole),
               QStringLiteral("%1×%2+x×%2=%3").arg(m.a).arg(t).arg(m.whole)});
    setUp.insert(setUp.end(), rest.begin(), rest.end());
    d.problem = {
        .question = m.question,
        .setUp = setUp,
        .equation = QStringLiteral("%1+%2=%3").arg(text(first), timesX(time)).arg(m.whole),
        .check =
            lines({QStringLiteral("%1×%2=%3, %4×%2=%5")
                       .arg(m.a)
                       .arg(t, text(first))
                       .arg(m.x)
                       .arg(text(second)),
                   QStringLiteral("%1+%2=%3").arg(text(first), text(second)).arg(m.whole) + fits}),
        .conclusion = QStringLiteral("答 %1%2 %3").arg(speedWord).arg(m.x).arg(unit)};
    return d;
}

std::optional<Draft> meetingOnRoad(FreshRandom& r) {
    const Pair who = pick(r, people);
    const Pair ends = pick(r, walkEnds);
    const int a = drawStep(r, walkLow, walkHigh, speedStep);
    const int x = drawStep(r, walkLow, walkHigh, speedStep);
    const int t = r.between(5, 20);
    const int whole = (a + x) * t;
    if (x == a || !roundMetres(whole, 3000)) {
        return std::nullopt;
    }
    const QString question =
        QStringLiteral("%1と%2は%3 m離れている。%4は%1から分速%5 m、%6は%2から分速 x mで、"
                       "向かい合って同時に出発したところ、%7分後に出会った。x を求めなさい。")
            .arg(ends.first, ends.second)
            .arg(whole)
            .arg(who.first)
            .arg(a)
            .arg(who.second)
            .arg(t);
    return meetingDraft({.question = question, .who = who, .a = a, .x = x, .whole = whole}, t,
                        SpeedUnit::PerMinute);
}

std::optional<Draft> meetingRoundPond(FreshRandom& r) {
    const Pair who = pick(r, people);
    const int a = drawStep(r, walkLow, walkHigh, speedStep);
    const int x = drawStep(r, walkLow, walkHigh, speedStep);
    const int t = r.between(5, 20);
    const int whole = (a + x) * t;
    if (x == a || !roundMetres(whole, 3000)) {
        return std::nullopt;
    }
    const QString question =
        QStringLiteral("周囲%1 mの池のまわりを、%2は分速%3 m、%4は分速 x mで、同じ地点から"
                       "反対向きに同時に歩き始めたところ、%5分後に出会った。x を求めなさい。")
            .arg(whole)
            .arg(who.first)
            .arg(a)
            .arg(who.second)
            .arg(t);
    return meetingDraft({.question = question, .who = who, .a = a, .x = x, .whole = whole}, t,
                        SpeedUnit::PerMinute);
}

// The cyclist's speed in km/h when the two meet after some minutes.
struct KmMeeting {
    int walk, x, minutes, whole;
};

std::optional<KmMeeting> drawKmMeeting(FreshRandom& r, int low, int high) {
    const int walk = r.between(walkKmLow, walkKmHigh);
    const int x = r.between(cycleKmLow, cycleKmHigh);
    const int minutes = pick(r, partsOfHour);
    const Q time = hours(minutes);
    const Q whole = q(walk + x) * time;
    if (!isWhole(q(walk) * time) || !isWhole(q(x) * time) || whole.num < low || whole.num > high) {
        return std::nullopt;
    }
    return KmMeeting{
        .walk = walk, .x = x, .minutes = minutes, .whole = static_cast<int>(whole.num)};
}

std::optional<Draft> meetingByBike(FreshRandom& r) {
    const Pair who = pick(r, people);
    const Pair ends = pick(r, towns);
    const auto m = drawKmMeeting(r, 3, 20);
    if (!m) {
        return std::nullopt;
    }
    // The walker is named first in the sum, the cyclist (x) second.
    const QString question =
        QStringLiteral("%1と%2は%3 km離れている。%4は%1から歩いて時速%5 km、%6は%2から自転車で"
                       "時速 x kmで、向かい合って同時に出発したところ、%7分後に出会った。"
                       "x を求めなさい。")
            .arg(ends.first, ends.second)
            .arg(m->whole)
            .arg(who.first)
            .arg(m->walk)
            .arg(who.second)
            .arg(m->minutes);
    return meetingDraft(
        {.question = question, .who = who, .a = m->walk, .x = m->x, .whole = m->whole}, m->minutes,
        SpeedUnit::PerHour);
}

std::optional<Draft> pondByBike(FreshRandom& r) {
    const Pair who = pick(r, people);
    const auto m = drawKmMeeting(r, 2, 8);
    if (!m) {
        return std::nullopt;
    }
    const QString question =
        QStringLiteral("周囲%1 kmの池のまわりを、%2は歩いて時速%3 km、%4は自転車で時速 x kmで、"
                       "同じ地点から反対向きに同時に出発したところ、%5分後に出会った。"
                       "x を求めなさい。")
            .arg(m->whole)
            .arg(who.first)
            .arg(m->walk)
            .arg(who.second)
            .arg(m->minutes);
    return meetingDraft(
        {.question = question, .who = who, .a = m->walk, .x = m->x, .whole = m->whole}, m->minutes,
        SpeedUnit::PerHour);
}

// Catching up: the one who follows covers in x minutes what the other covered in x plus the
// head start. Speeds in m/min (fast given in km/h where kmPerHour is set).
struct Chase {
    Pair who; // first sets out, second follows
    QStringView from;
    int slow = 0, fast = 0, headStart = 0, x = 0;
};

QString chaseQuestion(const Chase& c, const QString& slowSpeed, const QString& fastSpeed) {
    return QStringLiteral("%1は%2で歩いて%3を出た。その%4分後に、%5が%6の自転車で同じ道を"
                          "追いかけた。%5が出発してから x 分後に%1に追いつくとして、"
                          "x を求めなさい。")
        .arg(c.who.second, slowSpeed, c.from)
        .arg(c.headStart)
        .arg(c.who.first, fastSpeed);
}

std::optional<Chase> drawChase(FreshRandom& r, int fastLow, int fastHigh, int fastStep) {
    const Pair who = pick(r, people);
    Chase c{.who = who, .from = pick(r, walkEnds).first};
    c.slow = drawStep(r, walkLow, walkHigh, speedStep);
    c.fast = drawStep(r, fastLow, fastHigh, fastStep);
    c.x = r.between(3, 20);
    const int gain = c.x * (c.fast - c.slow);
    if (gain % c.slow != 0 || gain / c.slow < 3 || gain / c.slow > 20) {
        return std::nullopt;
    }
    c.headStart = gain / c.slow;
    return c;
}

Draft chaseDraft(const Chase& c, const QString& question, std::vector<QString> setUp) {
    const int fastWay = c.fast * c.x;
    const int slowWay = c.slow * (c.x + c.headStart);
    Draft d;
    d.x = q(c.x);
    d.storyHolds = fastWay == slowWay;
    setUp.push_back(
        QStringLiteral("%1は (x+%2) 分歩いている。").arg(c.who.second).arg(c.headStart));
    setUp.push_back(
        QStringLiteral("(%1の進んだ道のり)=(%2の進んだ道のり)").arg(c.who.first, c.who.second));
    d.problem = {.question = question,
                 .setUp = setUp,
                 .equation =
                     QStringLiteral("%1x=%2(x+%3)").arg(c.fast).arg(c.slow).arg(c.headStart),
                 .check = lines({QStringLiteral("%1×%2=%3, %4×(%2+%5)=%6")
                                     .arg(c.fast)
                                     .arg(c.x)
                                     .arg(fastWay)
                                     .arg(c.slow)
                                     .arg(c.headStart)
                                     .arg(slowWay) +
                                 fits}),
                 .conclusion = QStringLiteral("答 %1分後").arg(c.x)};
    return d;
}

QString chaseFirstLine(const Chase& c) {
    return QStringLiteral("%1が出発してから x 分後に追いつくとする。").arg(c.who.first);
}

std::optional<Draft> chaseOnRoad(FreshRandom& r) {
    const auto c = drawChase(r, cycleLow, cycleHigh, speedStep);
    if (!c) {
        return std::nullopt;
    }
    return chaseDraft(*c,
                      chaseQuestion(*c, QStringLiteral("分速%1 m").arg(c->slow),
                                    QStringLiteral("分速%1 m").arg(c->fast)),
                      {chaseFirstLine(*c)});
}

// The cyclist's speed in km/h, which the set-up turns into m/min.
std::optional<Draft> chaseKmPerHour(FreshRandom& r) {
    constexpr int metresPerKm = 1000;
    // 時速12, 15, 18 km: 分速200, 250, 300 m.
    const auto c = drawChase(r, 200, 300, 50);
    if (!c) {
        return std::nullopt;
    }
    const int km = c->fast * minutesPerHour / metresPerKm;
    return chaseDraft(
        *c,
        chaseQuestion(*c, QStringLiteral("分速%1 m").arg(c->slow),
                      QStringLiteral("時速%1 km").arg(km)),
        {chaseFirstLine(*c), QStringLiteral("時速%1 km=分速%2 m").arg(km).arg(c->fast)});
}

// Round a pond in the same direction: the cyclist catches up when one round ahead.
std::optional<Draft> lappingRoundPond(FreshRandom& r) {
    const int fast = drawStep(r, cycleLow, cycleHigh, speedStep);
    const int slow = drawStep(r, walkLow, walkHigh, speedStep);
    const int x = r.between(5, 20);
    const int round1 = (fast - slow) * x;
    if (!roundMetres(round1, 3000)) {
        return std::nullopt;
    }
    Draft d;
    d.x = q(x);
    d.storyHolds = fast * x - slow * x == round1;
    d.problem = {
        .question =
            QStringLiteral("周囲%1 mの池のまわりを、Aは自転車で分速%2 m、Bは歩いて分速%3 mで、"
                           "同じ地点から同じ向きに同時に出発した。出発してから x 分後に"
                           "AがはじめてBに追いつくとして、x を求めなさい。")
                .arg(round1)
                .arg(fast)
                .arg(slow),
        .setUp = {QStringLiteral("出発してから x 分後に追いつくとする。"),
                  QStringLiteral("AはBより1周多く進んだときに追いつくから"),
                  QStringLiteral("(Aの進んだ道のり)-(Bの進んだ道のり)=%1").arg(round1)},
        .equation = QStringLiteral("%1x-%2x=%3").arg(fast).arg(slow).arg(round1),
        .check = lines({QStringLiteral("%1×%2=%3, %4×%2=%5")
                            .arg(fast)
                            .arg(x)
                            .arg(fast * x)
                            .arg(slow)
                            .arg(slow * x),
                        QStringLiteral("%1-%2=%3").arg(fast * x).arg(slow * x).arg(round1) + fits}),
        .conclusion = QStringLiteral("答 %1分後").arg(x)};
    return d;
}

// The km/h chase with the minutes kept as parts of an hour in the equation.
std::optional<Draft> chaseInHours(FreshRandom& r) {
    const Pair who = pick(r, people);
    const QStringView from = pick(r, walkEnds).first;
    const int slow = r.between(walkKmLow, walkKmHigh);
    const int fast = r.between(cycleKmLow, cycleKmHigh);
    const int x = drawStep(r, 5, 60, 5);
    const int gain = x * (fast - slow);
    if (gain % slow != 0 || gain / slow % 5 != 0 || gain / slow < 10 || gain / slow > 60 ||
        !isWhole(q(fast) * hours(x))) {
        return std::nullopt;
    }
    const int headStart = gain / slow;
    const Q fastWay = q(fast) * hours(x);
    const Q slowWay = q(slow) * hours(x + headStart);
    Draft d;
    d.x = q(x);
    d.storyHolds = fastWay == slowWay;
    d.problem = {
        .question = QStringLiteral("%1は時速%2 kmで歩いて%3を出た。その%4後に、%5が時速%6 kmの"
                                   "自転車で同じ道を追いかけた。%5が出発してから x 分後に%1に"
                                   "追いつくとして、x を求めなさい。")
                        .arg(who.second)
                        .arg(slow)
                        .arg(from, minutesText(headStart), who.first)
                        .arg(fast),
        .setUp = lines(
            {QStringLiteral("%1が出発してから x 分後に追いつくとする。").arg(who.first),
             QStringLiteral("x 分=x/60時間, |(x+%1) 分=(x+%1)/60時間").arg(headStart),
             QStringLiteral("(%1の進んだ道のり)=(%2の進んだ道のり)").arg(who.first, who.second),
             QStringLiteral("%1×x/60=%2×(x+%3)/60").arg(fast).arg(slow).arg(headStart)}),
        .equation = QStringLiteral("%1x/60=%2(x+%3)/60").arg(fast).arg(slow).arg(headStart),
        .check = lines({QStringLiteral("%1×%2/60=%3, |%4×(%2+%5)/60=%6")
                            .arg(fast)
                            .arg(x)
                            .arg(text(fastWay))
                            .arg(slow)
                            .arg(headStart)
                            .arg(text(slowWay)) +
                        fits}),
        .conclusion = QStringLiteral("答 %1分後").arg(x)};
    return d;
}

// There and back, or one way at two speeds, in m/min: times in whole minutes.
struct TwoWays {
    Pair ends;
    int x = 0, first = 0, second = 0;
};

std::optional<TwoWays> drawTwoWays(FreshRandom& r) {
    TwoWays w{.ends = pick(r, walkEnds)};
    w.first = drawStep(r, walkLow, walkHigh, speedStep);
    w.second = drawStep(r, walkLow, walkHigh, speedStep);
    w.x = drawStep(r, 600, 2400, metreRound);
    if (w.first == w.second || w.x % w.first != 0 || w.x % w.second != 0) {
        return std::nullopt;
    }
    return w;
}

QString wayLine(const Pair& ends, QStringView unit) {
    return QStringLiteral("%1から%2までの道のりを x %3 とする。")
        .arg(ends.first, ends.second, unit);
}

std::optional<Draft> thereAndBack(FreshRandom& r) {
    const auto w = drawTwoWays(r);
    if (!w) {
        return std::nullopt;
    }
    const int go = w->x / w->first;
    const int back = w->x / w->second;
    Draft d;
    d.x = q(w->x);
    d.storyHolds = q(w->x) / q(w->first) + q(w->x) / q(w->second) == q(go + back);
    d.problem = {
        .question = QStringLiteral("%1から%2まで、行きは分速%3 m、帰りは分速%4 mで歩いたところ、"
                                   "往復で%5分かかった。%1から%2までの道のりを x m として、"
                                   "x を求めなさい。")
                        .arg(w->ends.first, w->ends.second)
                        .arg(w->first)
                        .arg(w->second)
                        .arg(go + back),
        .setUp = {wayLine(w->ends, u"m"),
                  QStringLiteral("(行きの時間)+(帰りの時間)=%1").arg(go + back)},
        .equation = QStringLiteral("x/%1+x/%2=%3").arg(w->first).arg(w->second).arg(go + back),
        .check = lines({QStringLiteral("%1÷%2=%3, %1÷%4=%5")
                            .arg(w->x)
                            .arg(w->first)
                            .arg(go)
                            .arg(w->second)
                            .arg(back),
                        QStringLiteral("%1+%2=%3").arg(go).arg(back).arg(go + back) + fits}),
        .conclusion = QStringLiteral("答 %1 m").arg(w->x)};
    return d;
}

std::optional<Draft> slowerTakesLonger(FreshRandom& r) {
    auto w = drawTwoWays(r);
    if (!w) {
        return std::nullopt;
    }
    if (w->first > w->second) {
        std::swap(w->first, w->second);
    }
    const int slow = w->x / w->first;
    const int fast = w->x / w->second;
    Draft d;
    d.x = q(w->x);
    d.storyHolds = q(w->x) / q(w->first) - q(w->x) / q(w->second) == q(slow - fast);
    d.problem = {
        .question = QStringLiteral("%1から%2まで、分速%3 mで歩くと、分速%4 mで歩くより%5分多く"
                                   "かかる。%1から%2までの道のりを x m として、x を求めなさい。")
                        .arg(w->ends.first, w->ends.second)
                        .arg(w->first)
                        .arg(w->second)
                        .arg(slow - fast),
        .setUp = {wayLine(w->ends, u"m"),
                  QStringLiteral("かかる時間の差が%1分だから").arg(slow - fast)},
        .equation = QStringLiteral("x/%1-x/%2=%3").arg(w->first).arg(w->second).arg(slow - fast),
        .check = lines({QStringLiteral("%1÷%2=%3, %1÷%4=%5")
                            .arg(w->x)
                            .arg(w->first)
                            .arg(slow)
                            .arg(w->second)
                            .arg(fast),
                        QStringLiteral("%1-%2=%3").arg(slow).arg(fast).arg(slow - fast) + fits}),
        .conclusion = QStringLiteral("答 %1 m").arg(w->x)};
    return d;
}

// There and back in km/h, the whole time in hours and minutes.
std::optional<Draft> thereAndBackInHours(FreshRandom& r) {
    const Pair ends = pick(r, towns);
    const int first = r.between(walkKmLow, walkKmHigh);
    const int second = r.between(walkKmLow, walkKmHigh);
    const int x = r.between(2, 12);
    const Q total = q(x, first) + q(x, second);
    const Q minutes = total * q(minutesPerHour);
    constexpr int minuteRound = 5;
    constexpr int longestWalk = 4 * minutesPerHour;
    if (first == second || !isWhole(minutes) || minutes.num % minuteRound != 0 ||
        minutes.num % minutesPerHour == 0 || minutes.num > longestWalk) {
        return std::nullopt;
    }
    const int m = static_cast<int>(minutes.num);
    Draft d;
    d.x = q(x);
    d.storyHolds = q(x) / q(first) + q(x) / q(second) == hours(m);
    d.problem = {.question =
                     QStringLiteral("%1から%2まで、行きは時速%3 km、帰りは時速%4 kmで歩いたところ、"
                                    "往復で%5かかった。%1から%2までの道のりを x km として、"
                                    "x を求めなさい。")
                         .arg(ends.first, ends.second)
                         .arg(first)
                         .arg(second)
                         .arg(minutesText(m)),
                 .setUp = {wayLine(ends, u"km"), hoursLine(m),
                           QStringLiteral("(行きの時間)+(帰りの時間)=%1").arg(text(total))},
                 .equation = QStringLiteral("x/%1+x/%2=%3").arg(first).arg(second).arg(text(total)),
                 .check = lines({QStringLiteral("%1÷%2=%3, %1÷%4=%5, |%3+%5=%6")
                                     .arg(x)
                                     .arg(first)
                                     .arg(text(q(x, first)))
                                     .arg(second)
                                     .arg(text(q(x, second)))
                                     .arg(text(total)) +
                                 fits}),
                 .conclusion = QStringLiteral("答 %1 km").arg(x)};
    return d;
}

// Early at one speed, late at another: the time from leaving to the event is the same.
std::optional<Draft> earlyOrLate(FreshRandom& r) {
    struct Outing {
        QStringView to, event;
    };
    constexpr Outing outings[] = {{u"駅", u"発車時刻"}, {u"学校", u"始業時刻"}};
    const Outing o = pick(r, outings);
    auto w = drawTwoWays(r);
    if (!w) {
        return std::nullopt;
    }
    if (w->first < w->second) {
        std::swap(w->first, w->second);
    }
    const int fast = w->x / w->first;
    const int slow = w->x / w->second;
    const int early = r.between(1, 10);
    const int late = slow - fast - early;
    if (late < 1 || late > 10) {
        return std::nullopt;
    }
    const int until = fast + early;
    Draft d;
    d.x = q(w->x);
    d.storyHolds = q(w->x) / q(w->first) + q(early) == q(w->x) / q(w->second) - q(late);
    d.problem = {
        .question = QStringLiteral("家から%1まで、分速%2 mで歩くと%3の%4分前に着き、分速%5 mで"
                                   "歩くと%3に%6分遅れる。家から%1までの道のりを x m として、"
                                   "x を求めなさい。")
                        .arg(o.to)
                        .arg(w->first)
                        .arg(o.event)
                        .arg(early)
                        .arg(w->second)
                        .arg(late),
        .setUp = lines({wayLine({u"家", o.to}, u"m"),
                        QStringLiteral("家を出てから%1までの時間は|等しいから").arg(o.event)}),
        .equation =
            QStringLiteral("x/%1+%2=x/%3-%4").arg(w->first).arg(early).arg(w->second).arg(late),
        .check = lines({QStringLiteral("%1÷%2+%3=%4, %1÷%5-%6=%4")
                            .arg(w->x)
                            .arg(w->first)
                            .arg(early)
                            .arg(until)
                            .arg(w->second)
                            .arg(late) +
                        fits}),
        .conclusion = QStringLiteral("答 %1 m").arg(w->x)};
    return d;
}

// A change of speed on the way, the unknown being the time at the first speed.
enum class FirstLeg { Walk, Bike };

std::optional<Draft> changeByTime(FreshRandom& r, FirstLeg firstLeg) {
    const bool bikeFirst = firstLeg == FirstLeg::Bike;
    const int walk = drawStep(r, walkLow, walkHigh, speedStep);
    const int other = bikeFirst ? drawStep(r, cycleLow, cycleHigh, speedStep)
                                : drawStep(r, runLow, runHigh, speedStep);
    const int total = r.between(10, 40);
    const int x = r.between(3, total - 3);
    const int a = bikeFirst ? other : walk;
    const int b = bikeFirst ? walk : other;
    const int way = a * x + b * (total - x);
    // Running or walking the rest of the way takes a while, not most of the time.
    constexpr int restLongest = 15;
    if (!roundMetres(way, 6000) || total - x > restLongest) {
        return std::nullopt;
    }
    const QStringView to = pick(r, walkEnds).second;
    const QString story =
        bikeFirst ? QStringLiteral("家から%1 m離れた%2へ、はじめは分速%3 mの自転車で行き、途中で"
                                   "パンクしたので、そこから分速%4 mで歩いたところ、全部で%5分"
                                   "かかった。自転車に乗った時間を x 分として、x を求めなさい。")
                  : QStringLiteral("家から%1 m離れた%2へ、はじめは分速%3 mで歩き、途中から分速%4 m"
                                   "で走ったところ、全部で%5分かかった。歩いた時間を x 分として、"
                                   "x を求めなさい。");
    const QStringView firstTime = bikeFirst ? u"自転車に乗った時間" : u"歩いた時間";
    const QStringView secondTime = bikeFirst ? u"歩いた時間" : u"走った時間";
    const QStringView firstWay = bikeFirst ? u"自転車で進んだ道のり" : u"歩いた道のり";
    const QStringView secondWay = bikeFirst ? u"歩いた道のり" : u"走った道のり";
    Draft d;
    d.x = q(x);
    d.storyHolds = a * x + b * (total - x) == way;
    d.problem = {
        .question = story.arg(way).arg(to).arg(a).arg(b).arg(total),
        .setUp = lines({QStringLiteral("%1を x 分とすると、|%2は (%3-x) 分")
                            .arg(firstTime, secondTime)
                            .arg(total),
                        QStringLiteral("(%1)+|(%2)=%3").arg(firstWay, secondWay).arg(way)}),
        .equation = QStringLiteral("%1x+%2(%3-x)=%4").arg(a).arg(b).arg(total).arg(way),
        .check =
            lines({QStringLiteral("%1×%2=%3, %4×(%5-%2)=%6")
                       .arg(a)
                       .arg(x)
                       .arg(a * x)
                       .arg(b)
                       .arg(total)
                       .arg(b * (total - x)),
                   QStringLiteral("%1+%2=%3").arg(a * x).arg(b * (total - x)).arg(way) + fits}),
        .conclusion = QStringLiteral("答 %1分").arg(x)};
    return d;
}

std::optional<Draft> walkThenRun(FreshRandom& r) {
    return changeByTime(r, FirstLeg::Walk);
}

std::optional<Draft> bikeThenWalk(FreshRandom& r) {
    return changeByTime(r, FirstLeg::Bike);
}

// The same change, the unknown being the way at the first speed: the times as fractions.
// The bracket's denominator must not be the common one, or the window writes "1(...)".
bool clearsWell(int first, int second) {
    return std::lcm(first, second) != second;
}

std::optional<Draft> walkThenRunByWay(FreshRandom& r) {
    const int walk = drawStep(r, walkLow, walkHigh, speedStep);
    const int run = drawStep(r, runLow, runHigh, speedStep);
    const int walked = r.between(3, 20);
    const int ran = r.between(2, 15);
    const int x = walk * walked;
    const int way = x + run * ran;
    if (!roundMetres(x, 6000) || !roundMetres(way, 6000) || !clearsWell(walk, run)) {
        return std::nullopt;
    }
    const int total = walked + ran;
    Draft d;
    d.x = q(x);
    d.storyHolds = q(x) / q(walk) + q(way - x) / q(run) == q(total);
    d.problem = {
        .question = QStringLiteral("家から%1 m離れた%2へ、はじめは分速%3 mで歩き、途中から分速%4 m"
                                   "で走ったところ、全部で%5分かかった。歩いた道のりを x m として、"
                                   "x を求めなさい。")
                        .arg(way)
                        .arg(pick(r, walkEnds).second)
                        .arg(walk)
                        .arg(run)
                        .arg(total),
        .setUp =
            lines({QStringLiteral("歩いた道のりを x m とすると、|走った道のりは (%1-x) m").arg(way),
                   QStringLiteral("(歩いた時間)+(走った時間)=%1").arg(total)}),
        .equation = QStringLiteral("x/%1+(%2-x)/%3=%4").arg(walk).arg(way).arg(run).arg(total),
        .check = lines({QStringLiteral("%1÷%2=%3, (%4-%1)÷%5=%6")
                            .arg(x)
                            .arg(walk)
                            .arg(walked)
                            .arg(way)
                            .arg(run)
                            .arg(ran),
                        QStringLiteral("%1+%2=%3").arg(walked).arg(ran).arg(total) + fits}),
        .conclusion = QStringLiteral("答 %1 m").arg(x)};
    return d;
}

std::optional<Draft> bikeThenWalkByWay(FreshRandom& r) {
    const Pair ends = pick(r, towns);
    const int bike = r.between(cycleKmLow, cycleKmHigh);
    const int walk = r.between(walkKmLow, walkKmHigh);
    const int x = r.between(2, 20);
    const int walked = r.between(1, 6);
    const int way = x + walked;
    const Q total = q(x, bike) + q(walked, walk);
    const Q minutes = total * q(minutesPerHour);
    constexpr int minuteRound = 5;
    if (!isWhole(minutes) || minutes.num % minuteRound != 0 || !clearsWell(bike, walk)) {
        return std::nullopt;
    }
    const int m = static_cast<int>(minutes.num);
    std::vector<QString> setUp =
        lines({QStringLiteral("自転車で進んだ道のりを x km とすると、|歩いた道のりは (%1-x) km")
                   .arg(way)});
    if (m % minutesPerHour != 0) {
        setUp.push_back(hoursLine(m));
    }
    setUp.push_back(QStringLiteral("(自転車に乗った時間)+(歩いた時間)=%1").arg(text(total)));
    Draft d;
    d.x = q(x);
    d.storyHolds = q(x) / q(bike) + q(way - x) / q(walk) == hours(m);
    d.problem = {
        .question = QStringLiteral("%1から%2 km離れた%3へ、はじめは時速%4 kmの自転車で行き、"
                                   "途中から時速%5 kmで歩いたところ、全部で%6かかった。自転車で"
                                   "進んだ道のりを x km として、x を求めなさい。")
                        .arg(ends.first)
                        .arg(way)
                        .arg(ends.second)
                        .arg(bike)
                        .arg(walk)
                        .arg(minutesText(m)),
        .setUp = setUp,
        .equation =
            QStringLiteral("x/%1+(%2-x)/%3=%4").arg(bike).arg(way).arg(walk).arg(text(total)),
        .check = lines({QStringLiteral("%1÷%2=%3, (%4-%1)÷%5=%6, |%3+%6=%7")
                            .arg(x)
                            .arg(bike)
                            .arg(text(q(x, bike)))
                            .arg(way)
                            .arg(walk)
                            .arg(text(q(walked, walk)))
                            .arg(text(total)) +
                        fits}),
        .conclusion = QStringLiteral("答 %1 km").arg(x)};
    return d;
}

} // namespace

SetMakers speedMakers() {
    return {{meetingOnRoad, meetingRoundPond}, {meetingByBike, pondByBike}};
}

SetMakers timeMakers() {
    return {{chaseOnRoad, lappingRoundPond}, {chaseInHours, chaseKmPerHour}};
}

SetMakers distanceMakers() {
    return {{thereAndBack, slowerTakesLonger}, {thereAndBackInHours, earlyOrLate}};
}

SetMakers changingSpeedMakers() {
    return {{walkThenRun, bikeThenWalk}, {walkThenRunByWay, bikeThenWalkByWay}};
}

} // namespace minamo::stories
