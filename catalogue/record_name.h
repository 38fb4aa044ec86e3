#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace minamo {

// Which numbers a set asks: its bank's own, or fresh ones of the same shape (the pupil's
// choice, kept apart in history files of their own).
enum class Numbers { Bank, Fresh };

// A set's name in the history files. "方程式基本1.txt" is the family 方程式基本 and the digit
// 1; with fresh numbers 新 stands before the digit, "方程式基本新1.txt". The family file is
// the name without its digit: "方程式基本.txt", "方程式基本新.txt". Every record name is made
// and taken apart here.
class RecordName {
public:
    RecordName(QString family, QChar digit, Numbers numbers = Numbers::Bank);

    // The name a history file holds, taken apart; nothing for a text of another form
    // (one character before ".txt", the family before it).
    static std::optional<RecordName> read(QStringView text);

    const QString& family() const { return family_; }
    QChar digit() const { return digit_; }
    Numbers numbers() const { return numbers_; }
    // The same set with those numbers.
    RecordName with(Numbers numbers) const { return {family_, digit_, numbers}; }

    QString text() const;  // "方程式基本新1.txt"
    QString title() const; // "方程式基本新1": what the reports, the sheets and the chart show
    QString familyFile() const; // "方程式基本新.txt"

    friend bool operator==(const RecordName&, const RecordName&) = default;

private:
    QString family_;
    QChar digit_;
    Numbers numbers_;
};

// The family file of a record name as a history file holds it; the text itself when it is
// not a record name.
QString familyFileName(const QString& recordName);

// What names a set in a report: the record name without ".txt"; the text itself when it is
// not one.
QString recordTitle(const QString& recordName);

} // namespace minamo
