#include "catalogue/catalogue.h"
#include "fake/qstring_printer.h"

#include <gtest/gtest.h>

#include <QSet>

namespace minamo {
namespace {

// The menu paths, banks and record names the drill has always had: the record names are
// what the pupils' history files hold.
TEST(Catalogue, MenuEntriesReachTheirBanksAndRecordNames) {
    const struct {
        const char* menu;
        const char* item;
        const char* builder;
        const char* recordName;
    } table[] = {
        {"方程式基本", "基本１", "fillBasicA", "方程式基本1.txt"},
        {"方程式基本", "基本2", "fillBasicB", "方程式基本2.txt"},
        {"方程式基本", "基本3", "fillBasicA", "方程式基本3.txt"},
        {"方程式標準", "標準1", "fillStandard1", "方程式標準1.txt"},
        {"方程式標準", "標準2", "fillStandard2", "方程式標準2.txt"},
        {"方程式標準", "標準3", "fillStandard3", "方程式標準3.txt"},
        {"方程式標準", "標準4", "fillStandard4", "方程式標準4.txt"},
        {"方程式標準", "標準5", "fillStandard5", "方程式標準5.txt"},
        {"方程式複雑", "その1", "fillComplex1", "方程式難1.txt"},
        {"方程式複雑", "その2", "fillComplex2", "方程式難2.txt"},
        {"方程式複雑", "その3", "fillComplex3", "方程式難3.txt"},
        {"方程式複雑", "その4", "fillComplex4", "方程式難4.txt"},
        {"方程式複雑", "その5", "fillComplex5", "方程式難5.txt"},
        {"分数問題", "基本1", "fillFraction1", "方程式分数1.txt"},
        {"分数問題", "基本2", "fillFraction2", "方程式分数2.txt"},
        {"分数問題", "基本3", "fillFraction3", "方程式分数3.txt"},
    };
    int choosable = 0;
    for (const MenuSpec& menu : menus()) {
        for (const CatalogueEntry& entry : menu.entries) {
            choosable += entry.choosable(Numbers::Bank);
        }
    }
    EXPECT_EQ(choosable, static_cast<int>(std::size(table)));
    for (const auto& row : table) {
        const QString path = QString::fromUtf8(row.menu) + " → " + QString::fromUtf8(row.item);
        const CatalogueEntry* found = nullptr;
        for (const MenuSpec& menu : menus()) {
            for (const CatalogueEntry& entry : menu.entries) {
                if (menuPath(entry) == path) {
                    found = &entry;
                }
            }
        }
        ASSERT_NE(found, nullptr) << path.toStdString();
        ASSERT_TRUE(found->choosable(Numbers::Bank)) << path.toStdString();
        EXPECT_EQ(found->bank->builder, QString::fromUtf8(row.builder)) << path.toStdString();
        EXPECT_EQ(recordNameFor(*found, Numbers::Bank).text(), QString::fromUtf8(row.recordName))
            << path.toStdString();
        EXPECT_EQ(catalogueEntry(found->name), found);
    }
}

// Every entry sits in the one run of rows of its menu, every bank is asked by a menu entry,
// and the family files are the drill's four history files.
TEST(Catalogue, MenusBanksAndFamiliesComeFromTheOneTable) {
    std::size_t inMenus = 0;
    for (const MenuSpec& menu : menus()) {
        for (const CatalogueEntry& entry : menu.entries) {
            EXPECT_EQ(entry.menu, menu.name);
            // With fresh numbers every entry is a set that keeps its records.
            EXPECT_TRUE(entry.choosable(Numbers::Fresh)) << entry.name.toStdString();
            EXPECT_TRUE(entry.record.has_value()) << entry.name.toStdString();
        }
        inMenus += menu.entries.size();
    }
    EXPECT_EQ(inMenus, catalogue().size());
    QSet<const Bank*> asked;
    for (const CatalogueEntry& entry : catalogue()) {
        asked.insert(entry.bank);
    }
    for (const Bank* bank : catalogueBanks()) {
        EXPECT_TRUE(asked.contains(bank)) << bank->builder.toString().toStdString();
    }
    EXPECT_EQ(familyFiles(), (std::vector<QString>{"方程式基本.txt", "方程式標準.txt",
                                                   "方程式難.txt", "方程式分数.txt"}));
    EXPECT_EQ(familyFiles(Numbers::Fresh),
              (std::vector<QString>{"方程式基本新.txt", "方程式標準新.txt", "方程式難新.txt",
                                    "方程式分数新.txt", "分数応用新.txt", "文章問題新.txt"}));
    EXPECT_EQ(recordNameFor(catalogueEntryNamed(u"bunhayasa"), Numbers::Fresh).text(),
              QStringLiteral("方程式分数新3.txt"));
    const std::vector<QString> names = allRecordNames();
    EXPECT_EQ(recordNameFor(catalogueEntryNamed(u"bhsyoku2"), Numbers::Fresh).text(),
              QStringLiteral("文章問題新5.txt"));
    EXPECT_EQ(recordNameFor(catalogueEntryNamed(u"hayahen"), Numbers::Fresh).text(),
              QStringLiteral("分数応用新7.txt"));
    ASSERT_EQ(names.size(), 16u + catalogue().size());
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(),
              static_cast<qsizetype>(names.size()));
    EXPECT_EQ(names.front(), QStringLiteral("方程式基本1.txt"));
    EXPECT_EQ(names[16], QStringLiteral("方程式基本新1.txt"));
}

// The report finds where a record's set is chosen; a name no set keeps has no place.
TEST(Catalogue, MenuPathOfARecordName) {
    const struct {
        const char* recordName;
        const char* path;
    } table[] = {
        {"方程式基本1.txt", "方程式基本 → 基本１"},
        {"方程式分数新3.txt", "分数問題 → 基本3（新しい数）"},
        {"文章問題新1.txt", "文章問題1 → 速さ（新しい数）"},
        {"分数応用新7.txt", "分数問題 → 難問2（新しい数）"},
        {"文章問題1.txt", ""}, // only fresh numbers ask the word problems
        {"方程式基本9.txt", ""},
        {"memo.txt", ""},
    };
    for (const auto& row : table) {
        EXPECT_EQ(menuPathOfRecord(QString::fromUtf8(row.recordName)), QString::fromUtf8(row.path))
            << row.recordName;
    }
}

// What a history file may hold as a set's name, taken apart and put together again.
TEST(RecordName, ReadsWhatTheHistoryFilesHold) {
    const struct {
        const char* text;
        const char* familyFile; // nullptr: not a record name
        const char* title;
        Numbers numbers;
    } table[] = {
        {"方程式基本1.txt", "方程式基本.txt", "方程式基本1", Numbers::Bank},
        {"方程式基本新1.txt", "方程式基本新.txt", "方程式基本新1", Numbers::Fresh},
        {"方程式難5.txt", "方程式難.txt", "方程式難5", Numbers::Bank},
        {"1.txt", ".txt", "1", Numbers::Bank},
        {".txt", nullptr, nullptr, Numbers::Bank},
        {"方程式基本1", nullptr, nullptr, Numbers::Bank},
        {"", nullptr, nullptr, Numbers::Bank},
    };
    for (const auto& row : table) {
        const QString text = QString::fromUtf8(row.text);
        const auto name = RecordName::read(text);
        ASSERT_EQ(name.has_value(), row.familyFile != nullptr) << row.text;
        if (name) {
            EXPECT_EQ(name->text(), text);
            EXPECT_EQ(name->familyFile(), QString::fromUtf8(row.familyFile)) << row.text;
            EXPECT_EQ(name->title(), QString::fromUtf8(row.title)) << row.text;
            EXPECT_EQ(name->numbers(), row.numbers) << row.text;
            EXPECT_EQ(name->with(Numbers::Bank).with(row.numbers), *name) << row.text;
        }
        EXPECT_EQ(recordTitle(text), name ? name->title() : text) << row.text;
    }
}

} // namespace
} // namespace minamo
