#pragma once

// Family files in a real temporary folder, written here rather than by the code under test.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringEncoder>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace minamo::test {

inline QByteArray sjis(const QString& text) {
    QStringEncoder encoder("Shift_JIS");
    const QByteArray bytes = encoder.encode(text);
    EXPECT_FALSE(encoder.hasError()) << text.toStdString();
    return bytes;
}

// A family file as the drill writes it: the date line, then the lines, CRLF.
inline QByteArray familyBytes(const QStringList& lines,
                              const QString& header = QStringLiteral("2026/12/09")) {
    QString text = header + QStringLiteral("\r\n");
    for (const QString& line : lines) {
        text += line + QStringLiteral("\r\n");
    }
    return sjis(text);
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

struct SampleFolder {
    QTemporaryDir dir;
    QString path() const { return dir.path(); }
    QString file(const QString& name) const { return dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const {
        writeBytes(file(name), bytes);
    }
};

// What a report may change in a folder: nothing at all, below it included.
struct FileMark {
    QByteArray bytes; // of a file
    qint64 modifiedNs;
    qint64 changedNs;
    mode_t mode;
    ino_t inode;
    bool operator==(const FileMark&) const = default;
};

inline std::map<QString, FileMark> marksOf(const QString& folder) {
    std::map<QString, FileMark> marks;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat st {};
        EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
        QFile file(path);
        FileMark mark{.modifiedNs = st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec,
                      .changedNs = st.st_ctim.tv_sec * 1'000'000'000LL + st.st_ctim.tv_nsec,
                      .mode = st.st_mode,
                      .inode = st.st_ino};
        if (S_ISREG(st.st_mode)) {
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
            mark.bytes = file.readAll();
        }
        marks[path] = mark;
    }
    return marks;
}

} // namespace minamo::test
