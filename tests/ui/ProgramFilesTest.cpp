#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <map>

#include "Controls.h"
#include "FakeServices.h"
#include "ui/Form1.h"

// What the built program carries besides its code: the version block in the
// executable and the help page beside it.

namespace glyph {
namespace {

using testing::Controls;

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

QString HelpPage() {
    QFile file(QFileInfo(kExecutable).absolutePath() + QStringLiteral("/help/readme.html"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    const QString text = QString::fromUtf8(bytes);
    // Only valid UTF-8 survives the round trip.
    return text.toUtf8() == bytes ? text : QString();
}

TEST(ProgramFilesTest, HelpPageBesideTheProgramIsUtf8AndComplete) {
    const QString page = HelpPage();
    ASSERT_FALSE(page.isEmpty()) << "missing or not UTF-8";
    EXPECT_TRUE(page.contains(QStringLiteral("<meta charset=\"UTF-8\">")));

    // Every picture it shows lies beside it.
    const QDir helpDir(QFileInfo(kExecutable).absolutePath() + QStringLiteral("/help"));
    static const QRegularExpression image(QStringLiteral("<img[^>]*src=\"([^\"]+)\""));
    int images = 0;
    for (const auto& match : image.globalMatch(page)) {
        ++images;
        EXPECT_TRUE(helpDir.exists(match.captured(1))) << match.captured(1).toStdString();
    }
    EXPECT_EQ(images, 6);

    // Every menu item of the window has a row of the command table that
    // names it and its shortcut.
    const qsizetype tableStart = page.indexOf(QStringLiteral("<table>"));
    const qsizetype tableEnd = page.indexOf(QStringLiteral("</table>"));
    ASSERT_GE(tableStart, 0);
    ASSERT_GT(tableEnd, tableStart);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    QStringList rows;
    for (QString row : page.mid(tableStart, tableEnd - tableStart).split(QStringLiteral("<tr>"))) {
        rows.append(row.remove(tag));
    }

    testing::FakeServices services;
    QTemporaryDir dir;
    Form1 window(services, TwipScale{15, 15}, dir.path());
    int items = 0;
    for (const QMenu* menu : {Controls(window).mnFile, Controls(window).mnEdit,
                              Controls(window).mnAdjust, Controls(window).mnOther}) {
        for (const QAction* action : menu->actions()) {
            if (action->isSeparator()) continue;
            ++items;
            const QString caption = QString(action->text()).remove(u'&');
            const QString shortcut = action->shortcut().toString(QKeySequence::PortableText);
            SCOPED_TRACE(caption.toStdString());
            const auto row = std::find_if(rows.begin(), rows.end(),
                                          [&](const QString& r) { return r.contains(caption); });
            ASSERT_NE(row, rows.end());
            if (!shortcut.isEmpty()) {
                EXPECT_TRUE(row->contains(shortcut)) << shortcut.toStdString();
            }
        }
    }
    const auto inMenuBar = [](const ActionRow& row) {
        return !IsSeparator(row) &&
               std::any_of(Menus().begin(), Menus().end(), [&row](const MenuRow& menu) {
                   return menu.name == row.menu && menu.host == Host::kMenuBar;
               });
    };
    EXPECT_EQ(items, std::count_if(Actions().begin(), Actions().end(), inMenuBar));
}

}  // namespace
}  // namespace glyph
