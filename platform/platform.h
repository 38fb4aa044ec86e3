#pragma once

// What the drill needs of the outside world, one interface per thing. The drill logic
// sees only these; the Qt widgets implement them for the real window and the recording
// fake implements them for tests and the trace tool. All positions are twips (1/1440
// inch) from a picture area's top left corner, y downward, unless a user coordinate
// system has been set on that area.

#include <QByteArray>
#include <QDate>
#include <QString>
#include <cstdint>
#include <memory>

namespace minamo {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

namespace colour {
inline constexpr Rgb black{0, 0, 0};
inline constexpr Rgb windowText{0, 0, 0}; // the system's window-text colour
inline constexpr Rgb red{255, 0, 0};
inline constexpr Rgb blue{0, 0, 255};
inline constexpr Rgb green{0, 128, 0};  // classic palette entry 2
inline constexpr Rgb teal{0, 128, 128}; // classic palette entry 3
inline constexpr Rgb lightCyan{192, 255, 255};
} // namespace colour

// How a print ends: the pen stays on the line after the text, or moves to the start of
// the next line.
enum class LineEnd { Stay, Break };

enum class BoxFill { Outline, Solid };

class PictureArea {
public:
    virtual ~PictureArea() = default;

    // Fills the area with its back colour and puts the pen at the top left corner. The
    // spoken text goes with the drawing.
    virtual void clear() = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool isVisible() const = 0;
    // The inside height in twips, whatever user scale is set.
    virtual double heightTwips() const = 0;

    virtual double currentX() const = 0;
    virtual double currentY() const = 0;
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;
    void setPen(double x, double y) {
        setCurrentX(x);
        setCurrentY(y);
    }

    virtual QString fontName() const = 0;
    virtual void setFontName(const QString& name) = 0;
    virtual double fontSize() const = 0;
    virtual void setFontSize(double points) = 0;
    virtual Rgb foreColor() const = 0;
    virtual void setForeColor(Rgb colour) = 0;

    // Prints text with its top left corner at the pen. Stay: the pen moves right by the
    // text's width. Break: the pen moves to x = 0 one line lower.
    virtual void print(const QString& text, LineEnd end) = 0;
    // How far print would move the pen right, in the current units and font: text set in
    // lines of a width is measured before it is printed.
    virtual double textWidth(const QString& text) const = 0;

    // A straight line; afterwards the pen is at (x2, y2).
    virtual void line(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    // A rectangle with corners (x1, y1) and (x2, y2); afterwards the pen is at (x2, y2).
    virtual void box(double x1, double y1, double x2, double y2, Rgb colour, BoxFill fill) = 0;

    // User coordinates: the top left corner becomes (left, top), the bottom right corner
    // (right, bottom). Pen positions and drawing then use these units.
    virtual void setScale(double left, double top, double right, double bottom) = 0;

    // What a person would read aloud of the drawing, for assistive tools (a screen reader):
    // set by whoever draws, at the moment it draws, from the text it draws; never read
    // back from the pixels. Lines are separated by "\n".
    virtual QString spokenText() const = 0;
    virtual void setSpokenText(const QString& text) = 0;
    // One more line after the lines spoken so far.
    void addSpokenLine(const QString& line) {
        const QString before = spokenText();
        setSpokenText(before.isEmpty() ? line : before + u'\n' + line);
    }
};

class TextBox {
public:
    virtual ~TextBox() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual void setFocus() = 0;
};

class Label {
public:
    virtual ~Label() = default;
    virtual QString caption() const = 0;
    virtual void setCaption(const QString& caption) = 0;
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;
};

class Button {
public:
    virtual ~Button() = default;
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;
};

class Timer {
public:
    virtual ~Timer() = default;
    // Milliseconds between ticks; 0 stops the timer.
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
};

enum class MediaCommand { Close, Open, Prev, Play };

// A multimedia player driven by commands, as the answer sounds need it: "open" the named
// file, "prev" rewinds, "play" starts without waiting, "close" releases the file.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void setFileName(const QString& path) = 0;
    virtual void command(MediaCommand command) = 0;
};

class Window {
public:
    virtual ~Window() = default;
    // Shows the window and brings it to the front.
    virtual void show() = 0;
    // Closes (unloads) the window, which ends the program.
    virtual void close() = 0;
};

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // A modal box with an exclamation icon and a single OK button; returns when closed.
    virtual void showExclamation(const QString& text, const QString& title) = 0;
};

