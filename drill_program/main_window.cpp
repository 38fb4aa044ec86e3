#include "drill_program/main_window.h"

#include "app/answer_form.h"
#include "app/countdown.h"
#include "app/drill_start.h"
#include "app/sounds.h"
#include "drill_program/keyboard_focus.h"
#include "qt/picture_accessible.h"
#include "qt/placement.h"
#include "qt/qt_colour.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QThread>
#include <QTimer>

namespace minamo {

namespace {

// A window closed right after a drill has started lets the sounds still uploading into the
// sound server finish first (they take milliseconds), rather than cut them off mid-way.
constexpr int soundLoadWaitMs = 3000;

const QEvent::Type preloadSoundsEvent = static_cast<QEvent::Type>(QEvent::registerEventType());
const QEvent::Type prepareFreshEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// The caption of a window that asks fresh numbers, after the program's name.
const QString freshCaption = QStringLiteral(" — 新しい数");

// What a message in the expected answer's place is told as: advice on the answer's form,
// which the area's own name (正しい答え) would misrepresent.
const QString answerFormHeading = QStringLiteral("答えの書き方");

// A window asked to come forward asks to be activated again until the window system gives
// it the focus, for a moment: X11 refuses a focus request dated before the last change of
// focus, and the first request brings this program a fresh time from the server (its
// user-time property changes), which a later one carries. Where the window still has not
// the focus then, it asks for attention.
constexpr int activationRetryMs = 50;
constexpr int activationTries = 10;

double screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

} // namespace

MainWindow::MainWindow(Services services, const DrillOptions& options, QWidget* parent)
    : QMainWindow(parent), scale_{screenDpi()}, services_(services) {
    setWindowTitle(options.numbers == Numbers::Fresh ? form::caption + freshCaption
                                                     : form::caption);
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("Form1"));
    client_->setFixedSize(scale_.toWholePixels(form::clientWidth),
                          scale_.toWholePixels(form::clientHeight));
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, toQColor(form::backColour));
    client_->setPalette(palette);
    client_->setAutoFillBackground(true);
    setCentralWidget(client_);

    installPictureAccessibility();
    buildControls();
    buildMenu(options.numbers);
    buildFocusChain();
    buildAnnouncements();

    timer_ = new QTimer(this);
    timer1_ = std::make_unique<QtTimer>(timer_);
    soundModule_ = std::make_unique<SoundModule>(
        QDir(services_.files.programFolder()).filePath(SoundModule::fileName()));
    mmControl1_ = std::make_unique<QtSoundPlayer>(this, *soundModule_);
    mmControl2_ = std::make_unique<QtSoundPlayer>(this, *soundModule_);
    window_ = std::make_unique<QtWindow>(this);
    messageBox_ = std::make_unique<QtMessageBox>(this);

    auto pic = [this](ControlId id) -> PictureArea& { return *pictures_.at(id); };
    auto text = [this](ControlId id) -> TextBox& { return *textBoxes_.at(id); };
    auto label = [this](ControlId id) -> Label& { return *labels_.at(id); };
    auto button = [this](ControlId id) -> Button& { return *buttons_.at(id); };
    using enum ControlId;
    platform_ = std::unique_ptr<Platform>(new Platform{
        .picture1 = pic(Picture1),
        .picture2 = pic(Picture2),
        .picture3 = pic(Picture3),
        .picture4 = pic(Picture4),
        .picture5 = pic(Picture5),
        .picture7 = pic(Picture7),
        .text1 = text(Text1),
        .text2 = text(Text2),
        .text4 = text(Text4),
        .text5 = text(Text5),
        .text6 = text(Text6),
        .label2 = label(Label2),
        .label3 = label(Label3),
        .label4 = label(Label4),
        .label5 = label(Label5),
        .label12 = label(Label12),
        .label13 = label(Label13),
        .label14 = label(Label14),
        .command1 = button(Command1),
        .command2 = button(Command2),
        .command3 = button(Command3),
        .timer1 = *timer1_,
        .mmControl1 = *mmControl1_,
        .mmControl2 = *mmControl2_,
        .form1 = *window_,
        .messageBox = *messageBox_,
        .files = services_.files,
        .clock = services_.clock,
        .random = services_.random,
        .instanceLock = services_.instanceLock,
    });
    form_ = std::make_unique<Form1>(*platform_, options);

    answerBox_->setKeyHandler([this](std::int16_t code) { return form_->Text2_KeyPress(code); });
    connect(timer_, &QTimer::timeout, this, [this] { form_->Timer1_Timer(); });
    const std::pair<ControlId, void (Form1::*)()> clicks[] = {
        {Command1, &Form1::Command1_Click},
        {Command2, &Form1::Command2_Click},
        {Command3, &Form1::Command3_Click},
    };
    for (const auto& [id, handler] : clicks) {
        auto* button = static_cast<QPushButton*>(widgets_[id]);
        connect(button, &QPushButton::clicked, this, [this, button, handler = handler] {
            (form_.get()->*handler)();
            returnFocusToAnswerBox(button);
        });
    }

    // Fixed to the client area and the menu bar, measured once, when the window is laid out
    // to be shown.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

