#include "fake/fake_platform.h"

#include "design/form_layout.h"

#include <cmath>

namespace minamo {

QString logNumber(double value) {
    if (std::abs(value - std::round(value)) < 1e-9) {
        return QString::number(static_cast<long long>(std::llround(value)));
    }
    QString text = QString::number(value, 'f', 3);
    while (text.endsWith(u'0')) {
        text.chop(1);
    }
    if (text.endsWith(u'.')) {
        text.chop(1);
    }
    return text;
}

QString hexColour(Rgb colour) {
    return QStringLiteral("#%1%2%3")
        .arg(colour.r, 2, 16, QChar(u'0'))
        .arg(colour.g, 2, 16, QChar(u'0'))
        .arg(colour.b, 2, 16, QChar(u'0'));
}

namespace {
QString point(double x, double y) {
    return QStringLiteral("(%1,%2)").arg(logNumber(x), logNumber(y));
}
} // namespace

QString DrawOp::toString() const {
    switch (kind) {
    case Kind::Clear:
        return QStringLiteral("clear");
    case Kind::Print:
        return QStringLiteral("print %1 \"%2\" %3 %4 %5 %6")
            .arg(point(x, y), text,
                 end == LineEnd::Stay ? QStringLiteral("stay") : QStringLiteral("break"), font,
                 logNumber(size), hexColour(colour));
    case Kind::Line:
        return QStringLiteral("line %1-%2 %3").arg(point(x, y), point(x2, y2), hexColour(colour));
    case Kind::Box:
        return QStringLiteral("box %1-%2 %3 %4")
            .arg(point(x, y), point(x2, y2), hexColour(colour),
                 fill == BoxFill::Solid ? QStringLiteral("solid") : QStringLiteral("outline"));
    case Kind::Scale:
        return QStringLiteral("scale %1-%2").arg(point(x, y), point(x2, y2));
    case Kind::Font:
        return QStringLiteral("font %1 %2").arg(font, logNumber(size));
    case Kind::Colour:
        return QStringLiteral("colour %1").arg(hexColour(colour));
    case Kind::Show:
        return QStringLiteral("show");
    case Kind::Hide:
        return QStringLiteral("hide");
    }
    return {};
}

FakePictureArea::FakePictureArea(QString name, int widthTwips, int heightTwips, QString fontName,
                                 double fontSize, Rgb fore)
    : PenArea({.widthTwips = static_cast<double>(widthTwips),
               .heightTwips = static_cast<double>(heightTwips),
               .fontName = std::move(fontName),
               .fontPoints = fontSize,
               .fore = fore}),
      name_(std::move(name)) {}

void FakePictureArea::clear() {
    penHome();
    ops_.push_back(DrawOp{.kind = DrawOp::Kind::Clear});
    if (!spokenText().isEmpty()) {
        setSpokenText(QString());
    }
}

void FakePictureArea::setSpokenText(const QString& text) {
    PenArea::setSpokenText(text);
    spokenLog_ << text;
}

void FakePictureArea::setVisible(bool visible) {
    if (visible != visible_) {
        ops_.push_back(DrawOp{.kind = visible ? DrawOp::Kind::Show : DrawOp::Kind::Hide});
    }
    visible_ = visible;
}

void FakePictureArea::setFontName(const QString& name) {
    PenArea::setFontName(name);
    ops_.push_back(DrawOp{.kind = DrawOp::Kind::Font, .font = fontName(), .size = fontSize()});
}

void FakePictureArea::setFontSize(double points) {
    PenArea::setFontSize(points);
    ops_.push_back(DrawOp{.kind = DrawOp::Kind::Font, .font = fontName(), .size = fontSize()});
}

void FakePictureArea::setForeColor(Rgb colour) {
    PenArea::setForeColor(colour);
    ops_.push_back(DrawOp{.kind = DrawOp::Kind::Colour, .colour = colour});
}

double FakePictureArea::textWidthTwips(const QString& text, double points) {
    double width = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        const bool halfWidth = (u >= 0x20 && u < 0x7F) || (u >= 0xFF61 && u <= 0xFF9F);
        width += halfWidth ? points * 10.0 : points * 20.0;
    }
    return width;
}

double FakePictureArea::lineHeightTwips(double points) {
    return points * 20.0;
}

