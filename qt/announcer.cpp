#include "qt/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace minamo {

namespace {

// Ends a sentence as Japanese does: the speech pauses there, and nothing is read aloud for
// it (a line break may be, as "newline").
const QChar fullStop = u'。';

QString sentence(const QString& text) {
    return text.endsWith(fullStop) ? text : text + fullStop;
}

QAccessibleInterface* noticeInterface(const QString&, QObject* object) {
    if (auto* notice = qobject_cast<Notice*>(object)) {
        return new QAccessibleWidget(notice, QAccessible::Notification);
    }
    return nullptr;
}

} // namespace

Notice::Notice(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(noticeInterface);
        return true;
    }();
    (void)installed;
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
    // Shown only to announce: until then no screen reader meets it.
    hide();
}

Announcer::Announcer(QWidget* window) : QObject(window), notice_(new Notice(window)) {}

void Announcer::tell(Part part, const QString& heading, const QString& text, Telling telling) {
    if (!QAccessible::isActive()) {
        return;
    }
    News& news = parts_[part];
    news.heading = heading;
    if (telling == Telling::Replace || news.text.isEmpty()) {
        news.text = text;
    } else if (!text.isEmpty()) {
        news.text += u'\n' + text;
    }
    if (pending_) {
        return;
    }
    pending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { announce(); }, Qt::QueuedConnection);
}

void Announcer::announce() {
    pending_ = false;
    QString message;
    for (const auto& [part, news] : parts_) {
        if (!news.text.isEmpty()) {
            const QString lines = news.text.split(u'\n').join(fullStop);
            message += sentence(news.heading + u' ' + lines);
        }
    }
    parts_.clear();
    if (message.isEmpty()) {
        return;
    }
    // Shown again, the notification is presented afresh, also with the same news as before.
    notice_->hide();
    notice_->setAccessibleName(message);
    notice_->show();
}

} // namespace minamo
