#pragma once

// Family files in a real temporary folder, written here rather than by the code under test.

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

} // namespace minamo::test
