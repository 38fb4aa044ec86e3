#pragma once

// Word problems and ratio equations made answer-first from a seed. A problem's answer and the
// story's other numbers are drawn, the rest computed, and the problem is taken only when it
// is proven: the exact solver finds the answer in its equation (and in its ratio equation,
// where it has one), the answer put back into the story's own quantities satisfies the story,
// the window's worked solution of the equation ends on it, its numbers are the friendly ones
// a textbook uses, and every line is short enough to draw.

#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace minamo {

enum class StorySet {
    Speed,        // 速さ: an unknown speed (meeting from both ends, round a pond)
    Time,         // 時間: catching up, the unknown time
    Distance,     // 距離: there and back, or one way at two speeds
    Salt1,        // 食塩水1: water added or evaporated, salt added
    Salt2,        // 食塩水2: two solutions mixed
    Ratio,        // 基本4: ratio equations, whole and fraction terms
    Percent,      // 標準1: a quantity and its percentage change
    Price,        // 標準2: cost, list price and selling price
    Buai,         // 標準3: 割・分・厘
    RatioUse,     // 標準4: sharing and mixing in a ratio
    Units,        // 難問１: minutes as parts of an hour, g and kg, cm and m
    ChangingSpeed // 難問2: a speed that changes on the way
};

inline constexpr StorySet allStorySets[] = {
    StorySet::Speed, StorySet::Time,     StorySet::Distance, StorySet::Salt1,
    StorySet::Salt2, StorySet::Ratio,    StorySet::Percent,  StorySet::Price,
    StorySet::Buai,  StorySet::RatioUse, StorySet::Units,    StorySet::ChangingSpeed};

// A set's problems, each in two groups of storyGroupSize, the easier group first.
inline constexpr int storyGroupSize = 10;
inline constexpr int storySetSize = 2 * storyGroupSize;

struct StoryProblem {
    // What the pupil reads: the whole story, ending 「x を求めなさい。」; a ratio equation
    // and its instruction, "x:12=3:4 比例式を解いて。".
    QString question;
    // As every set writes it: "x=1200", "x=3/2".
    QString answer;
    // The worked solution's lines before the equation: what x is, with its unit; the equal
    // quantities in words; the equation as first written, with × and its percentages or
    // fractions, and how it becomes the equation below; for a ratio equation the product rule
    // and the products.
    std::vector<QString> setUp;
    // The equation the window's worked solution solves step by step, in the banks' syntax
    // (and the bracket forms solveLinear reads besides).
    QString equation;
    // The check with the story's own numbers, computed from the story's quantities.
    std::vector<QString> check;
    // The answer with its unit: 「答 6分後」, 「答 1000円」, 「答 x=9」.
    QString conclusion;

    friend bool operator==(const StoryProblem&, const StoryProblem&) = default;
};

// What the tests make the generator do wrong, to see their checks fail.
enum class StoryFault {
    None,
    // Every answer one more than the proven one, handed out after the proofs.
    WrongAnswer,
};

// How the candidates fared, for a benchmark or a message.
struct StoryTally {
    int drafts = 0;     // candidates drawn
    int unfriendly = 0; // numbers a textbook would not use (drawn again at once)
    int repeated = 0;   // a problem already in the set
    int unproven = 0;   // a proof failed: solver, story, worked solution or line length
    int refused = 0;    // the caller's own proof refused it
    int mostForOne = 0; // the most candidates one position needed
};

struct StoryLimits {
    // Candidates tried for one position before the set is given up.
    int triesPerProblem = 4000;
    // The caller's own proof of a candidate (that its drawing fits its areas); empty: none.
    std::function<bool(const StoryProblem&)> accepts;
    StoryFault fault = StoryFault::None;
    // Counts every candidate when set.
    StoryTally* tally = nullptr;
};

// The set's problems for a seed: the same for one seed on every machine and build. Nothing
// when a position found no proven problem within the tries.
std::optional<std::vector<StoryProblem>> makeStorySet(StorySet set, std::uint64_t seed,
                                                      const StoryLimits& limits = {});

// The set's name for its random stream (the seed is mixed with nameHash of it, as a fresh
// bank's is with its builder's name) and for records: "storySpeed", "storyRatio", ...
QStringView storySetKey(StorySet set);
// The menu's caption: "速さ", "基本4", "難問１", ...
QStringView storySetCaption(StorySet set);

// How wide a line is drawn, in halves of a full-width character: a half-width (ASCII)
// character counts 1, any other 2. No worked-solution line is wider than
// storyLineHalves; no story longer than storyQuestionLength characters.
int lineHalves(QStringView line);
inline constexpr int storyLineHalves = 44;
inline constexpr int storyQuestionLength = 110;

} // namespace minamo
