#include "worksheet_program/worksheet_window.h"

#include "worksheet/worksheet_command.h"
#include "worksheet_program/paper_sheet.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace minamo {

namespace {
// The catalogue row of a set, kept on its tree item.
constexpr int entryRole = Qt::UserRole;
constexpr int noEntry = -1;
} // namespace

WorksheetWindow::WorksheetWindow(PathQuestion askPath, Viewer open, QWidget* parent)
    : QDialog(parent), askPath_(std::move(askPath)), open_(std::move(open)),
      tree_(new QTreeWidget(this)), fresh_(new QRadioButton(QStringLiteral("新しい数の問題(&2)"))),
      save_(new QPushButton(QStringLiteral("保存して開く(&S)…"))), status_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("プリントを作る — ミナモ塾"));

    auto* prompt = new QLabel(QStringLiteral("プリントにするセット(&L):"), this);
    prompt->setBuddy(tree_);
    tree_->setHeaderHidden(true);
    tree_->setAccessibleName(QStringLiteral("セット"));
    // The drill's menus and their entries, greyed as the drill greys them for the numbers
    // chosen below: the sets only fresh numbers ask are chosen with fresh numbers alone.
    const std::span<const CatalogueEntry> rows = catalogue();
    QTreeWidgetItem* first = nullptr;
    for (const MenuSpec& menu : menus()) {
        auto* menuItem = new QTreeWidgetItem(tree_, {menu.caption});
        menuItem->setFlags(Qt::ItemIsEnabled);
        menuItem->setData(0, entryRole, noEntry);
        for (const CatalogueEntry& entry : menu.entries) {
            auto* item = new QTreeWidgetItem(menuItem, {entry.caption});
            item->setData(0, entryRole, static_cast<int>(&entry - rows.data()));
            if (entry.choosable(Numbers::Fresh)) {
                item->setToolTip(0, setNameOf(entry) +
                                        (entry.choosable(Numbers::Bank)
                                             ? QString()
                                             : QStringLiteral("（新しい数の問題だけ）")));
            }
            if (entry.choosable(Numbers::Bank)) {
                first = first ? first : item;
            }
        }
    }
    tree_->expandAll();
    tree_->setCurrentItem(first);

    auto* numbers = new QGroupBox(QStringLiteral("問題の数"), this);
    auto* own = new QRadioButton(QStringLiteral("いつもの問題(&1)"), numbers);
    own->setChecked(true);
    fresh_->setParent(numbers);
    auto* numbersLayout = new QVBoxLayout(numbers);
    numbersLayout->addWidget(own);
    numbersLayout->addWidget(fresh_);
    greySets();
    connect(fresh_, &QRadioButton::toggled, this, &WorksheetWindow::greySets);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(save_, QDialogButtonBox::AcceptRole);
    // Enter anywhere saves; a button becomes the dialog's default only once it is in it.
    save_->setDefault(true);
    buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &WorksheetWindow::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, &WorksheetWindow::save);

    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(tree_, 1);
    layout->addWidget(numbers);
    layout->addWidget(status_);
    layout->addWidget(buttons);
    resize(420, 560);
    tree_->setFocus();
}

Numbers WorksheetWindow::chosenNumbers() const {
    return fresh_->isChecked() ? Numbers::Fresh : Numbers::Bank;
}

void WorksheetWindow::greySets() {
    const Numbers numbers = chosenNumbers();
    for (int m = 0; m < tree_->topLevelItemCount(); ++m) {
        QTreeWidgetItem* menuItem = tree_->topLevelItem(m);
        for (int e = 0; e < menuItem->childCount(); ++e) {
            QTreeWidgetItem* item = menuItem->child(e);
            const int row = item->data(0, entryRole).toInt();
            item->setFlags(catalogue()[static_cast<std::size_t>(row)].choosable(numbers)
                               ? Qt::ItemIsEnabled | Qt::ItemIsSelectable
                               : Qt::ItemFlags());
        }
    }
    // A set chosen with fresh numbers and greyed by going back to the set's own problems.
    const CatalogueEntry* entry = chosenSet();
    status_->setText(entry && !entry->choosable(numbers) ? freshOnlyText(*entry) : QString());
}

QString WorksheetWindow::freshOnlyText(const CatalogueEntry& entry) {
    return QStringLiteral("「%1」は新しい数の問題だけのセットです。「新しい数の問題」を"
                          "えらんでください。")
        .arg(menuPath(entry));
}

const CatalogueEntry* WorksheetWindow::chosenSet() const {
    const QTreeWidgetItem* item = tree_->currentItem();
    const int row = item ? item->data(0, entryRole).toInt() : noEntry;
    if (row == noEntry) {
        return nullptr;
    }
    const CatalogueEntry& entry = catalogue()[static_cast<std::size_t>(row)];
    return entry.choosable(Numbers::Fresh) ? &entry : nullptr;
}

QString WorksheetWindow::askWithFileDialog(QWidget* parent, const QString& offered) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("プリントの保存先"), offered,
                                        QStringLiteral("PDF (*.pdf)"));
}

void WorksheetWindow::save() {
    const CatalogueEntry* entry = chosenSet();
    if (!entry) {
        status_->setText(QStringLiteral("セットをえらんでください。"));
        return;
    }
    const Numbers numbers = chosenNumbers();
    if (!entry->choosable(numbers)) {
        status_->setText(freshOnlyText(*entry));
        return;
    }
    const std::uint64_t seed = numbers == Numbers::Fresh ? clockSeed() : 0;
    // The problems first: no file is asked for a sheet that cannot be made.
    const Result<SheetBank> bank = bankToPrint(*entry, numbers, seed);
    if (!bank) {
        status_->setText(bank.reason() +
                         (entry->choosable(Numbers::Bank)
                              ? QStringLiteral("もう一度ためすか、いつもの問題で作ってください。")
                              : QStringLiteral("もう一度ためしてください。")));
        return;
    }
    const QDate today = QDate::currentDate();
    const QString path = askPath_(this, preparedDefaultSheetPath(*entry, numbers, seed, today));
    if (path.isEmpty()) {
        return;
    }
    const SheetFile sheet =
        writeSheetPdf(sheetContent(*entry, bank->bank(), numbers, seed, today), path);
    const QString where = QDir::toNativeSeparators(path);
    if (!sheet.written) {
        status_->setText(
            QStringLiteral("保存できませんでした: %1（%2）").arg(where, sheet.written.reason()));
        return;
    }
    status_->setText(
        open_(path)
            ? QStringLiteral("保存しました: %1").arg(where)
            : QStringLiteral("保存しました（ビューアーでは開けませんでした）: %1").arg(where));
}

} // namespace minamo
