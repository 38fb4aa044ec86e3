// Replays a fuzz target's corpus as an ordinary test: every file of the folders given on
// the command line (in name order) goes once through the target's entry point. A broken
// property aborts, so the test fails and the file it was replaying is the last one named.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    int replayed = 0;
    for (int a = 1; a < argc; ++a) {
        const QDir folder(QString::fromLocal8Bit(argv[a]));
        if (!folder.exists()) {
            std::fprintf(stderr, "no corpus folder %s\n", argv[a]);
            return 2;
        }
        for (const QString& name : folder.entryList(QDir::Files, QDir::Name)) {
            QFile file(folder.filePath(name));
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(file.fileName()));
                return 2;
            }
            const QByteArray bytes = file.readAll();
            std::printf("%s\n", qPrintable(file.fileName()));
            std::fflush(stdout);
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                   static_cast<std::size_t>(bytes.size()));
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    // An empty corpus would make this test pass without checking anything.
    return replayed > 0 ? 0 : 1;
}
