#pragma once

#include "app/form1.h"
#include "design/form_layout.h"
#include "qt/announcer.h"
#include "qt/qt_controls.h"
#include "qt/qt_picture_area.h"
#include "qt/twips.h"

#include <QApplication>
#include <QMainWindow>
#include <QMap>
#include <QTimer>
#include <QWindow>
#include <memory>

class QAction;

namespace minamo {

// The window Form1: its controls are built from the design tables, their events go to the
// drill's handlers.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    struct Services {
        FileSystem& files;
        Clock& clock;
        RandomSource& random;
        InstanceLock& instanceLock;
    };

    // With fresh numbers the caption says so; nothing else of the window changes.
    explicit MainWindow(Services services, const DrillOptions& options = {},
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    // Runs the start-up; false when another copy runs and this one must end.
    bool load();
    // A later start asked for the window: it comes to the front, with the message box it
    // may be showing; where the window system refuses, it asks for attention.
    void comeForward();

    Form1& form() { return *form_; }
    const TwipsScale& scale() const { return scale_; }
    QWidget* client() const { return client_; }
    QtPictureArea& picture(ControlId id);
    QWidget* controlWidget(ControlId id) const;
    AnswerBox* answerBox() const { return answerBox_; }
    // The menu action of an entry, by its control name ("tosiki1", "hbunbig2").
    QAction* menuAction(const QString& name) const;
    QTimer* timer() const { return timer_; }
    const QtSoundPlayer& rightSound() const { return *mmControl1_; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    // Each entry enabled where those numbers can ask it.
    void buildMenu(Numbers numbers);
    void buildFocusChain();
    void buildAnnouncements();
    void returnFocusToAnswerBox(QWidget* pressed);
    void preloadSoundsSoon();
    void preloadSounds();
    void waitForSoundLoads();
    void activateAgain(int tries);

    TwipsScale scale_;
    QWidget* client_ = nullptr;
    AnswerBox* answerBox_ = nullptr;
    Announcer* announcer_ = nullptr;
    QTimer* timer_ = nullptr;
    QMap<ControlId, QWidget*> widgets_;
    QMap<QString, QAction*> actions_;
    std::map<ControlId, std::unique_ptr<QtPictureArea>> pictures_;
    std::map<ControlId, std::unique_ptr<QtTextBox>> textBoxes_;
    std::map<ControlId, std::unique_ptr<QtLabel>> labels_;
    std::map<ControlId, std::unique_ptr<QtButton>> buttons_;
    std::unique_ptr<QtTimer> timer1_;
    std::unique_ptr<SoundModule> soundModule_;
    std::unique_ptr<QtSoundPlayer> mmControl1_, mmControl2_;
    std::unique_ptr<QtWindow> window_;
    std::unique_ptr<QtMessageBox> messageBox_;
    std::unique_ptr<Platform> platform_;
    std::unique_ptr<Form1> form_;
    Services services_;
    bool soundsPreloaded_ = false;
};

} // namespace minamo