void FakePictureArea::print(const QString& text, LineEnd end) {
    ops_.push_back(DrawOp{.kind = DrawOp::Kind::Print,
                          .x = currentX(),
                          .y = currentY(),
                          .text = text,
                          .font = fontName(),
                          .size = fontSize(),
                          .colour = foreColor(),
                          .end = end});
    penAfterPrint(end, userScale().widthFromTwips(textWidthTwips(text, fontSize())),
                  userScale().heightFromTwips(lineHeightTwips(fontSize())));
}

void FakePictureArea::line(double x1, double y1, double x2, double y2, Rgb colour) {
    ops_.push_back(
        DrawOp{.kind = DrawOp::Kind::Line, .x = x1, .y = y1, .x2 = x2, .y2 = y2, .colour = colour});
    setPen(x2, y2);
}

void FakePictureArea::box(double x1, double y1, double x2, double y2, Rgb colour, BoxFill fill) {
    ops_.push_back(DrawOp{.kind = DrawOp::Kind::Box,
                          .x = x1,
                          .y = y1,
                          .x2 = x2,
                          .y2 = y2,
                          .colour = colour,
                          .fill = fill});
    setPen(x2, y2);
}

void FakePictureArea::setScale(double left, double top, double right, double bottom) {
    PenArea::setScale(left, top, right, bottom);
    ops_.push_back(
        DrawOp{.kind = DrawOp::Kind::Scale, .x = left, .y = top, .x2 = right, .y2 = bottom});
}

std::vector<DrawOp> FakePictureArea::drawing() const {
    std::vector<DrawOp> result;
    for (const auto& op : ops_) {
        if (op.kind == DrawOp::Kind::Print || op.kind == DrawOp::Kind::Line ||
            op.kind == DrawOp::Kind::Box || op.kind == DrawOp::Kind::Clear) {
            result.push_back(op);
        }
    }
    return result;
}

QStringList FakePictureArea::printedTexts() const {
    QStringList texts;
    for (const auto& op : ops_) {
        if (op.kind == DrawOp::Kind::Clear) {
            texts.clear();
        } else if (op.kind == DrawOp::Kind::Print) {
            texts << op.text;
        }
    }
    return texts;
}

QStringList FakePictureArea::logLines() const {
    QStringList lines;
    for (const auto& op : ops_) {
        lines << name_ + QStringLiteral(" ") + op.toString();
    }
    return lines;
}

FakeTextBox::FakeTextBox(QString name, QString text, FocusTracker& focus)
    : name_(std::move(name)), text_(std::move(text)), focus_(focus), caret_(text_.size()) {}

void FakeTextBox::setText(const QString& text) {
    text_ = text;
    caret_ = text_.size();
}

void FakeTextBox::applyPassedKey(std::int16_t code, const QString& character) {
    if (code == 8) {
        if (caret_ > 0) {
            text_.remove(caret_ - 1, 1);
            --caret_;
        }
        return;
    }
    if (character.isEmpty()) {
        return;
    }
    text_.insert(caret_, character);
    caret_ += static_cast<int>(character.size());
}

void FakeSoundPlayer::setFileName(const QString& path) {
    log << QStringLiteral("file ") + path;
}

void FakeSoundPlayer::command(MediaCommand command) {
    switch (command) {
    case MediaCommand::Close:
        log << QStringLiteral("close");
        break;
    case MediaCommand::Open:
        log << QStringLiteral("open");
        break;
    case MediaCommand::Prev:
        log << QStringLiteral("prev");
        break;
    case MediaCommand::Play:
        log << QStringLiteral("play");
        break;
    }
}

int FakeSoundPlayer::plays() const {
    return static_cast<int>(log.count(QStringLiteral("play")));
}

void FakeMessageBox::showExclamation(const QString& text, const QString& title) {
    shown.push_back({text, title});
}

bool FakeFileSystem::exists(const QString& path) const {
    return files.contains(path) || unreadable.contains(path) || directories.contains(path);
}

ReadResult FakeFileSystem::readFile(const QString& path) const {
    if (unreadable.contains(path)) {
        return {.status = FileStatus::NoPermission};
    }
    if (directories.contains(path)) {
        return {.status = FileStatus::NotAFile};
    }
    if (!files.contains(path)) {
        return {.status = FileStatus::Missing};
    }
    ++reads;
    if (const auto c = cached_.find(path); c != cached_.end() && c->unsettled > 0) {
        const bool old = c->unsettled % 2 == 1;
        const QByteArray before = c->before;
        if (--c->unsettled == 0) {
            cached_.erase(c);
        }
        if (old) {
            return {.status = FileStatus::Ok, .bytes = before};
        }
    }
    return {.status = FileStatus::Ok, .bytes = files.value(path)};
}

