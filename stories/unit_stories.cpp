// 難問１: stories whose numbers come in two units, to be made one before the equation is
// written: g and kg, cm and m, km/h and m/min, minutes as parts of an hour. The easier group
// turns the larger unit into the smaller (whole numbers); the harder keeps the larger and
// writes the smaller as a fraction of it.

#include "stories/story_kit.h"

namespace minamo::stories {

namespace {

constexpr int gramsPerKg = 1000;
constexpr int cmPerMetre = 100;
constexpr int metresPerKm = 1000;
constexpr int minutesPerHour = 60;

std::optional<Draft> itemsInBasket(FreshRandom& r) {
    struct Item {
        QStringView name, counter, box;
    };
    constexpr Item items[] = {{u"りんご", u"個", u"かご"}, {u"缶づめ", u"個", u"箱"}};
    const Item item = pick(r, items);
    const int each = drawStep(r, 100, 400, 10);
    const int box = drawStep(r, 200, 1000, 50);
    const int x = r.between(5, 30);
    const int grams = each * x + box;
    if (grams % gramsPerKg != 0 || grams > 10 * gramsPerKg) {
        return std::nullopt;
    }
    const int kg = grams / gramsPerKg;
    Draft d;
    d.x = q(x);
    d.storyHolds = q(each * x + box, gramsPerKg) == q(kg);
    d.problem = {.question =
                     QStringLiteral("1%1%2 gの%3を x %1、重さ%4 gの%5に入れると、全体の重さは%6 kg"
                                    "になった。x を求めなさい。")
                         .arg(item.counter)
                         .arg(each)
                         .arg(item.name)
                         .arg(box)
                         .arg(item.box)
                         .arg(kg),
                 .setUp = {QStringLiteral("%1の数を x %2とする。").arg(item.name, item.counter),
                           QStringLiteral("%1 kg=%2 g だから").arg(kg).arg(grams),
                           QStringLiteral("%1×x+%2=%3").arg(each).arg(box).arg(grams)},
                 .equation = QStringLiteral("%1x+%2=%3").arg(each).arg(box).arg(grams),
                 .check = lines({QStringLiteral("%1×%2+%3=%4, %4 g=%5 kg")
                                     .arg(each)
                                     .arg(x)
                                     .arg(box)
                                     .arg(grams)
                                     .arg(kg) +
                                 fits}),
                 .conclusion = QStringLiteral("答 %1%2").arg(x).arg(item.counter)};
    return d;
}

std::optional<Draft> tapeCut(FreshRandom& r) {
    const int metres = r.between(2, 10);
    const int pieces = r.between(3, 9);
    const int left = drawStep(r, 10, 90, 10);
    const int cm = metres * cmPerMetre - left;
    if (cm % pieces != 0 || cm / pieces % 5 != 0 || cm / pieces >= cmPerMetre) {
        return std::nullopt;
    }
    const int x = cm / pieces;
    Draft d;
    d.x = q(x);
    d.storyHolds = q(x * pieces + left, cmPerMetre) == q(metres);
    d.problem = {
        .question = QStringLiteral("長さ%1 mのテープから、1本 x cmのテープを%2本切り取ると、%3 cm"
                                   "残った。x を求めなさい。")
                        .arg(metres)
                        .arg(pieces)
                        .arg(left),
        .setUp = {QStringLiteral("1本の長さを x cm とする。"),
                  QStringLiteral("%1 m=%2 cm だから").arg(metres).arg(metres * cmPerMetre),
                  QStringLiteral("x×%1+%2=%3").arg(pieces).arg(left).arg(metres * cmPerMetre)},
        .equation = QStringLiteral("%1x+%2=%3").arg(pieces).arg(left).arg(metres * cmPerMetre),
        .check = lines({QStringLiteral("%1×%2+%3=%4, %4 cm=%5 m")
                            .arg(x)
                            .arg(pieces)
                            .arg(left)
                            .arg(metres * cmPerMetre)
                            .arg(metres) +
                        fits}),
        .conclusion = QStringLiteral("答 %1 cm").arg(x)};
    return d;
}

std::optional<Draft> bikeThenWalkSpeed(FreshRandom& r) {
    // 時速12, 15, 18 km are 分速200, 250, 300 m.
    constexpr int kms[] = {12, 15, 18};
    const int km = pick(r, kms);
    const int perMinute = km * metresPerKm / minutesPerHour;
    const int rode = r.between(5, 20);
    const int walked = r.between(5, 30);
    const int x = drawStep(r, 50, 90, 10);
    const int way = perMinute * rode + x * walked;
    if (way % 100 != 0) {
        return std::nullopt;
    }
    Draft d;
    d.x = q(x);
    d.storyHolds = q(km * metresPerKm, minutesPerHour) * q(rode) + q(x * walked) == q(way);
    d.problem = {
        .question =
            QStringLiteral("はじめに時速%1 kmの自転車で%2分進み、続けて分速 x mで%3分歩くと、"
                           "全部で%4 m進んだ。x を求めなさい。")
                .arg(km)
                .arg(rode)
                .arg(walked)
                .arg(way),
        .setUp = {QStringLiteral("歩く速さを分速 x m とする。"),
                  QStringLiteral("時速%1 km=分速%2 m だから").arg(km).arg(perMinute),
                  QStringLiteral("(自転車で進んだ道のり)+(歩いた道のり)=%1").arg(way),
                  QStringLiteral("%1×%2+x×%3=%4").arg(perMinute).arg(rode).arg(walked).arg(way)},
        .equation = QStringLiteral("%1+%2x=%3").arg(perMinute * rode).arg(walked).arg(way),
        .check = lines(
            {QStringLiteral("%1×%2+%3×%4=%5").arg(perMinute).arg(rode).arg(x).arg(walked).arg(way) +
             fits}),
        .conclusion = QStringLiteral("答 分速%1 m").arg(x)};
    return d;
}

std::optional<Draft> walkingTakesLonger(FreshRandom& r) {
    constexpr QStringView places[] = {u"図書館", u"駅", u"おじの家"};
    const QStringView place = pick(r, places);
    const int walk = r.between(3, 6);
    const int bike = r.between(10, 20);
    const int x = r.between(1, 10);
    const Q difference = q(x, walk) - q(x, bike);
    const Q minutes = difference * q(minutesPerHour);
    constexpr int longest = 90;
    if (!isWhole(minutes) || minutes.num % 5 != 0 || minutes.num > longest || isWhole(difference)) {
        return std::nullopt;
    }
    const int m = static_cast<int>(minutes.num);
    Draft d;
    d.x = q(x);
    d.storyHolds = q(x) / q(walk) - q(x) / q(bike) == q(m, minutesPerHour);
    d.problem = {
        .question =
            QStringLiteral("家から%1まで、時速%2 kmで歩くと、時速%3 kmの自転車で行くより"
                           "%4多くかかる。家から%1までの道のりを x km として、x を求めなさい。")
                .arg(place)
                .arg(walk)
                .arg(bike)
                .arg(minutesText(m)),
        .setUp = {QStringLiteral("家から%1までの道のりを x km とする。").arg(place), hoursLine(m),
                  QStringLiteral("(歩く時間)-(自転車の時間)=%1").arg(text(difference))},
        .equation = QStringLiteral("x/%1-x/%2=%3").arg(walk).arg(bike).arg(text(difference)),
        .check = lines({QStringLiteral("%1÷%2=%3, %1÷%4=%5, |%3-%5=%6")
                            .arg(x)
                            .arg(walk)
                            .arg(text(q(x, walk)))
                            .arg(bike)
                            .arg(text(q(x, bike)))
                            .arg(text(difference)) +
                        fits}),
        .conclusion = QStringLiteral("答 %1 km").arg(x)};
    return d;
}

// What is left is a fraction of the whole: x - used = f·x, the used part in the smaller unit.
struct WhatIsLeft {
    QString question, xLine, unitLine;
    QString firstForm; // the equation as first written, or the equal quantities in words
    Q used;            // in the larger unit
    Q left;            // the fraction left
    int x = 0;
    QStringView unit;
};

Draft leftDraft(const WhatIsLeft& p) {
    const Q x = q(p.x);
    const Q rest = x - p.used;
    Draft d;
    d.x = x;
    d.storyHolds = rest == x * p.left;
    d.problem = {.question = p.question,
                 .setUp = {p.xLine, p.unitLine, p.firstForm},
                 .equation = QStringLiteral("x-%1=%2").arg(text(p.used), timesX(p.left)),
                 .check = lines({QStringLiteral("%1-%2=%3, %1×%4=%3")
                                     .arg(p.x)
                                     .arg(text(p.used), text(rest), text(p.left)) +
                                 fits}),
                 .conclusion = QStringLiteral("答 %1 %2").arg(p.x).arg(p.unit)};
    return d;
}

std::optional<Draft> sugarUsed(FreshRandom& r) {
    constexpr QStringView foods[] = {u"砂糖", u"小麦粉", u"米"};
    const QStringView food = pick(r, foods);
    const int x = r.between(1, 10);
    const int den = r.between(2, 10);
    const Q left = q(r.between(1, den - 1), den);
    const Q used = q(x) * (q(1) - left);
    const Q grams = used * q(gramsPerKg);
    if (left.den != den || !isWhole(grams) || grams.num % 50 != 0 || grams.num >= gramsPerKg) {
        return std::nullopt;
    }
    return leftDraft(
        {.question = QStringLiteral("%1が x kgあった。そのうち%2 gを使ったところ、残りははじめの%3"
                                    "になった。x を求めなさい。")
                         .arg(food)
                         .arg(grams.num)
                         .arg(text(left)),
         .xLine = QStringLiteral("はじめの%1を x kg とする。").arg(food),
         .unitLine = QStringLiteral("%1 g=%1/1000 kg=%2 kg").arg(grams.num).arg(text(used)),
         .firstForm = QStringLiteral("(はじめの重さ)-(使った重さ)=(残りの重さ)"),
         .used = used,
         .left = left,
         .x = x,
         .unit = u"kg"});
}

std::optional<Draft> ribbonCut(FreshRandom& r) {
    const int x = r.between(1, 10);
    const int cm = drawStep(r, 10, 90, 10);
    const int pieces = r.between(2, 9);
    const Q each = q(cm, cmPerMetre);
    const Q used = each * q(pieces);
    const Q left = (q(x) - used) / q(x);
    if (left.num <= 0 || left.den > 10) {
        return std::nullopt;
    }
    return leftDraft(
        {.question =
             QStringLiteral("長さ x mのリボンから、%1 cmのリボンを%2本切り取ったところ、残りは"
                            "はじめの%3になった。x を求めなさい。")
                 .arg(cm)
                 .arg(pieces)
                 .arg(text(left)),
         .xLine = QStringLiteral("はじめのリボンの長さを x m とする。"),
         .unitLine = QStringLiteral("%1 cm=%1/100 m=%2 m").arg(cm).arg(text(each)),
         .firstForm = QStringLiteral("x-%1×%2=%3").arg(text(each)).arg(pieces).arg(timesX(left)),
         .used = used,
         .left = left,
         .x = x,
         .unit = u"m"});
}

} // namespace

SetMakers unitsMakers() {
    return {{itemsInBasket, tapeCut, bikeThenWalkSpeed},
            {walkingTakesLonger, sugarUsed, ribbonCut}};
}

} // namespace minamo::stories
