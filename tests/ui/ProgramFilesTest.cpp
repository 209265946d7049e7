#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <map>

// What the built program carries besides its code: the version block in the
// executable.

namespace glyph {
namespace {

const QString kExecutable = QStringLiteral(GLYPHORAMA_EXECUTABLE);

TEST(ProgramFilesTest, ExecutableCarriesTheVersionBlock) {
    QTemporaryDir dir;
    const QString dump = dir.filePath(QStringLiteral("version.txt"));
    QProcess objcopy;
    objcopy.start(QStringLiteral(GLYPHORAMA_OBJCOPY),
                  {QStringLiteral("-O"), QStringLiteral("binary"), QStringLiteral("-j"),
                   QStringLiteral(".glyphorama.version"), kExecutable, dump});
    ASSERT_TRUE(objcopy.waitForFinished());
    ASSERT_EQ(objcopy.exitCode(), 0) << objcopy.readAllStandardError().toStdString();

    QFile file(dump);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.endsWith('\n'));
    EXPECT_FALSE(bytes.contains('\0'));
    std::map<QString, QString> fields;
    for (const QString& line : QString::fromUtf8(bytes).split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype equals = line.indexOf(u'=');
        ASSERT_GT(equals, 0) << line.toStdString();
        EXPECT_TRUE(fields.emplace(line.left(equals), line.mid(equals + 1)).second)
            << line.toStdString();
    }
    const std::map<QString, QString> expected = {
        {"FileDescription", "画像ファイルからテキストファイルを作成するソフト"},
        {"FileVersion", "1.01.0002"},
        {"ProductVersion", "1.01.0002"},
        {"ProductName", "Glyphorama"},
        {"InternalName", "Glyphorama"},
        {"OriginalFilename", "Glyphorama.exe"},
        {"FixedFileVersion", "1.1.0.2"},
        {"FixedProductVersion", "1.1.0.2"},
        {"Translation", "0x0411,0x04b0"},
    };
    EXPECT_EQ(fields, expected);
}

}  // namespace
}  // namespace glyph
