#include "qt/qt_controls.h"

#include "platform/key_codes.h"

#include <QFileInfo>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMessageBox>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace minamo {

AnswerBox::AnswerBox(QWidget* parent) : QLineEdit(parent) {
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setContextMenuPolicy(Qt::NoContextMenu);
    setDragEnabled(false);
    setAcceptDrops(false);
}

bool AnswerBox::event(QEvent* event) {
    // Tab is a key of the answer box, not a move to the next control, unless a button waits.
    if (event->type() == QEvent::KeyPress) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if ((keyEvent->key() == Qt::Key_Tab || keyEvent->key() == Qt::Key_Backtab) &&
            !(tabMovesOn_ && tabMovesOn_())) {
            keyPressEvent(keyEvent);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void AnswerBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Come back to by Tab, a line edit selects its text, and the next key that passes
    // through would replace it all instead of going where the editor put it.
    deselect();
}

void AnswerBox::deliverKey(std::int16_t code, const QString& character) {
    const std::int16_t result = handler_ ? handler_(code) : code;
    if (result == key::consumed) {
        return;
    }
    if (result == key::backspace) {
        backspace();
        return;
    }
    // A rewritten key inserts its own character; an unchanged one the character typed.
    const QString inserted = result == code ? character : characterForKeyCode(result);
    if (!inserted.isEmpty() && (result < 0 || result >= 32)) {
        insert(inserted);
    }
}

QVariant AnswerBox::inputMethodQuery(Qt::InputMethodQuery query) const {
    // QLineEdit answers ImEnabled from its own state and disregards
    // Qt::WA_InputMethodEnabled, so the refusal has to be spoken here.
    if (query == Qt::ImEnabled) {
        return false;
    }
    return QLineEdit::inputMethodQuery(query);
}

QVariant AnswerBox::inputMethodQuery(Qt::InputMethodQuery query, QVariant argument) const {
    if (query == Qt::ImEnabled) {
        return inputMethodQuery(query);
    }
    return QLineEdit::inputMethodQuery(query, std::move(argument));
}

void AnswerBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        deliverKey(key::enter, {});
        return;
    case Qt::Key_Backspace:
        deliverKey(key::backspace, {});
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        deliverKey(key::tab, {});
        return;
    case Qt::Key_Escape:
        deliverKey(key::escape, {});
        return;
    case Qt::Key_Delete:
        // Deleting would change the box behind the editor's back; it has no key code.
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty()) {
        // Caret movement and other keys without a character: the box's own handling.
        if (!event->matches(QKeySequence::Paste) && !event->matches(QKeySequence::Cut) &&
            !event->matches(QKeySequence::Undo) && !event->matches(QKeySequence::Redo)) {
            QLineEdit::keyPressEvent(event);
        }
        return;
    }
    for (QChar c : text) {
        deliverKey(keyCodeForCharacter(c), QString(c));
    }
}

void AnswerBox::inputMethodEvent(QInputMethodEvent* event) {
    for (QChar c : event->commitString()) {
        deliverKey(keyCodeForCharacter(c), QString(c));
    }
    event->accept();
}

CaptionButton::CaptionButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    setFocusPolicy(Qt::TabFocus);
}

void CaptionButton::keyPressEvent(QKeyEvent* event) {
    // A push button outside a dialog takes Space only; Enter presses it as well.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat()) {
            click();
        }
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CaptionButton::paintEvent(QPaintEvent* event) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setPen(palette().color(QPalette::ButtonText));
    // One line when the caption fits, as "消す" does; wrapped only when it is wider.
    const bool fits = fontMetrics().horizontalAdvance(text()) <= width();
    painter.drawText(rect(), Qt::AlignCenter | (fits ? 0 : Qt::TextWordWrap), text());
}

void QtLabel::setCaption(const QString& caption) {
    const QString before = label_->text();
    label_->setText(caption);
    if (captionHandler_ && caption != before) {
        captionHandler_(before, caption);
    }
}

void QtTimer::setInterval(int milliseconds) {
    if (milliseconds <= 0) {
        timer_->stop();
        return;
    }
    timer_->start(milliseconds);
}

QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::open() {
    if (!effect_) {
        effect_ = module_.createEffect(owner_);
    }
    if (effect_) {
        effect_->setSource(fileName_);
    }
}

void QtSoundPlayer::preload(const QString& path) {
    if (!QFileInfo::exists(path)) {
        return;
    }
    fileName_ = path;
    open();
}

bool QtSoundPlayer::isLoading() const {
    return effect_ && effect_->isLoading();
}

qint64 QtSoundPlayer::startedNs() const {
    return effect_ ? effect_->startedNs() : -1;
}

void QtSoundPlayer::command(MediaCommand command) {
    switch (command) {
    case MediaCommand::Close:
    case MediaCommand::Prev:
        if (effect_) {
            effect_->stop();
        }
        break;
    case MediaCommand::Open:
        if (QFileInfo::exists(fileName_)) {
            open();
        }
        break;
    case MediaCommand::Play:
        if (effect_ && effect_->source() == fileName_) {
            effect_->play();
        }
        break;
    }
}

void QtWindow::show() {
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void QtWindow::close() {
    window_->close();
}

void QtMessageBox::showExclamation(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent_);
    box.setObjectName(QStringLiteral("closingMessage"));
    box.exec();
}

} // namespace minamo
