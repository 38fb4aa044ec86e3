#pragma once

#include "platform/platform.h"
#include "sound/sound_module.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>

class QMainWindow;

namespace minamo {

// The answer box: every key reaches the handler before the box does. The handler returns
// the code to apply (0: consumed); a passed-through key is then inserted at the caret, or
// deletes before it for Backspace. The box refuses input methods, so that a switched-on
// one (a Japanese desktop's usual state) cannot compose the keys away from the editor;
// text one still commits is handled key by key. Tab is a key of the box too, but while a
// button waits for the pupil (the tabMovesOn test says so) it moves the focus on to it.
class AnswerBox : public QLineEdit {
    Q_OBJECT
public:
    using KeyHandler = std::function<std::int16_t(std::int16_t)>;
    explicit AnswerBox(QWidget* parent);
    void setKeyHandler(KeyHandler handler) { handler_ = std::move(handler); }
    void setTabMovesOn(std::function<bool()> test) { tabMovesOn_ = std::move(test); }

    // One key as the handler sees it: its code, and the character it stands for.
    void deliverKey(std::int16_t code, const QString& character);

    // Qt asks through both: the query event reaches the virtual one, QInputMethod calls
    // the invokable one by name, which QLineEdit's would otherwise answer.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    Q_INVOKABLE QVariant inputMethodQuery(Qt::InputMethodQuery query, QVariant argument) const;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    KeyHandler handler_;
    std::function<bool()> tabMovesOn_;
};

class QtTextBox : public TextBox {
public:
    explicit QtTextBox(QLineEdit* edit) : edit_(edit) {}
    QString text() const override { return edit_->text(); }
    void setText(const QString& text) override { edit_->setText(text); }
    bool isVisible() const override { return !edit_->isHidden(); }
    void setVisible(bool visible) override { edit_->setVisible(visible); }
    void setFocus() override { edit_->setFocus(Qt::OtherFocusReason); }
    QLineEdit* widget() const { return edit_; }

private:
    QLineEdit* edit_;
};

class QtLabel : public Label {
public:
    // Called with the caption before and after whenever it changes.
    using CaptionHandler = std::function<void(const QString&, const QString&)>;
    explicit QtLabel(QLabel* label) : label_(label) {}
    QString caption() const override { return label_->text(); }
    void setCaption(const QString& caption) override;
    bool isVisible() const override { return !label_->isHidden(); }
    void setVisible(bool visible) override { label_->setVisible(visible); }
    QLabel* widget() const { return label_; }
    void setCaptionHandler(CaptionHandler handler) { captionHandler_ = std::move(handler); }

private:
    QLabel* label_;
    CaptionHandler captionHandler_;
};

// A push button whose caption wraps onto several lines when it is wider than the button,
// as the narrow "ていせい" button needs. Reached by Tab only (a click leaves the focus where
// it is), it is pressed by Space or by Enter.
class CaptionButton : public QPushButton {
    Q_OBJECT
public:
    CaptionButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

class QtButton : public Button {
public:
    explicit QtButton(QPushButton* button) : button_(button) {}
    bool isVisible() const override { return !button_->isHidden(); }
    void setVisible(bool visible) override { button_->setVisible(visible); }
    QPushButton* widget() const { return button_; }

private:
    QPushButton* button_;
};

class QtTimer : public Timer {
public:
    explicit QtTimer(QTimer* timer) : timer_(timer) {}
    void setInterval(int milliseconds) override;
    int interval() const override { return timer_->isActive() ? timer_->interval() : 0; }

private:
    QTimer* timer_;
};

// Plays a WAV file without waiting. The player is made on first use, through the sound
// module, so that start-up does not wait for the audio system; a missing module, file or
// audio device stays silent.
class QtSoundPlayer : public SoundPlayer {
public:
    QtSoundPlayer(QObject* owner, SoundModule& module) : owner_(owner), module_(module) {}
    ~QtSoundPlayer() override;
    void setFileName(const QString& path) override { fileName_ = path; }
    void command(MediaCommand command) override;
    // Loads the file ahead of the first play.
    void preload(const QString& path);
    // A load (of a preload or a play) that has not finished yet.
    bool isLoading() const;
    // When the sound server last took this player's sound to play (steady clock, ns), or -1.
    qint64 startedNs() const;

private:
    void open();
    QObject* owner_;
    SoundModule& module_;
    std::unique_ptr<SoundEffect> effect_;
    QString fileName_;
};

class QtWindow : public Window {
public:
    explicit QtWindow(QMainWindow* window) : window_(window) {}
    void show() override;
    void close() override;

private:
    QMainWindow* window_;
};

class QtMessageBox : public MessageBox {
public:
    explicit QtMessageBox(QWidget* parent) : parent_(parent) {}
    void showExclamation(const QString& text, const QString& title) override;

private:
    QWidget* parent_;
};

} // namespace minamo