void FakeFileSystem::writtenElsewhere(const QString& path, const QByteArray& bytes, int unsettled) {
    // An odd count starts with the old bytes.
    cached_[path] = Cached{.before = files.value(path), .unsettled = unsettled | 1};
    files.insert(path, bytes);
}

FileStatus FakeFileSystem::writeFileWhole(const QString& path, const QByteArray& bytes) {
    if (failWrites) {
        return FileStatus::NoSpace;
    }
    if (directories.contains(path)) {
        return FileStatus::NotAFile;
    }
    if (unreadable.contains(path)) {
        return FileStatus::NoPermission;
    }
    files.insert(path, bytes);
    ++writes;
    return FileStatus::Ok;
}

LockResult FakeFileSystem::lockFile(const QString& path, int timeoutMs) {
    if (lockRefused) {
        return {.status = FileStatus::LockBusy};
    }
    ++locksTaken;
    return {.lock = std::make_unique<FileLock>()};
}

void FakeClock::advance(double seconds) {
    timeOfDay += seconds;
    while (timeOfDay >= 86400.0) {
        timeOfDay -= 86400.0;
        date = date.addDays(1);
    }
    monotonic += seconds;
}

double FakeRandom::next() {
    if (!script.empty()) {
        const double value = script.front();
        script.erase(script.begin());
        return value;
    }
    return SeededRandom::next();
}

namespace {
FakePictureArea makePicture(ControlId id) {
    const ControlSpec& layout = controlSpec(id);
    const FontSpec& font = fontOf(layout);
    return FakePictureArea(layout.name, layout.width, layout.height, font.name, font.points,
                           layout.fore.value_or(colour::windowText));
}
QString designText(ControlId id) {
    return controlSpec(id).caption;
}
} // namespace

FakePlatform::FakePlatform() : FakePlatform(files) {}

FakePlatform::FakePlatform(FileSystem& otherFiles)
    : picture1(makePicture(ControlId::Picture1)), picture2(makePicture(ControlId::Picture2)),
      picture3(makePicture(ControlId::Picture3)), picture4(makePicture(ControlId::Picture4)),
      picture5(makePicture(ControlId::Picture5)), picture7(makePicture(ControlId::Picture7)),
      text1(QStringLiteral("Text1"), designText(ControlId::Text1), focus),
      text2(QStringLiteral("Text2"), designText(ControlId::Text2), focus),
      text4(QStringLiteral("Text4"), designText(ControlId::Text4), focus),
      text5(QStringLiteral("Text5"), designText(ControlId::Text5), focus),
      text6(QStringLiteral("Text6"), designText(ControlId::Text6), focus),
      label2(designText(ControlId::Label2)), label3(designText(ControlId::Label3)),
      label4(designText(ControlId::Label4)), label5(designText(ControlId::Label5)),
      label12(designText(ControlId::Label12)), label13(designText(ControlId::Label13)),
      label14(designText(ControlId::Label14)),
      timer1(timerIntervalMs), platform_{
                                   .picture1 = picture1,
                                   .picture2 = picture2,
                                   .picture3 = picture3,
                                   .picture4 = picture4,
                                   .picture5 = picture5,
                                   .picture7 = picture7,
                                   .text1 = text1,
                                   .text2 = text2,
                                   .text4 = text4,
                                   .text5 = text5,
                                   .text6 = text6,
                                   .label2 = label2,
                                   .label3 = label3,
                                   .label4 = label4,
                                   .label5 = label5,
                                   .label12 = label12,
                                   .label13 = label13,
                                   .label14 = label14,
                                   .command1 = command1,
                                   .command2 = command2,
                                   .command3 = command3,
                                   .timer1 = timer1,
                                   .mmControl1 = mmControl1,
                                   .mmControl2 = mmControl2,
                                   .form1 = form1,
                                   .messageBox = messageBox,
                                   .files = otherFiles,
                                   .clock = clock,
                                   .random = random,
                                   .instanceLock = instanceLock,
                               } {}

} // namespace minamo
