#pragma once

// The catalogue of sets: every entry of the drill's menus, in menu order, with the bank it
// asks and the record name its results are kept under. The menu bar, the drill start, the
// family files and the report's order all come from this one table.

#include "banks/banks.h"
#include "catalogue/record_name.h"

#include <QString>
#include <QStringView>
#include <span>
#include <vector>

namespace minamo {

// The problems of a set that a generator makes (word problems, ratio equations).
inline constexpr int generatedSetSize = 20;

// One entry of a menu: a set the pupil can choose, or a greyed entry that has no problems
// in an edition.
struct CatalogueEntry {
    QString menu;                     // the control name of its menu, "bunsu"
    QString name;                     // the entry's control name, "tosiki1"
    QString caption;                  // "基本１"
    const Bank* bank;                 // the problems it asks; none where the bank's numbers grey it
    std::optional<RecordName> record; // 方程式基本1.txt; none for an entry greyed in both
    // With fresh numbers, the generator of a set that has no bank (word problems and ratio
    // equations, "storySpeed"); empty where fresh numbers take the bank's shapes.
    QStringView generator = {};

    // The name of what makes its problems: its bank's builder, or its generator; entries
    // that ask one bank share it.
    QStringView maker() const { return generator.isEmpty() ? bank->builder : generator; }

    // How many problems a drill of it has: its bank's, or a generated set's.
    int problemCount() const {
        return bank ? static_cast<int>(bank->problems.size()) : generatedSetSize;
    }

    // Whether the pupil can choose it with those numbers.
    bool choosable(Numbers numbers) const {
        return bank != nullptr || (numbers == Numbers::Fresh && !generator.isEmpty());
    }
};

// A top entry of the menu bar and its entries (none for a menu that is only a title).
struct MenuSpec {
    QString name;    // "bunsu"
    QString caption; // "方程式基本"
    std::span<const CatalogueEntry> entries;
};

// Every entry of every menu, in menu order.
std::span<const CatalogueEntry> catalogue();
// Every bank the menus ask, once each, in the order the menus first ask it.
std::span<const Bank* const> catalogueBanks();
// The menu bar, left to right.
std::span<const MenuSpec> menus();

// The entry with that control name, or none.
const CatalogueEntry* catalogueEntry(QStringView name);
// The entry with that control name; a name that is not in the table is a mistake in the
// program and ends it with a message.
const CatalogueEntry& catalogueEntryNamed(QStringView name);

// How the pupil finds the entry: "方程式基本 → 基本１".
QString menuPath(const CatalogueEntry& entry);

// Where the pupil finds the set of a record name as a history file holds it:
// "方程式基本 → 基本１", "文章問題1 → 速さ（新しい数）"; empty for a name no set keeps.
QString menuPathOfRecord(const QString& recordName);

// The record name of an entry's results with numbers it can be chosen with:
// "方程式基本1.txt"; for fresh numbers "方程式基本新1.txt", and for the sets only fresh
// numbers ask "文章問題新1.txt" (文章問題1) and "分数応用新1.txt" (分数問題 基本4 onward).
RecordName recordNameFor(const CatalogueEntry& entry, Numbers numbers);

// Every family file of the choosable sets with those numbers, in menu order.
std::vector<QString> familyFiles(Numbers numbers = Numbers::Bank);

// Every record name of the choosable sets: those of the bank's numbers in menu order, then
// those of fresh numbers in menu order.
std::vector<QString> allRecordNames();

} // namespace minamo
