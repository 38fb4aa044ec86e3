#pragma once

// The small window of minamo-worksheet: the sets in the drill's menu tree, the banks' own
// problems or fresh numbers, and a button that saves the sheet and opens it.

#include "catalogue/catalogue.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace minamo {

class WorksheetWindow : public QDialog {
    Q_OBJECT
public:
    // Asks where the sheet goes, offering a path; empty when the user gave up.
    using PathQuestion = std::function<QString(QWidget* parent, const QString& offered)>;
    // Opens a written sheet in the desktop's viewer; false when it could not.
    using Viewer = std::function<bool(const QString& path)>;

    WorksheetWindow(PathQuestion askPath, Viewer open, QWidget* parent = nullptr);

    QTreeWidget* setTree() const { return tree_; }
    QRadioButton* freshChoice() const { return fresh_; }
    QPushButton* saveButton() const { return save_; }
    QLabel* status() const { return status_; }
    // The set of the tree's current row, greyed or not; none on a menu's own row.
    const CatalogueEntry* chosenSet() const;
    Numbers chosenNumbers() const;

    // The file dialog of the desktop.
    static QString askWithFileDialog(QWidget* parent, const QString& offered);

private:
    void save();
    // The sets that cannot be chosen with the numbers chosen greyed, the others not.
    void greySets();
    static QString freshOnlyText(const CatalogueEntry& entry);

    PathQuestion askPath_;
    Viewer open_;
    QTreeWidget* tree_;
    QRadioButton* fresh_;
    QPushButton* save_;
    QLabel* status_;
};

} // namespace minamo
