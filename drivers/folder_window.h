#pragma once

// The window's handlers on the recording fake, with the family files in a real folder
// through LocalFileSystem. Shared by the history fault tests and their helper program, so
// that both run the very same drill.

#include "app/countdown.h"
#include "app/form1.h"
#include "drivers/fake_drive.h"
#include "system/system_services.h"

namespace minamo {

// LocalFileSystem with a write error that can be switched on: the system refusing a write
// (a full disk, a read-only folder) as the window sees it. The pupil's folder is the
// process's current directory unless one is given.
class FolderFiles : public FileSystem {
public:
    explicit FolderFiles(QString folder = QString()) : folder_(std::move(folder)) {}
    QString currentDirectory() const override {
        return folder_.isEmpty() ? local_.currentDirectory() : folder_;
    }
    QString programFolder() const override { return local_.programFolder(); }
    bool exists(const QString& path) const override { return local_.exists(path); }
    ReadResult readFile(const QString& path) const override { return local_.readFile(path); }
    FileStatus writeFileWhole(const QString& path, const QByteArray& bytes) override {
        ++writeAttempts;
        return failWrites ? FileStatus::NoSpace : local_.writeFileWhole(path, bytes);
    }
    LockResult lockFile(const QString& path, int timeoutMs) override {
        return local_.lockFile(path, timeoutMs);
    }

    bool failWrites = false;
    int writeAttempts = 0;

private:
    LocalFileSystem local_{QStringLiteral("/opt/minamo")};
    QString folder_;
};

// A loaded window whose family files live in a real folder.
struct FolderWindow {
    explicit FolderWindow(const QString& folder = QString()) : files(folder) {
        loaded = form.Form_Load();
    }
    FolderFiles files;
    FakePlatform fake{files};
    Form1 form{fake.platform()};
    bool loaded = false;
    DrillState& s() { return form.state(); }
};

// The drill every fault test runs: 基本１ from the menu, three right answers, one miss
// confirmed with 確認, then the countdown runs out. Its score is 2.
inline constexpr int16 standardDrillScore = 2;
inline const QString standardDrillRecordName = QStringLiteral("方程式基本1.txt");
inline const QString standardFamilyFile = QStringLiteral("方程式基本.txt");

inline void startStandardDrill(FolderWindow& w) {
    w.form.Menu_Click(u"tosiki1");
    for (int i = 0; i < 3; ++i) {
        typeKeys(w.form, w.fake, pupilKeys(w.s().answer[w.s().currentIndex]));
        pressKey(w.form, w.fake, 13);
    }
    typeKeys(w.form, w.fake, QStringLiteral("x=9999"));
    pressKey(w.form, w.fake, 13);
    w.form.Command3_Click();
}

// The last tick of the countdown: the end of the drill and the history write.
inline void runOutTheClock(FolderWindow& w) {
    w.fake.clock.advance(drillLengthSeconds);
    w.form.Timer1_Timer();
}

} // namespace minamo