MainWindow::~MainWindow() {
    timer_->stop();
    waitForSoundLoads();
}

void MainWindow::buildControls() {
    // Labels are drawn on the window's own surface, behind every control with a window of
    // its own; the others are made from back to front so each covers the ones before it.
    for (const ControlSpec& layout : controlSpecs()) {
        if (layout.kind != ControlKind::Label) {
            continue;
        }
        auto* widget = new QLabel(layout.caption, client_);
        widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        placeControl(widget, layout, scale_);
        widgets_[layout.id] = widget;
        labels_[layout.id] = std::make_unique<QtLabel>(widget);
    }
    const auto order = stackingFrontToBack();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const ControlSpec& layout = controlSpec(*it);
        switch (layout.kind) {
        case ControlKind::Picture: {
            auto area = std::make_unique<QtPictureArea>(layout, scale_, client_);
            widgets_[layout.id] = area->widget();
            pictures_[layout.id] = std::move(area);
            break;
        }
        case ControlKind::TextBox: {
            QLineEdit* edit = nullptr;
            if (layout.id == ControlId::Text2) {
                answerBox_ = new AnswerBox(client_);
                answerBox_->setAccessibleName(answerBoxName);
                answerBox_->setAccessibleDescription(answerBoxDescription);
                edit = answerBox_;
            } else {
                // Shown for reading only: the copy that judging reads must not be typed into.
                edit = new QLineEdit(client_);
                edit->setReadOnly(true);
                edit->setFocusPolicy(Qt::NoFocus);
            }
            edit->setText(layout.caption);
            placeControl(edit, layout, scale_);
            widgets_[layout.id] = edit;
            textBoxes_[layout.id] = std::make_unique<QtTextBox>(edit);
            break;
        }
        case ControlKind::Button: {
            auto* button = new CaptionButton(layout.caption, client_);
            placeControl(button, layout, scale_);
            widgets_[layout.id] = button;
            buttons_[layout.id] = std::make_unique<QtButton>(button);
            break;
        }
        case ControlKind::Label:
            break;
        }
    }
}

void MainWindow::buildFocusChain() {
    // From the answer box to 確認, then ていせい and 消す; hidden ones are passed over.
    setTabOrder(answerBox_, widgets_[ControlId::Command3]);
    setTabOrder(widgets_[ControlId::Command3], widgets_[ControlId::Command1]);
    setTabOrder(widgets_[ControlId::Command1], widgets_[ControlId::Command2]);
    // Tab leaves the answer box only while a button waits for the pupil: 確認 after a miss,
    // 消す at the end. Otherwise it stays a key of the box, as it always was.
    answerBox_->setTabMovesOn([this] { return form_->buttonWaits(); });
}

