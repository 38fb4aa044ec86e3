#pragma once

// A recording fake of every platform interface. Picture areas log each operation with
// its coordinates (twips, or the user units of a scale), font and colour, so that tests
// and the trace tool can check positions exactly. Text is measured with fixed widths:
// a half-width character is half the font size wide, every other character the full size
// (in points, 20 twips a point); a line is as high as the font size.

#include "platform/pen_area.h"
#include "system/system_services.h"

#include <QMap>
#include <QSet>
#include <QStringList>
#include <functional>
#include <random>
#include <vector>

namespace minamo {

struct DrawOp {
    enum class Kind { Clear, Print, Line, Box, Scale, Font, Colour, Show, Hide };
    Kind kind = Kind::Print;
    double x = 0, y = 0, x2 = 0, y2 = 0;
    QString text;
    QString font;
    double size = 0;
    Rgb colour;
    LineEnd end = LineEnd::Stay;
    BoxFill fill = BoxFill::Outline;

    // One line of the draw log, e.g. `print (40,200) "x" stay MS PGothic 20.25 #000000`.
    QString toString() const;
};

// A number as the logs write it: integers plainly, other values with up to 3 decimals.
QString logNumber(double value);
QString hexColour(Rgb colour);

class FakePictureArea : public PenArea {
public:
    FakePictureArea(QString name, int widthTwips, int heightTwips, QString fontName,
                    double fontSize, Rgb fore = colour::windowText);

    void clear() override;
    void setVisible(bool visible) override;
    bool isVisible() const override { return visible_; }
    void setFontName(const QString& name) override;
    void setFontSize(double points) override;
    void setForeColor(Rgb colour) override;
    void print(const QString& text, LineEnd end) override;
    void line(double x1, double y1, double x2, double y2, Rgb colour) override;
    void box(double x1, double y1, double x2, double y2, Rgb colour, BoxFill fill) override;
    void setScale(double left, double top, double right, double bottom) override;
    void setSpokenText(const QString& text) override;

    const QString& name() const { return name_; }
    // The spoken text after each of its changes, in order (a clear that empties it too).
    // Kept apart from the operations, which stay the drawing alone.
    const QStringList& spokenLog() const { return spokenLog_; }
    // Every operation since creation (or the last forgetLog), in order.
    const std::vector<DrawOp>& ops() const { return ops_; }
    // Only the drawing operations (prints, lines, boxes, clears).
    std::vector<DrawOp> drawing() const;
    // The texts printed since the last clear, in order.
    QStringList printedTexts() const;
    QStringList logLines() const;
    void forgetLog() {
        ops_.clear();
        spokenLog_.clear();
    }

    // The fixed text metrics, in twips.
    static double textWidthTwips(const QString& text, double points);
    double textWidth(const QString& text) const override {
        return userScale().widthFromTwips(textWidthTwips(text, fontSize()));
    }
    static double lineHeightTwips(double points);

private:
    QString name_;
    bool visible_ = true;
    std::vector<DrawOp> ops_;
    QStringList spokenLog_;
};

// Which control holds the keyboard focus.
struct FocusTracker {
    QString focused;
};

class FakeTextBox : public TextBox {
public:
    FakeTextBox(QString name, QString text, FocusTracker& focus);
    QString text() const override { return text_; }
    void setText(const QString& text) override;
    bool isVisible() const override { return visible_; }
    void setVisible(bool visible) override { visible_ = visible; }
    void setFocus() override { focus_.focused = name_; }
    bool hasFocus() const { return focus_.focused == name_; }

