#include "catalogue/catalogue.h"

#include <QtGlobal>

#include <algorithm>
#include <array>

namespace minamo {

namespace {

struct MenuRow {
    const char16_t* name;
    const char16_t* caption;
};

constexpr std::array<MenuRow, 6> menuRows{{
    {u"bunsu", u"方程式基本"},
    {u"seifu", u"方程式標準"},
    {u"mojisiki", u"方程式複雑"},
    {u"bunmoji", u"分数問題"},
    {u"hbunbig", u"文章問題1"},
    {u"hbunbig2", u"文章問題2"},
}};

std::span<const CatalogueEntry> table() {
    const auto set = [](const char16_t* menu, const char16_t* name, const char16_t* caption,
                        const Bank& bank, const char16_t* family, char16_t digit) {
        return CatalogueEntry{QString::fromUtf16(menu), QString::fromUtf16(name),
                              QString::fromUtf16(caption), &bank,
                              RecordName(QString::fromUtf16(family), QChar(digit))};
    };
    // A set only fresh numbers ask: greyed with the bank's numbers.
    const auto fresh = [](const char16_t* menu, const char16_t* name, const char16_t* caption,
                          const char16_t* generator, const char16_t* family, char16_t digit) {
        return CatalogueEntry{QString::fromUtf16(menu),
                              QString::fromUtf16(name),
                              QString::fromUtf16(caption),
                              nullptr,
                              RecordName(QString::fromUtf16(family), QChar(digit)),
                              QStringView(generator)};
    };
    // clang-format off
    static const auto entries = std::to_array<CatalogueEntry>({
        // menu, control, caption, bank (or generator), record name: family and digit
        set(u"bunsu", u"tosiki1", u"基本１", basicA, u"方程式基本", u'1'),
        set(u"bunsu", u"tosiki2", u"基本2", basicB, u"方程式基本", u'2'),
        set(u"bunsu", u"houkeisan1", u"基本3", basicA, u"方程式基本", u'3'),
        set(u"seifu", u"mosiki1", u"標準1", standard1, u"方程式標準", u'1'),
        set(u"seifu", u"seifwasa", u"標準2", standard2, u"方程式標準", u'2'),
        set(u"seifu", u"seifkakewari", u"標準3", standard3, u"方程式標準", u'3'),
        set(u"seifu", u"seifusisoku", u"標準4", standard4, u"方程式標準", u'4'),
        set(u"seifu", u"seifusisu", u"標準5", standard5, u"方程式標準", u'5'),
        set(u"mojisiki", u"mojiarawa1", u"その1", complex1, u"方程式難", u'1'),
        set(u"mojisiki", u"doruikou1", u"その2", complex2, u"方程式難", u'2'),
        set(u"mojisiki", u"dourui", u"その3", complex3, u"方程式難", u'3'),
        set(u"mojisiki", u"kakko", u"その4", complex4, u"方程式難", u'4'),
        set(u"mojisiki", u"sikiata1", u"その5", complex5, u"方程式難", u'5'),
        set(u"bunmoji", u"bmojisikik1", u"基本1", fraction1, u"方程式分数", u'1'),
        set(u"bunmoji", u"bmojisikik2", u"基本2", fraction2, u"方程式分数", u'2'),
        set(u"bunmoji", u"bunhayasa", u"基本3", fraction3, u"方程式分数", u'3'),
        fresh(u"bunmoji", u"hinomon", u"基本4", u"storyRatio", u"分数応用", u'1'),
        fresh(u"bunmoji", u"bunpasen", u"標準1", u"storyPercent", u"分数応用", u'2'),
        fresh(u"bunmoji", u"pasent2", u"標準2", u"storyPrice", u"分数応用", u'3'),
        fresh(u"bunmoji", u"buaisou1", u"標準3", u"storyBuai", u"分数応用", u'4'),
        fresh(u"bunmoji", u"nagahensa", u"標準4", u"storyRatioUse", u"分数応用", u'5'),
        fresh(u"bunmoji", u"buntani", u"難問１", u"storyUnits", u"分数応用", u'6'),
        fresh(u"bunmoji", u"hayahen", u"難問2", u"storyChangingSpeed", u"分数応用", u'7'),
        fresh(u"hbunbig", u"bhhayasa", u"速さ", u"storySpeed", u"文章問題", u'1'),
        fresh(u"hbunbig", u"bhjikan", u"時間", u"storyTime", u"文章問題", u'2'),
        fresh(u"hbunbig", u"bhkyori", u"距離", u"storyDistance", u"文章問題", u'3'),
        fresh(u"hbunbig", u"bhsyok1", u"食塩水1", u"storySalt1", u"文章問題", u'4'),
        fresh(u"hbunbig", u"bhsyoku2", u"食塩水2", u"storySalt2", u"文章問題", u'5'),
    });
    // clang-format on
    return entries;
}

} // namespace

std::span<const CatalogueEntry> catalogue() {
    return table();
}

std::span<const Bank* const> catalogueBanks() {
    static const std::vector<const Bank*> banks = [] {
        std::vector<const Bank*> asked;
        for (const CatalogueEntry& entry : table()) {
            if (entry.bank && std::find(asked.begin(), asked.end(), entry.bank) == asked.end()) {
                asked.push_back(entry.bank);
            }
        }
        return asked;
    }();
    return banks;
}

std::span<const MenuSpec> menus() {
    // Each menu's entries are the run of rows that name it.
    static const std::array<MenuSpec, menuRows.size()> bar = [] {
        std::array<MenuSpec, menuRows.size()> specs;
        const std::span<const CatalogueEntry> rows = table();
        std::size_t first = 0;
        for (std::size_t m = 0; m < menuRows.size(); ++m) {
            const QString name = QString::fromUtf16(menuRows[m].name);
            std::size_t end = first;
            while (end < rows.size() && rows[end].menu == name) {
                ++end;
            }
            specs[m] = MenuSpec{.name = name,
                                .caption = QString::fromUtf16(menuRows[m].caption),
                                .entries = rows.subspan(first, end - first)};
            first = end;
        }
        return specs;
    }();
    return bar;
}

const CatalogueEntry* catalogueEntry(QStringView name) {
    for (const CatalogueEntry& entry : table()) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

const CatalogueEntry& catalogueEntryNamed(QStringView name) {
    const CatalogueEntry* entry = catalogueEntry(name);
    if (!entry) {
        qFatal("the catalogue has no menu entry named %s", qPrintable(name.toString()));
    }
    return *entry;
}

QString menuPath(const CatalogueEntry& entry) {
    for (const MenuSpec& menu : menus()) {
        if (menu.name == entry.menu) {
            return menu.caption + QStringLiteral(" → ") + entry.caption;
        }
    }
    return entry.caption;
}

QString menuPathOfRecord(const QString& recordName) {
    const std::optional<RecordName> name = RecordName::read(recordName);
    if (!name) {
        return {};
    }
    for (const CatalogueEntry& entry : table()) {
        if (entry.record && entry.choosable(name->numbers()) &&
            entry.record->with(name->numbers()) == *name) {
            return menuPath(entry) +
                   (name->numbers() == Numbers::Fresh ? QStringLiteral("（新しい数）") : QString());
        }
    }
    return {};
}

RecordName recordNameFor(const CatalogueEntry& entry, Numbers numbers) {
    if (!entry.record || !entry.choosable(numbers)) {
        qFatal("the menu entry %s keeps no records with those numbers", qPrintable(entry.name));
    }
    return entry.record->with(numbers);
}

std::vector<QString> familyFiles(Numbers numbers) {
    std::vector<QString> families;
    for (const CatalogueEntry& entry : table()) {
        if (!entry.choosable(numbers)) {
            continue;
        }
        const QString family = recordNameFor(entry, numbers).familyFile();
        if (std::find(families.begin(), families.end(), family) == families.end()) {
            families.push_back(family);
        }
    }
    return families;
}

std::vector<QString> allRecordNames() {
    std::vector<QString> names;
    for (const Numbers numbers : {Numbers::Bank, Numbers::Fresh}) {
        for (const CatalogueEntry& entry : table()) {
            if (entry.choosable(numbers)) {
                names.push_back(recordNameFor(entry, numbers).text());
            }
        }
    }
    return names;
}

} // namespace minamo