void MainWindow::buildAnnouncements() {
    // A screen reader is told, unasked, what the pupil's keys change out of the focus:
    // whether the answer was right (a count goes up), the expected answer and the worked
    // solution after a miss, what to change in an answer of the right value in another
    // form (fresh numbers), every new problem, and the score when the chart ends the drill.
    // The countdown is not told.
    announcer_ = new Announcer(client_);
    using Part = Announcer::Part;
    using enum ControlId;
    const std::pair<ControlId, Part> areas[] = {
        {Picture2, Part::Problem},
        {Picture4, Part::ExpectedAnswer},
        {Picture7, Part::WorkedSolution},
    };
    for (const auto& [id, part] : areas) {
        pictures_.at(id)->setSpokenTextHandler(
            [this, part = part, heading = pictureReading(id).name](
                QtPictureArea::SpokenChange change, const QString& text) {
                if (part == Part::ExpectedAnswer && isFormMessage(text)) {
                    announcer_->tell(Part::AnswerForm, answerFormHeading, text);
                    return;
                }
                announcer_->tell(part, heading, text,
                                 change == QtPictureArea::SpokenChange::Extended
                                     ? Announcer::Telling::Extend
                                     : Announcer::Telling::Replace);
            });
    }
    // Each count after the label that names it; a count set back to 0 says nothing.
    const struct {
        ControlId count;
        ControlId name;
        Part part;
    } counts[] = {{Label3, Label7, Part::RightCount}, {Label4, Label8, Part::MissCount}};
    for (const auto& [count, name, part] : counts) {
        labels_.at(count)->setCaptionHandler(
            [this, part = part, heading = controlSpec(name).caption](const QString& before,
                                                                     const QString& after) {
                if (after.toInt() > before.toInt()) {
                    announcer_->tell(part, heading, after);
                }
            });
    }
    widgets_[Picture1]->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The chart of results appears as the drill ends, and with it the final score.
    if (watched == widgets_.value(ControlId::Picture1) && event->type() == QEvent::Show &&
        !event->spontaneous()) {
        announcer_->tell(Announcer::Part::Score, controlSpec(ControlId::Label9).caption,
                         labels_.at(ControlId::Label5)->caption());
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::returnFocusToAnswerBox(QWidget* pressed) {
    // A click leaves the focus in the answer box; a button pressed from the keyboard hands
    // it back there too.
    if (pressed->hasFocus() && answerBox_->isVisibleTo(this)) {
        answerBox_->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::buildMenu(Numbers numbers) {
    QMenuBar* bar = menuBar();
    for (const MenuSpec& menu : menus()) {
        if (menu.entries.empty()) {
            // A top entry without entries has no action.
            QAction* action = bar->addAction(menu.caption);
            action->setObjectName(menu.name);
            action->setEnabled(false);
            actions_[menu.name] = action;
            continue;
        }
        QMenu* sub = bar->addMenu(menu.caption);
        sub->setObjectName(menu.name);
        actions_[menu.name] = sub->menuAction();
        for (const CatalogueEntry& entry : menu.entries) {
            QAction* action = sub->addAction(entry.caption);
            action->setObjectName(entry.name);
            action->setEnabled(entry.choosable(numbers));
            actions_[entry.name] = action;
            if (entry.choosable(numbers)) {
                connect(action, &QAction::triggered, this, [this, name = entry.name] {
                    form_->Menu_Click(name);
                    preloadSoundsSoon();
                });
            }
        }
    }
}

bool MainWindow::load() {
    if (!form_->Form_Load()) {
        return false;
    }
    timer_->start(timerIntervalMs);
    // Fresh numbers are made once the idle window has been painted, before the pupil can
    // reach the menu; the plain program posts nothing.
    if (form_->options().numbers == Numbers::Fresh) {
        QCoreApplication::postEvent(this, new QEvent(prepareFreshEvent), Qt::LowEventPriority);
    }
    return true;
}

void MainWindow::comeForward() {
    if (isMinimized()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    raise();
    activateWindow();
    // The closing message or the notice, when one is open, stays in front of the window.
    if (QWidget* box = QApplication::activeModalWidget(); box && box != this) {
        box->raise();
        box->activateWindow();
    }
    activateAgain(activationTries);
}

void MainWindow::activateAgain(int tries) {
    QTimer::singleShot(activationRetryMs, this, [this, tries] {
        // The closing message or the notice, when one is open, is what takes the focus.
        QWidget* box = QApplication::activeModalWidget();
        QWidget* front = box ? box : this;
        // Qt's own view of the focus lags a change made by another program.
        if (holdsKeyboardFocus(front)) {
            return;
        }
        if (tries == 0) {
            QApplication::alert(this);
            return;
        }
        front->activateWindow();
        activateAgain(tries - 1);
    });
}

QtPictureArea& MainWindow::picture(ControlId id) {
    return *pictures_.at(id);
}

QWidget* MainWindow::controlWidget(ControlId id) const {
    return widgets_.value(id, nullptr);
}

QAction* MainWindow::menuAction(const QString& name) const {
    return actions_.value(name, nullptr);
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == preloadSoundsEvent) {
        preloadSounds();
        return true;
    }
    if (event->type() == prepareFreshEvent) {
        form_->prepareFreshNumbers();
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::preloadSoundsSoon() {
    if (soundsPreloaded_) {
        return;
    }
    soundsPreloaded_ = true;
    // Sounds are needed from the first answer of a drill on, not before: the idle window
    // never maps, relocates or connects the audio system, and keeps its memory. Posted at
    // the low priority of Qt's update requests, the preload runs once the first problem
    // has been painted. A sound asked for before it ends loads on the spot.
    QCoreApplication::postEvent(this, new QEvent(preloadSoundsEvent), Qt::LowEventPriority);
}

void MainWindow::waitForSoundLoads() {
    QElapsedTimer waited;
    waited.start();
    while ((mmControl1_->isLoading() || mmControl2_->isLoading()) &&
           waited.elapsed() < soundLoadWaitMs) {
        // The loads end on the sound module's thread; nothing of this window's events is
        // run while it goes away.
        QThread::msleep(1);
    }
}

void MainWindow::preloadSounds() {
    const QString folder = services_.files.programFolder();
    mmControl1_->preload(soundPath(folder, rightSoundFile));
    mmControl2_->preload(soundPath(folder, wrongSoundFile));
}

} // namespace minamo