    // The box's own handling of a key the handler passed through: Backspace deletes the
    // character before the caret, a character is inserted at the caret, control codes
    // change nothing. The caret stands at the end after every setText.
    void applyPassedKey(std::int16_t code, const QString& character);
    int caret() const { return caret_; }

private:
    QString name_;
    QString text_;
    FocusTracker& focus_;
    bool visible_ = true;
    int caret_ = 0;
};

class FakeLabel : public Label {
public:
    explicit FakeLabel(QString caption = {}) : caption_(std::move(caption)) {}
    QString caption() const override { return caption_; }
    void setCaption(const QString& caption) override { caption_ = caption; }
    bool isVisible() const override { return visible_; }
    void setVisible(bool visible) override { visible_ = visible; }

private:
    QString caption_;
    bool visible_ = true;
};

class FakeButton : public Button {
public:
    bool isVisible() const override { return visible_; }
    void setVisible(bool visible) override { visible_ = visible; }

private:
    bool visible_ = true;
};

class FakeTimer : public Timer {
public:
    explicit FakeTimer(int interval) : interval_(interval) {}
    void setInterval(int milliseconds) override { interval_ = milliseconds; }
    int interval() const override { return interval_; }

private:
    int interval_;
};

class FakeSoundPlayer : public SoundPlayer {
public:
    void setFileName(const QString& path) override;
    void command(MediaCommand command) override;
    // "file <path>", "close", "open", "prev", "play", in order.
    QStringList log;
    int plays() const;
};

class FakeWindow : public Window {
public:
    void show() override { ++shows; }
    void close() override { closed = true; }
    int shows = 0;
    bool closed = false;
};

class FakeMessageBox : public MessageBox {
public:
    struct Shown {
        QString text;
        QString title;
    };
    void showExclamation(const QString& text, const QString& title) override;
    std::vector<Shown> shown;
};

class FakeFileSystem : public FileSystem {
public:
    QString currentDirectory() const override { return currentDirectory_; }
    QString programFolder() const override { return programFolder_; }
    bool exists(const QString& path) const override;
    ReadResult readFile(const QString& path) const override;
    FileStatus writeFileWhole(const QString& path, const QByteArray& bytes) override;
    LockResult lockFile(const QString& path, int timeoutMs) override;

    QString currentDirectory_ = QStringLiteral("/home/pupil");
    QString programFolder_ = QStringLiteral("/opt/minamo");
    QMap<QString, QByteArray> files;
    QSet<QString> unreadable;  // exist but cannot be read
    QSet<QString> directories; // exist, are not files
    bool failWrites = false;   // every write fails, the old contents stay
    int writes = 0;            // successful writes
    bool lockRefused = false;  // another copy holds every file's lock
    int locksTaken = 0;

    // Another machine's write as a network folder's client cache shows it: of the next
    // `unsettled` reads, every other one, the first among them, still returns the bytes
    // from before (sshfs's first read after the change).
    void writtenElsewhere(const QString& path, const QByteArray& bytes, int unsettled);
    mutable int reads = 0;

private:
    struct Cached {
        QByteArray before;
        int unsettled = 0;
    };
    mutable QMap<QString, Cached> cached_;
};

class FakeClock : public Clock {
public:
    double secondsSinceMidnight() const override { return timeOfDay; }
    QDate today() const override { return date; }
    double monotonicSeconds() const override { return monotonic; }
    // Moves the time of day (wrapping at midnight) and the monotonic clock on.
    void advance(double seconds);

    double timeOfDay = 36000.0; // 10:00
    QDate date{2026, 12, 9};
    double monotonic = 1000.0;
};

// The real generator with a fixed seed, so that a test's draws repeat.
class FakeRandom : public SeededRandom {
public:
    explicit FakeRandom(std::uint64_t seed = 12345) : SeededRandom(seed) {}
    double next() override;
    // When not empty, values are taken from here first.
    std::vector<double> script;
};

class FakeInstanceLock : public InstanceLock {
public:
    bool acquire() override { return available; }
    bool available = true;
};

// Every control of the window, with the design sizes, fonts and texts of the window.
class FakePlatform {
public:
    FakePlatform();
    // Every control of the fake, with other files (real ones in a folder, say).
    explicit FakePlatform(FileSystem& otherFiles);
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    Platform& platform() { return platform_; }

    FocusTracker focus;
    FakePictureArea picture1, picture2, picture3, picture4, picture5, picture7;
    FakeTextBox text1, text2, text4, text5, text6;
    FakeLabel label2, label3, label4, label5, label12, label13, label14;
    FakeButton command1, command2, command3;
    FakeTimer timer1;
    FakeSoundPlayer mmControl1, mmControl2;
    FakeWindow form1;
    FakeMessageBox messageBox;
    FakeFileSystem files;
    FakeClock clock;
    FakeRandom random;
    FakeInstanceLock instanceLock;

private:
    Platform platform_;
};

} // namespace minamo
