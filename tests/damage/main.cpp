#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>

#include "DamageCorpus.h"

namespace {

// Writes every file of the corpus into `folder`, for the fuzzer's seeds and for memcheck.
int WriteCorpus(const QString& folder) {
    if (!QDir().mkpath(folder)) return 1;
    for (const glyph::damage::DamageCase& c : glyph::damage::DamageCorpus()) {
        QFile file(QDir(folder).filePath(c.name));
        if (!file.open(QIODevice::WriteOnly) || file.write(c.bytes) != c.bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}

}  // namespace

// damage_tests runs the tests; damage_tests --write-corpus FOLDER writes the corpus out.
int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-corpus") == 0)
        return WriteCorpus(QString::fromLocal8Bit(argv[2]));
    ::testing::InitGoogleTest(&argc, argv);
    // Shapes are measured in a font, which takes the application's fonts.
    QGuiApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
