#include "platform/qt/main_window.h"

#include "app/countdown.h"
#include "app/drill_start.h"
#include "app/sounds.h"
#include "platform/qt/fonts.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QThread>
#include <QTimer>

namespace minamo {

namespace {

QColor toQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

double screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

void place(QWidget* widget, const ControlSpec& layout, const TwipsScale& scale) {
    widget->setObjectName(layout.name);
    widget->setGeometry(scale.toWholePixels(layout.left), scale.toWholePixels(layout.top),
                        scale.toWholePixels(layout.width), scale.toWholePixels(layout.height));
    if (layout.font) {
        widget->setFont(designFont(*layout.font));
    }
    QPalette palette = widget->palette();
    if (layout.back) {
        palette.setColor(QPalette::Base, toQColor(*layout.back));
        palette.setColor(QPalette::Button, toQColor(*layout.back));
        palette.setColor(QPalette::Window, toQColor(*layout.back));
    }
    if (layout.fore) {
        palette.setColor(QPalette::WindowText, toQColor(*layout.fore));
        palette.setColor(QPalette::Text, toQColor(*layout.fore));
    }
    widget->setPalette(palette);
}

} // namespace

MainWindow::MainWindow(Services services, QWidget* parent)
    : QMainWindow(parent), scale_{screenDpi()}, services_(services) {
    setWindowTitle(form::caption);
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("Form1"));
    client_->setFixedSize(scale_.toWholePixels(form::clientWidth),
                          scale_.toWholePixels(form::clientHeight));
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, toQColor(form::backColour));
    client_->setPalette(palette);
    client_->setAutoFillBackground(true);
    setCentralWidget(client_);

    buildControls();
    buildMenu();

    timer_ = new QTimer(this);
    timer1_ = std::make_unique<QtTimer>(timer_);
    mmControl1_ = std::make_unique<QtSoundPlayer>(this);
    mmControl2_ = std::make_unique<QtSoundPlayer>(this);
    window_ = std::make_unique<QtWindow>(this);
    messageBox_ = std::make_unique<QtMessageBox>(this);

    auto pic = [this](ControlId id) -> PictureArea& { return *pictures_.at(id); };
    auto text = [this](ControlId id) -> TextBox& { return *textBoxes_.at(id); };
    auto label = [this](ControlId id) -> Label& { return *labels_.at(id); };
    auto button = [this](ControlId id) -> Button& { return *buttons_.at(id); };
    using enum ControlId;
    platform_ = std::unique_ptr<Platform>(
        new Platform{pic(Picture1),    pic(Picture2),    pic(Picture3),
                     pic(Picture4),    pic(Picture5),    pic(Picture7),
                     text(Text1),      text(Text2),      text(Text4),
                     text(Text5),      text(Text6),      label(Label2),
                     label(Label3),    label(Label4),    label(Label5),
                     label(Label12),   label(Label13),   label(Label14),
                     button(Command1), button(Command2), button(Command3),
                     *timer1_,         *mmControl1_,     *mmControl2_,
                     *window_,         *messageBox_,     services_.files,
                     services_.clock,  services_.random, services_.instanceLock});
    form_ = std::make_unique<Form1>(*platform_);

    answerBox_->setKeyHandler([this](std::int16_t code) { return form_->Text2_KeyPress(code); });
    connect(timer_, &QTimer::timeout, this, [this] { form_->Timer1_Timer(); });
    connect(static_cast<QPushButton*>(widgets_[Command1]), &QPushButton::clicked, this,
            [this] { form_->Command1_Click(); });
    connect(static_cast<QPushButton*>(widgets_[Command2]), &QPushButton::clicked, this,
            [this] { form_->Command2_Click(); });
    connect(static_cast<QPushButton*>(widgets_[Command3]), &QPushButton::clicked, this,
            [this] { form_->Command3_Click(); });
    connect(answerBox_, &QLineEdit::editingFinished, this, [this] { form_->Text2_LostFocus(); });

    adjustSize();
    setFixedSize(size());
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    // Labels are drawn on the window's own surface, behind every control with a window of
    // its own; the others are made from back to front so each covers the ones before it.
    for (const ControlSpec& layout : controlSpecs()) {
        if (layout.kind != ControlKind::Label) {
            continue;
        }
        auto* widget = new QLabel(layout.caption, client_);
        widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        place(widget, layout, scale_);
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
                edit = answerBox_;
            } else {
                // Shown for reading only: the copy that judging reads must not be typed into.
                edit = new QLineEdit(client_);
                edit->setReadOnly(true);
                edit->setFocusPolicy(Qt::NoFocus);
            }
            edit->setText(layout.caption);
            place(edit, layout, scale_);
            widgets_[layout.id] = edit;
            textBoxes_[layout.id] = std::make_unique<QtTextBox>(edit);
            break;
        }
        case ControlKind::Button: {
            auto* button = new CaptionButton(layout.caption, client_);
            button->setFocusPolicy(Qt::NoFocus);
            place(button, layout, scale_);
            widgets_[layout.id] = button;
            buttons_[layout.id] = std::make_unique<QtButton>(button);
            break;
        }
        case ControlKind::Label:
            break;
        }
    }
}

void MainWindow::buildMenu() {
    QMenuBar* bar = menuBar();
    for (const MenuSpec& menu : menuSpecs()) {
        if (menu.items.empty()) {
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
        for (const MenuItemSpec& item : menu.items) {
            QAction* action = sub->addAction(item.caption);
            action->setObjectName(item.name);
            action->setEnabled(item.choosable == Choosable::Yes);
            actions_[item.name] = action;
            if (item.entry) {
                const MenuEntry entry = *item.entry;
                connect(action, &QAction::triggered, this,
                        [this, entry] { form_->menuClick(entry); });
            }
        }
    }
}

bool MainWindow::load() {
    if (!form_->Form_Load()) {
        return false;
    }
    timer_->start(timerIntervalMs);
    return true;
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

void MainWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (!soundsPreloaded_) {
        soundsPreloaded_ = true;
        // Queued from the first paint, the preload runs once that paint has ended and been
        // flushed: the idle window never waits for the audio system. (Queued from the show
        // instead, it would run before the window's first expose is handled.) Sounds still
        // load on their first use should the window never be painted.
        QTimer::singleShot(0, this, [this] { preloadSounds(); });
    }
}

void MainWindow::setStartupProbe(StartupProbe* probe) {
    probe_ = probe;
    if (probe_) {
        probe_->watch(this, StartupProbe::DeferredWork::Expected);
    }
}

void MainWindow::waitForSoundLoads(int timeoutMs) {
    QElapsedTimer waited;
    waited.start();
    while ((mmControl1_->isLoading() || mmControl2_->isLoading()) && waited.elapsed() < timeoutMs) {
        // The end of a load reaches the player as an event of this thread.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        QThread::msleep(1);
    }
}

void MainWindow::preloadSounds() {
    if (probe_) {
        probe_->deferredWorkStarted();
    }
    const QString folder = services_.files.programFolder();
    mmControl1_->preload(soundPath(folder, rightSoundFile));
    mmControl2_->preload(soundPath(folder, wrongSoundFile));
    if (probe_) {
        probe_->deferredWorkFinished();
    }
}

} // namespace minamo
