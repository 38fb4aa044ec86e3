// 標準1, 標準2 and 標準3: a quantity and a part of it given as a rate, in percent or in
// 割・分・厘. The equation keeps the rate as a fraction in lowest terms, which the window's
// worked solution then clears; prices are in tens of yen, the answers whole.

#include "stories/story_kit.h"

namespace minamo::stories {

namespace {

constexpr int hundred = 100;
constexpr int thousand = 1000;
constexpr int yenRound = 10;

// What the story's total is: the rate of x (Of), or x with that much added (More) or taken
// away (Less).
enum class Change { Of, More, Less };

struct RateStory {
    QString question;
    QString xLine;    // 「原価を x 円とする。」
    QString words;    // the equal quantities in words; none for a part alone
    Q rate;           // the rate as a number
    QString shown;    // the rate as the first equation writes it: "30/100", "3/20"
    QString rateLine; // 「1割5分=15/100=3/20」 for a rate in 割・分・厘
    Change change = Change::Of;
    int x = 0;
    int total = 0;
    QStringView unit; // 円, 人
};

std::optional<Draft> rateDraft(const RateStory& s) {
    const Q part = q(s.x) * s.rate;
    if (!isWhole(part) || part.num <= 0) {
        return std::nullopt;
    }
    const QString sign = s.change == Change::More ? QStringLiteral("+") : QStringLiteral("-");
    Draft d;
    d.x = q(s.x);
    d.storyHolds = (s.change == Change::Of     ? part
                    : s.change == Change::More ? q(s.x) + part
                                               : q(s.x) - part) == q(s.total);
    std::vector<QString> setUp = {s.xLine};
    if (!s.rateLine.isEmpty()) {
        setUp.push_back(s.rateLine);
    }
    if (!s.words.isEmpty()) {
        setUp.push_back(s.words);
    }
    if (s.change == Change::Of) {
        setUp.push_back(QStringLiteral("x×%1=%2").arg(s.shown).arg(s.total));
        d.problem.equation = QStringLiteral("%1=%2").arg(timesX(s.rate)).arg(s.total);
        d.problem.check =
            lines({QStringLiteral("%1×%2=%3").arg(s.x).arg(s.shown).arg(s.total) + fits});
    } else {
        setUp.push_back(QStringLiteral("x%1x×%2=%3").arg(sign, s.shown).arg(s.total));
        d.problem.equation = QStringLiteral("x%1%2=%3").arg(sign, timesX(s.rate)).arg(s.total);
        d.problem.check = lines({QStringLiteral("%1×%2=%3, |%1%4%3=%5")
                                     .arg(s.x)
                                     .arg(s.shown, text(part), sign)
                                     .arg(s.total) +
                                 fits});
    }
    if (s.shown != text(s.rate)) {
        setUp.push_back(QStringLiteral("%1 を約分して").arg(s.shown));
    }
    d.problem.question = s.question;
    d.problem.setUp = setUp;
    d.problem.conclusion = QStringLiteral("答 %1%2").arg(s.x).arg(s.unit);
    return d;
}

QString percentShown(int percent) {
    return QStringLiteral("%1/100").arg(percent);
}

// A rate in thousandths as 割・分・厘: 125 → 「1割2分5厘」.
QString buaiText(int thousandths) {
    const int wari = thousandths / 100, bu = thousandths / 10 % 10, rin = thousandths % 10;
    QString out;
    if (wari > 0) {
        out += QStringLiteral("%1割").arg(wari);
    }
    if (bu > 0) {
        out += QStringLiteral("%1分").arg(bu);
    }
    if (rin > 0) {
        out += QStringLiteral("%1厘").arg(rin);
    }
    return out;
}

// 「1割5分=15/100=3/20」: the rate over 10, 100 or 1000 as its smallest place says, then in
// lowest terms.
QString buaiLine(int thousandths) {
    const QString over = thousandths % 10 != 0    ? QStringLiteral("%1/1000").arg(thousandths)
                         : thousandths % 100 != 0 ? QStringLiteral("%1/100").arg(thousandths / 10)
                                                  : QStringLiteral("%1/10").arg(thousandths / 100);
    const QString lowest = text(q(thousandths, thousand));
    return buaiText(thousandths) + u'=' + over + (over == lowest ? QString() : u'=' + lowest);
}

RateStory percentStory(int percent) {
    return {.rate = q(percent, hundred), .shown = percentShown(percent)};
}

RateStory buaiStory(int thousandths) {
    const Q rate = q(thousandths, thousand);
    return {.rate = rate, .shown = text(rate), .rateLine = buaiLine(thousandths)};
}

// A rate of 割 and 分 (no 厘), or one with 厘, from 1割 to below 5割: a rate of 分 alone
// ("5分増えて") would read as minutes.
int drawBu(FreshRandom& r) {
    const int hundredths = r.between(11, 49);
    return hundredths % 10 == 0 ? 0 : hundredths * 10;
}

int drawRin(FreshRandom& r) {
    const int t = drawStep(r, 125, 475, 25);
    return t % 10 == 0 ? 0 : t;
}

// 標準1

std::optional<Draft> percentOf(FreshRandom& r) {
    const int percent = drawStep(r, 10, 90, 5);
    RateStory s = percentStory(percent);
    const bool money = r.between(0, 1) == 0;
    s.x = money ? drawStep(r, 500, 5000, 100) : drawStep(r, 200, 900, 10);
    const Q part = q(s.x) * s.rate;
    if (!isWhole(part) || (money && part.num % yenRound != 0)) {
        return std::nullopt;
    }
    s.total = static_cast<int>(part.num);
    if (money) {
        s.question = QStringLiteral("はじめに持っていたお金の%1%で、%2円の本を買った。はじめに"
                                    "持っていたお金を x 円として、x を求めなさい。");
        s.xLine = QStringLiteral("はじめに持っていたお金を x 円とする。");
        s.unit = u"円";
    } else {
        s.question =
            QStringLiteral("ある中学校の生徒のうち、%1%にあたる%2人が自転車で通学している。"
                           "この中学校の生徒数を x 人として、x を求めなさい。");
        s.xLine = QStringLiteral("この中学校の生徒数を x 人とする。");
        s.unit = u"人";
    }
    s.question = s.question.arg(percent).arg(s.total);
    return rateDraft(s);
}

// A whole with a percent more or less, in people or in yen.
std::optional<Draft> percentChange(FreshRandom& r, Change change) {
    const bool people = r.between(0, 1) == 0;
    const int percent = people ? r.between(2, 30) : drawStep(r, 5, 40, 5);
    RateStory s = percentStory(percent);
    s.change = change;
    s.x = people ? drawStep(r, 200, 900, 10) : drawStep(r, 500, 3000, 100);
    const Q part = q(s.x) * s.rate;
    if (!isWhole(part) || (!people && part.num % yenRound != 0)) {
        return std::nullopt;
    }
    const bool more = change == Change::More;
    s.total = static_cast<int>(more ? s.x + part.num : s.x - part.num);
    if (people && more) {
        s.question = QStringLiteral("ある中学校の今年の生徒数は、昨年より%1%増えて%2人になった。"
                                    "昨年の生徒数を x 人として、x を求めなさい。");
        s.xLine = QStringLiteral("昨年の生徒数を x 人とする。");
        s.words = QStringLiteral("(昨年の生徒数)+(増えた人数)=%1");
    } else if (people) {
        s.question = QStringLiteral("ある図書館の今月の利用者数は、先月より%1%減って%2人だった。"
                                    "先月の利用者数を x 人として、x を求めなさい。");
        s.xLine = QStringLiteral("先月の利用者数を x 人とする。");
        s.words = QStringLiteral("(先月の利用者数)-(減った人数)=%1");
    } else if (more) {
        s.question = QStringLiteral("ある品物の値段が%1%値上がりして、%2円になった。もとの値段を"
                                    " x 円として、x を求めなさい。");
        s.xLine = QStringLiteral("もとの値段を x 円とする。");
        s.words = QStringLiteral("(もとの値段)+(値上がりした額)=%1");
    } else {
        s.question = QStringLiteral("ある品物の値段が%1%値下がりして、%2円になった。もとの値段を"
                                    " x 円として、x を求めなさい。");
        s.xLine = QStringLiteral("もとの値段を x 円とする。");
        s.words = QStringLiteral("(もとの値段)-(値下がりした額)=%1");
    }
    s.question = s.question.arg(percent).arg(s.total);
    s.words = s.words.arg(s.total);
    s.unit = people ? u"人" : u"円";
    return rateDraft(s);
}

std::optional<Draft> percentMore(FreshRandom& r) {
    return percentChange(r, Change::More);
}
std::optional<Draft> percentLess(FreshRandom& r) {
    return percentChange(r, Change::Less);
}

std::optional<Draft> percentOfOther(FreshRandom& r) {
    const Pair who = pick(r, people);
    const int percent = drawStep(r, 10, 90, 5);
    RateStory s = percentStory(percent);
    s.change = Change::More;
    s.x = drawStep(r, 1000, 5000, 100);
    const Q part = q(s.x) * s.rate;
    if (!isWhole(part) || part.num % yenRound != 0) {
        return std::nullopt;
    }
    s.total = static_cast<int>(s.x + part.num);
    s.question = QStringLiteral("%1の貯金は x 円で、%2の貯金は%1の貯金の%3%である。2人の貯金を"
                                "合わせると%4円になる。x を求めなさい。")
                     .arg(who.first, who.second)
                     .arg(percent)
                     .arg(s.total);
    s.xLine = QStringLiteral("%1の貯金を x 円とする。").arg(who.first);
    s.words = QStringLiteral("(%1の貯金)+(%2の貯金)=%3").arg(who.first, who.second).arg(s.total);
    s.unit = u"円";
    return rateDraft(s);
}

// Boys up, girls down: the change of the whole. Both sides times 100, as the numbers are
// small.
std::optional<Draft> boysAndGirls(FreshRandom& r) {
    const int total = drawStep(r, 300, 800, 10);
    const int x = drawStep(r, total / 4, total * 3 / 4, 10);
    const int up = r.between(2, 20);
    const int down = r.between(2, 20);
    const int girls = total - x;
    if (x * up % hundred != 0 || girls * down % hundred != 0) {
        return std::nullopt;
    }
    const int gained = x * up / hundred, lost = girls * down / hundred;
    const int change = gained - lost;
    if (change <= 0) {
        return std::nullopt;
    }
    Draft d;
    d.x = q(x);
    d.storyHolds = q(x) * q(up, hundred) - q(girls) * q(down, hundred) == q(change);
    d.problem = {
        .question = QStringLiteral("ある中学校の昨年の生徒数は%1人だった。今年は、男子が%2%増え、"
                                   "女子が%3%減ったので、全体で%4人増えた。昨年の男子の人数を"
                                   " x 人として、x を求めなさい。")
                        .arg(total)
                        .arg(up)
                        .arg(down)
                        .arg(change),
        .setUp = lines(
            {QStringLiteral("昨年の男子を x 人とすると、|女子は (%1-x) 人").arg(total),
             QStringLiteral("(男子の増えた人数)-(女子の減った人数)=%1").arg(change),
             QStringLiteral("x×%1/100-(%2-x)×%3/100=%4").arg(up).arg(total).arg(down).arg(change),
             QStringLiteral("両辺に100をかけて")}),
        .equation =
            QStringLiteral("%1x-%2(%3-x)=%4").arg(up).arg(down).arg(total).arg(change * hundred),
        .check = lines({QStringLiteral("%1×%2/100=%3, %4×%5/100=%6, |%3-%6=%7")
                            .arg(x)
                            .arg(up)
                            .arg(gained)
                            .arg(girls)
                            .arg(down)
                            .arg(lost)
                            .arg(change) +
                        fits}),
        .conclusion = QStringLiteral("答 %1人").arg(x)};
    return d;
}

// 標準2

std::optional<Draft> costToList(FreshRandom& r) {
    const int percent = drawStep(r, 10, 50, 5);
    RateStory s = percentStory(percent);
    s.change = Change::More;
    s.x = drawStep(r, 500, 5000, 100);
    s.total = s.x * percent / hundred + s.x;
    s.question = QStringLiteral("原価 x 円の品物に、原価の%1%の利益を見込んで定価をつけたら、"
                                "定価は%2円になった。x を求めなさい。")
                     .arg(percent)
                     .arg(s.total);
    s.xLine = QStringLiteral("原価を x 円とする。");
    s.words = QStringLiteral("(原価)+(利益)=(定価)");
    s.unit = u"円";
    return s.total % yenRound == 0 ? rateDraft(s) : std::nullopt;
}

std::optional<Draft> listToPaid(FreshRandom& r) {
    const int percent = drawStep(r, 5, 50, 5);
    RateStory s = percentStory(percent);
    s.change = Change::Less;
    s.x = drawStep(r, 500, 5000, 100);
    s.total = s.x - s.x * percent / hundred;
    s.question = QStringLiteral("定価 x 円の品物を、定価の%1%引きで買ったら、代金は%2円だった。"
                                "x を求めなさい。")
                     .arg(percent)
                     .arg(s.total);
    s.xLine = QStringLiteral("定価を x 円とする。");
    s.words = QStringLiteral("(定価)-(値引きの額)=(代金)");
    s.unit = u"円";
    return s.total % yenRound == 0 ? rateDraft(s) : std::nullopt;
}

std::optional<Draft> sellingForProfit(FreshRandom& r) {
    const int cost = drawStep(r, 500, 3000, 100);
    const int percent = drawStep(r, 5, 50, 5);
    if (cost * percent % (hundred * yenRound) != 0) {
        return std::nullopt;
    }
    const int profit = cost * percent / hundred;
    const int x = cost + profit;
    Draft d;
    d.x = q(x);
    d.storyHolds = q(x) - q(cost) == q(cost) * q(percent, hundred);
    d.problem = {
        .question = QStringLiteral("原価%1円の品物を x 円で売ったところ、原価の%2%の利益があった。"
                                   "x を求めなさい。")
                        .arg(cost)
                        .arg(percent),
        .setUp = {QStringLiteral("売り値を x 円とする。"), QStringLiteral("(売り値)-(原価)=(利益)"),
                  QStringLiteral("x-%1=%1×%2/100").arg(cost).arg(percent)},
        .equation = QStringLiteral("x-%1=%2").arg(cost).arg(profit),
        .check = lines(
            {QStringLiteral("%1-%2=%3, %2×%4/100=%3").arg(x).arg(cost).arg(profit).arg(percent) +
             fits}),
        .conclusion = QStringLiteral("答 %1円").arg(x)};
    return d;
}

// A profit in 割 on the cost, then a discount on the list price (in 割, or in 割・分 with
// its conversion line): the profit left.
enum class Discount { Wari, Buai };

std::optional<Draft> markUpThenDown(FreshRandom& r, Discount style) {
    const int margin = r.between(1, 5);
    const int off = style == Discount::Wari ? r.between(1, 3) * hundred : drawBu(r);
    if (off == 0 || off >= 500) {
        return std::nullopt;
    }
    const int x = drawStep(r, 500, 5000, 100);
    const Q listRate = q(10 + margin, 10);
    const Q keep = q(1) - q(off, thousand);
    const Q sellRate = listRate * keep;
    const Q list = q(x) * listRate;
    const Q sell = list * keep;
    const Q profit = sell - q(x);
    if (!isWhole(list) || !isWhole(sell) || profit.num <= 0 || profit.num % yenRound != 0) {
        return std::nullopt;
    }
    const QString offText = style == Discount::Wari ? QStringLiteral("%1/10").arg(off / hundred)
                                                    : text(q(off, thousand));
    std::vector<QString> setUp = {
        QStringLiteral("原価を x 円とする。"),
        QStringLiteral("定価は x×(1+%1/10)=%2 (円)").arg(margin).arg(timesX(listRate))};
    if (style == Discount::Buai) {
        setUp.push_back(buaiLine(off));
    }
    setUp.push_back(QStringLiteral("売り値は %1×(1-%2)=%3 (円)")
                        .arg(timesX(listRate), offText, timesX(sellRate)));
    setUp.push_back(QStringLiteral("(売り値)-(原価)=(利益)"));
    const QString story =
        style == Discount::Wari
            ? QStringLiteral("原価 x 円の品物に%1割の利益を見込んで定価をつけ、定価の%2割引きで"
                             "売ったところ、利益は%3円だった。x を求めなさい。")
                  .arg(margin)
                  .arg(off / hundred)
                  .arg(profit.num)
            : QStringLiteral("原価 x 円の品物に%1割の利益を見込んで定価をつけたが、定価の%2引きで"
                             "売ったので、利益は%3円になった。x を求めなさい。")
                  .arg(margin)
                  .arg(buaiText(off))
                  .arg(profit.num);
    Draft d;
    d.x = q(x);
    d.storyHolds = q(x) * listRate * keep - q(x) == profit;
    d.problem = {.question = story,
                 .setUp = setUp,
                 .equation = QStringLiteral("%1-x=%2").arg(timesX(sellRate)).arg(profit.num),
                 .check = lines({QStringLiteral("%1×%2=%3, %3×%4=%5, |%5-%1=%6")
                                     .arg(x)
                                     .arg(text(listRate), text(list), text(keep), text(sell))
                                     .arg(profit.num) +
                                 fits}),
                 .conclusion = QStringLiteral("答 %1円").arg(x)};
    return d;
}

std::optional<Draft> markUpThenDownWari(FreshRandom& r) {
    return markUpThenDown(r, Discount::Wari);
}
std::optional<Draft> markUpThenDownBuai(FreshRandom& r) {
    return markUpThenDown(r, Discount::Buai);
}

// The list price from a discount that still leaves a profit on a known cost.
std::optional<Draft> listForProfit(FreshRandom& r) {
    const int cost = drawStep(r, 500, 3000, 100);
    const int off = drawStep(r, 5, 40, 5);
    const int gain = drawStep(r, 5, 40, 5);
    const Q sell = q(cost) * q(hundred + gain, hundred);
    const Q x = sell / q(hundred - off, hundred);
    if (!isWhole(sell) || !isWhole(x) || x.num % yenRound != 0) {
        return std::nullopt;
    }
    const Q offRate = q(off, hundred);
    const Q cut = x * offRate;
    const Q profit = q(cost) * q(gain, hundred);
    Draft d;
    d.x = x;
    d.storyHolds = x - cut == q(cost) + profit;
    d.problem = {
        .question = QStringLiteral("原価%1円の品物に定価をつけ、定価の%2%引きで売ったところ、"
                                   "原価の%3%の利益があった。定価を x 円として、x を求めなさい。")
                        .arg(cost)
                        .arg(off)
                        .arg(gain),
        .setUp = lines({QStringLiteral("定価を x 円とする。"),
                        QStringLiteral("(定価)-(値引きの額)=|(原価)+(利益)"),
                        QStringLiteral("x-x×%1/100=%2+%2×%3/100").arg(off).arg(cost).arg(gain),
                        QStringLiteral("%1/100 を約分し、右辺を計算して").arg(off)}),
        .equation = QStringLiteral("x-%1=%2").arg(timesX(offRate), text(sell)),
        .check = lines({QStringLiteral("%1×%2/100=%3, %1-%3=%4,")
                            .arg(text(x))
                            .arg(off)
                            .arg(text(cut), text(sell)),
                        QStringLiteral("%1×%2/100=%3, %1+%3=%4")
                                .arg(cost)
                                .arg(gain)
                                .arg(text(profit), text(sell)) +
                            fits}),
        .conclusion = QStringLiteral("答 %1円").arg(text(x))};
    return d;
}

// 標準3

std::optional<Draft> buaiDiscount(FreshRandom& r, int thousandths) {
    if (thousandths == 0) {
        return std::nullopt;
    }
    RateStory s = buaiStory(thousandths);
    s.change = Change::Less;
    s.x = drawStep(r, 500, 3000, 100);
    const Q paid = q(s.x) - q(s.x) * s.rate;
    if (!isWhole(paid) || paid.num % yenRound != 0) {
        return std::nullopt;
    }
    s.total = static_cast<int>(paid.num);
    s.question = QStringLiteral("定価 x 円の品物を、定価の%1引きで買ったら、代金は%2円だった。"
                                "x を求めなさい。")
                     .arg(buaiText(thousandths))
                     .arg(s.total);
    s.xLine = QStringLiteral("定価を x 円とする。");
    s.words = QStringLiteral("(定価)-(値引きの額)=(代金)");
    s.unit = u"円";
    return rateDraft(s);
}

std::optional<Draft> buDiscount(FreshRandom& r) {
    return buaiDiscount(r, drawBu(r));
}
std::optional<Draft> rinDiscount(FreshRandom& r) {
    return buaiDiscount(r, drawRin(r));
}

std::optional<Draft> buaiOf(FreshRandom& r) {
    const int thousandths = drawBu(r);
    if (thousandths == 0) {
        return std::nullopt;
    }
    RateStory s = buaiStory(thousandths);
    s.x = drawStep(r, 200, 900, 10);
    const Q part = q(s.x) * s.rate;
    if (!isWhole(part)) {
        return std::nullopt;
    }
    s.total = static_cast<int>(part.num);
    s.question = QStringLiteral("ある中学校の生徒のうち、%1にあたる%2人が自転車で通学している。"
                                "この中学校の生徒数を x 人として、x を求めなさい。")
                     .arg(buaiText(thousandths))
                     .arg(s.total);
    s.xLine = QStringLiteral("この中学校の生徒数を x 人とする。");
    s.unit = u"人";
    return rateDraft(s);
}

std::optional<Draft> buaiMore(FreshRandom& r) {
    const int thousandths = drawBu(r);
    if (thousandths == 0) {
        return std::nullopt;
    }
    RateStory s = buaiStory(thousandths);
    s.change = Change::More;
    s.x = drawStep(r, 200, 900, 10);
    const Q part = q(s.x) * s.rate;
    if (!isWhole(part)) {
        return std::nullopt;
    }
    s.total = static_cast<int>(s.x + part.num);
    s.question = QStringLiteral("ある催しの今年の入場者数は、昨年より%1増えて%2人になった。"
                                "昨年の入場者数を x 人として、x を求めなさい。")
                     .arg(buaiText(thousandths))
                     .arg(s.total);
    s.xLine = QStringLiteral("昨年の入場者数を x 人とする。");
    s.words = QStringLiteral("(昨年の入場者数)+(増えた人数)=%1").arg(s.total);
    s.unit = u"人";
    return rateDraft(s);
}

std::optional<Draft> buaiMargin(FreshRandom& r) {
    const int thousandths = r.between(0, 1) == 0 ? drawRin(r) : drawBu(r);
    if (thousandths == 0) {
        return std::nullopt;
    }
    RateStory s = buaiStory(thousandths);
    s.change = Change::More;
    s.x = drawStep(r, 500, 3000, 100);
    const Q list = q(s.x) + q(s.x) * s.rate;
    if (!isWhole(list) || list.num % yenRound != 0) {
        return std::nullopt;
    }
    s.total = static_cast<int>(list.num);
    s.question = QStringLiteral("原価 x 円の品物に、原価の%1の利益を見込んで定価をつけたら、"
                                "定価は%2円になった。x を求めなさい。")
                     .arg(buaiText(thousandths))
                     .arg(s.total);
    s.xLine = QStringLiteral("原価を x 円とする。");
    s.words = QStringLiteral("(原価)+(利益)=(定価)");
    s.unit = u"円";
    return rateDraft(s);
}

} // namespace

SetMakers percentMakers() {
    return {{percentOf, percentMore, percentLess}, {boysAndGirls, percentOfOther}};
}

SetMakers priceMakers() {
    return {{costToList, listToPaid, sellingForProfit}, {markUpThenDownWari, listForProfit}};
}

SetMakers buaiMakers() {
    return {{buDiscount, buaiOf, buaiMore}, {rinDiscount, buaiMargin, markUpThenDownBuai}};
}

} // namespace minamo::stories
