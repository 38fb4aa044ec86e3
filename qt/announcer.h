#pragma once

#include <QObject>
#include <QString>
#include <QWidget>
#include <map>

namespace minamo {

// The object a screen reader is told the news by: a notification of the window, of no size
// and no focus, shown anew for every announcement with the news as its name.
class Notice : public QWidget {
    Q_OBJECT
public:
    explicit Notice(QWidget* parent);
};

// What the window tells a screen reader unasked: the news of one event (a key, a click)
// gathered while it runs and read as one notification once it has run, its parts in a fixed
// order. A screen reader presents a notification that shows, wherever the focus is (Orca 43
// drops the text changes of areas without the focus), so the answer box keeps the focus
// and nothing else is spoken for it. While no assistive tool listens nothing is gathered.
class Announcer : public QObject {
public:
    // The parts of the news, in the order they are read.
    enum class Part {
        RightCount,
        MissCount,
        AnswerForm,
        ExpectedAnswer,
        WorkedSolution,
        Problem,
        Score
    };
    // Whether a part's text replaces what the same event told of it, or follows it.
    enum class Telling { Replace, Extend };

    explicit Announcer(QWidget* window);
    // A part of the news: its heading and its lines ("\n" between them); an empty text
    // that replaces withdraws the part.
    void tell(Part part, const QString& heading, const QString& text,
              Telling telling = Telling::Replace);
    const Notice* notice() const { return notice_; }

private:
    void announce();

    struct News {
        QString heading;
        QString text;
    };
    Notice* notice_;
    std::map<Part, News> parts_;
    bool pending_ = false;
};

} // namespace minamo
