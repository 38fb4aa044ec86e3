#include "qt/picture_accessible.h"

#include "qt/qt_picture_area.h"

#include <QAccessibleWidget>

namespace minamo {

namespace {

QAccessible::Role roleOf(PictureContent content) {
    switch (content) {
    case PictureContent::Text:
        // Read-only text: a screen reader says its name, then reads its text.
        return QAccessible::EditableText;
    case PictureContent::Chart:
        return QAccessible::Chart;
    case PictureContent::Nothing:
        break;
    }
    return QAccessible::Client; // the empty box: a filler, as any bare widget
}

bool hasText(const PictureReading& reading) {
    return reading.content != PictureContent::Nothing;
}

// A picture area as assistive tools see it. The text is the area's spoken text; it has no
// caret and no selection. Its characters lie where their line is drawn (a screen reader's
// review reads the window by where things are).
class PictureAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit PictureAccessible(PictureWidget* widget)
        : QAccessibleWidget(widget, roleOf(pictureReading(widget->area().id()).content)),
          reading_(pictureReading(widget->area().id())) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface && hasText(reading_)) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return reading_.name;
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (hasText(reading_)) {
            s.readOnly = true;
            s.multiLine = true;
        }
        return s;
    }

    // QAccessibleTextInterface
    QString text(int startOffset, int endOffset) const override {
        const QString all = spoken();
        if (startOffset < 0 || endOffset < startOffset || startOffset > all.size()) {
            return {};
        }
        return all.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(spoken().size()); }
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int offset) const override {
        const QRect box = area().characterBox(offset);
        return box.isNull() ? box : QRect(widget()->mapToGlobal(box.topLeft()), box.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        return area().offsetAt(widget()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = offset;
        *endOffset = offset;
        return {};
    }

private:
    const QtPictureArea& area() const { return static_cast<PictureWidget*>(widget())->area(); }
    QString spoken() const { return area().spokenText(); }

    const PictureReading& reading_;
};

QAccessibleInterface* pictureInterface(const QString&, QObject* object) {
    if (auto* widget = qobject_cast<PictureWidget*>(object)) {
        return new PictureAccessible(widget);
    }
    return nullptr;
}

} // namespace

void installPictureAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(pictureInterface);
        return true;
    }();
    (void)installed;
}

} // namespace minamo
