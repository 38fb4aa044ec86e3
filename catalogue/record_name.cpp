#include "catalogue/record_name.h"

namespace minamo {

namespace {

const QString extension = QStringLiteral(".txt");
// Fresh numbers' record names carry this before the family digit.
constexpr QChar freshMark = u'新';

} // namespace

RecordName::RecordName(QString family, QChar digit, Numbers numbers)
    : family_(std::move(family)), digit_(digit), numbers_(numbers) {}

std::optional<RecordName> RecordName::read(QStringView text) {
    if (!text.endsWith(extension) || text.size() < extension.size() + 1) {
        return std::nullopt;
    }
    const QStringView stem = text.chopped(extension.size());
    QStringView family = stem.chopped(1);
    const Numbers numbers = family.endsWith(freshMark) ? Numbers::Fresh : Numbers::Bank;
    if (numbers == Numbers::Fresh) {
        family.chop(1);
    }
    return RecordName(family.toString(), stem.back(), numbers);
}

QString RecordName::text() const {
    return title() + extension;
}

QString RecordName::title() const {
    return numbers_ == Numbers::Fresh ? family_ + freshMark + digit_ : family_ + digit_;
}

QString RecordName::familyFile() const {
    return (numbers_ == Numbers::Fresh ? family_ + freshMark : family_) + extension;
}

QString familyFileName(const QString& recordName) {
    const auto name = RecordName::read(recordName);
    return name ? name->familyFile() : recordName;
}

QString recordTitle(const QString& recordName) {
    const auto name = RecordName::read(recordName);
    return name ? name->title() : recordName;
}

} // namespace minamo
