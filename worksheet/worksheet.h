#pragma once

// A worksheet of one set: problem pages with a heading (the set's menu path, 名前 and 日付
// fields), the problems numbered in bank order with room to work under each; then answer
// pages, each problem's number and answer and its worked solution. Everything is drawn by
// the drill's own procedures on the surface's areas and placed in twips.

#include "catalogue/catalogue.h"
#include "core/working.h"
#include "worksheet/sheet_surface.h"

#include <QDate>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace minamo {

struct SheetProblem {
    QString question; // "x+3=4 方程式を解いて。"
    QString answer;   // "x=1"
    // The worked solution of a problem that carries its own (a word problem, a ratio
    // equation); none for an equation, which is explained step by step.
    std::optional<Working> working;

    const Working* ownWorking() const { return working ? &*working : nullptr; }
    // A word problem: its story is set across the page, not in a column.
    bool isStory() const;
};

struct SheetContent {
    QString setName;  // "方程式分数2"
    QString menuPath; // "分数問題 → 基本2"
    Numbers numbers = Numbers::Bank;
    std::uint64_t seed = 0; // of fresh numbers
    QDate date;             // the day it was made
    std::vector<SheetProblem> problems;
};

// The set's problems of that bank in its order.
SheetContent sheetContent(const CatalogueEntry& entry, const Bank& bank, Numbers numbers,
                          std::uint64_t seed, QDate date);

// The set's name on the command line: its record name without ".txt" ("方程式分数2",
// "文章問題1" for a set that only fresh numbers ask).
QString setNameOf(const CatalogueEntry& entry);

enum class BlockKind { Heading, Footer, Number, Problem, WorkRoom, Answer, Solution };

// A block of the sheet where it lies on its page: a drawing, or the room left to work in.
struct PlacedBlock {
    BlockKind kind;
    int problem; // the problem's number; 0 for headings and footers
    int page;
    TwipsBox box;
};

struct SheetLayout {
    int pageCount = 0;
    int firstAnswerPage = 0;
    std::vector<PlacedBlock> blocks; // in the order drawn: problems and answers by number
};

// Draws the sheet on the surface and says where every block went.
SheetLayout drawWorksheet(const SheetContent& content, SheetSurface& surface);

// What is wrong with a layout: a block outside its page's printable box, two blocks that
// overlap. Empty for a sound one.
QStringList layoutFaults(const SheetLayout& layout);

} // namespace minamo