// Why a file operation came out as it did: the one list that the file services answer
// with and that the history files, the pupil's notice and the log pass on.
enum class FileStatus {
    Ok,
    Missing,         // no such file, or no such folder on its path
    NotAFile,        // a folder, or something else that is not a plain file, stands there
    NoPermission,    // the system refused: permissions, or a read-only file system
    ReadFailed,      // the file was opened, but reading it failed
    NoSpace,         // the disk or the user's quota is full
    WriteFailed,     // writing the new contents or putting them in place failed otherwise
    LockBusy,        // another copy held the file's lock for the whole wait
    LockUnavailable, // no lock file could be made beside the file
    NotShiftJis,     // the bytes are not Shift_JIS text
    NotEncodable,    // the text holds a character that Shift_JIS cannot write
    Unsettled,       // reads one after another kept returning different contents
};

// The status in a few words, for logs: "permission denied".
const char* fileStatusText(FileStatus status);

struct ReadResult {
    FileStatus status = FileStatus::Missing;
    QByteArray bytes;
};

// Held by whoever took it, until destroyed.
class FileLock {
public:
    virtual ~FileLock() = default;
};

struct LockResult {
    std::unique_ptr<FileLock> lock; // nothing when status is not Ok
    FileStatus status = FileStatus::Ok;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual QString currentDirectory() const = 0;
    virtual QString programFolder() const = 0;
    virtual bool exists(const QString& path) const = 0;
    virtual ReadResult readFile(const QString& path) const = 0;
    // Replaces the file's contents as a whole: either the new contents are there
    // afterwards or the old file is untouched. Meant for use under the file's lock: it
    // first removes what an earlier write of the same file, killed half-way, left beside it.
    virtual FileStatus writeFileWhole(const QString& path, const QByteArray& bytes) = 0;
    // An exclusive lock on a file among every process that uses its folder, also from other
    // machines on a shared folder: claims beside it (share_lock.h). Waits at most timeoutMs.
    virtual LockResult lockFile(const QString& path, int timeoutMs) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Time of day in seconds since midnight, with a fractional part.
    virtual double secondsSinceMidnight() const = 0;
    virtual QDate today() const = 0;
    // Seconds on a clock that never jumps (not affected by midnight or clock changes).
    virtual double monotonicSeconds() const = 0;
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform number r with 0 <= r < 1.
    virtual double next() = 0;
};

class InstanceLock {
public:
    virtual ~InstanceLock() = default;
    // True when this is the only running copy of the program (the lock is now held).
    virtual bool acquire() = 0;
};

// Every control and service the drill uses, by the names the window gives them.
struct Platform {
    PictureArea& picture1; // history chart
    PictureArea& picture2; // problem area
    PictureArea& picture3; // the typed answer in mathematical layout
    PictureArea& picture4; // the expected answer after a miss
    PictureArea& picture5; // empty box
    PictureArea& picture7; // worked solutions
    TextBox& text1;        // number of the current problem
    TextBox& text2;        // answer entry
    TextBox& text4;        // copy of the typed answer that judging reads
    TextBox& text5;
    TextBox& text6;
    Label& label2; // countdown
    Label& label3; // right answers
    Label& label4; // misses
    Label& label5; // score
    Label& label12;
    Label& label13;
    Label& label14;
    Button& command1; // ていせい
    Button& command2; // 消す
    Button& command3; // 確認
    Timer& timer1;
    SoundPlayer& mmControl1; // right-answer sound
    SoundPlayer& mmControl2; // wrong-answer sound
    Window& form1;
    MessageBox& messageBox;
    FileSystem& files;
    Clock& clock;
    RandomSource& random;
    InstanceLock& instanceLock;
};

// Controls that stand in for some of a Platform's own: a trial copy, a recorder, a real area
// among fakes. Unset: the Platform's own.
struct Substitutes {
    PictureArea* picture1 = nullptr;
    PictureArea* picture2 = nullptr;
    PictureArea* picture3 = nullptr;
    TextBox* text2 = nullptr;
    TextBox* text4 = nullptr;
};

// The same controls and services as p, but the substitutes.
Platform substituted(const Platform& p, const Substitutes& with);

} // namespace minamo
