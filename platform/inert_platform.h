#pragma once

// A Platform for running the drawing procedures away from the window: the picture areas
// are the caller's, every other control and service does nothing (text boxes keep their
// text, nothing is shown or played, no file exists, the clock stands at midnight).

#include "platform/platform.h"

namespace minamo {

class InertPlatform {
public:
    // The caller's picture areas, by the window's names.
    struct Areas {
        PictureArea& picture1;
        PictureArea& picture2;
        PictureArea& picture3;
        PictureArea& picture4;
        PictureArea& picture5;
        PictureArea& picture7;
    };
    explicit InertPlatform(const Areas& areas);
    InertPlatform(const InertPlatform&) = delete;
    InertPlatform& operator=(const InertPlatform&) = delete;

    Platform& platform() { return platform_; }

private:
    class Box : public TextBox {
    public:
        QString text() const override { return text_; }
        void setText(const QString& text) override { text_ = text; }
        bool isVisible() const override { return false; }
        void setVisible(bool) override {}
        void setFocus() override {}

    private:
        QString text_;
    };
    class Caption : public Label {
    public:
        QString caption() const override { return caption_; }
        void setCaption(const QString& caption) override { caption_ = caption; }
        bool isVisible() const override { return false; }
        void setVisible(bool) override {}

    private:
        QString caption_;
    };
    class Key : public Button {
    public:
        bool isVisible() const override { return false; }
        void setVisible(bool) override {}
    };
    class Ticks : public Timer {
    public:
        void setInterval(int) override {}
        int interval() const override { return 0; }
    };
    class Silence : public SoundPlayer {
    public:
        void setFileName(const QString&) override {}
        void command(MediaCommand) override {}
    };
    class NoWindow : public Window {
    public:
        void show() override {}
        void close() override {}
    };
    class NoMessages : public MessageBox {
    public:
        void showExclamation(const QString&, const QString&) override {}
    };
    class NoFiles : public FileSystem {
    public:
        QString currentDirectory() const override { return {}; }
        QString programFolder() const override { return {}; }
        bool exists(const QString&) const override { return false; }
        ReadResult readFile(const QString&) const override { return {}; }
        FileStatus writeFileWhole(const QString&, const QByteArray&) override {
            return FileStatus::NoPermission;
        }
        LockResult lockFile(const QString&, int) override {
            return {.lock = nullptr, .status = FileStatus::LockUnavailable};
        }
    };
    class Midnight : public Clock {
    public:
        double secondsSinceMidnight() const override { return 0; }
        QDate today() const override { return {}; }
        double monotonicSeconds() const override { return 0; }
    };
    class Zero : public RandomSource {
    public:
        double next() override { return 0; }
    };
    class NoLock : public InstanceLock {
    public:
        bool acquire() override { return false; }
    };

    Box text1_, text2_, text4_, text5_, text6_;
    Caption label2_, label3_, label4_, label5_, label12_, label13_, label14_;
    Key command1_, command2_, command3_;
    Ticks timer1_;
    Silence mmControl1_, mmControl2_;
    NoWindow form1_;
    NoMessages messageBox_;
    NoFiles files_;
    Midnight clock_;
    Zero random_;
    NoLock instanceLock_;
    Platform platform_;
};

} // namespace minamo
