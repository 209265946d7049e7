#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

namespace glyph {
namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

// Runs the built program with no screen at all: no X, no Wayland, no Qt
// platform named.
Outcome RunWithoutDisplay(const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QString::fromLatin1(name));
    }
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(GLYPHORAMA_EXECUTABLE), arguments);
    EXPECT_TRUE(program.waitForFinished(10000)) << "the program did not end by itself";
    if (program.state() != QProcess::NotRunning) program.kill();
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromUtf8(program.readAllStandardOutput()),
            QString::fromUtf8(program.readAllStandardError())};
}

TEST(CommandLine, HelpAndVersionAnswerWithoutAWindow) {
    const Outcome help = RunWithoutDisplay({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("使い方: glyphorama [画像]\n")))
        << help.out.toStdString();
    EXPECT_TRUE(help.out.contains(QStringLiteral("--version")));
    EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();

    const Outcome version =
        RunWithoutDisplay({QStringLiteral("a.bmp"), QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QStringLiteral("glyphorama (Glyphorama) " GLYPHORAMA_VERSION "\n"));
    EXPECT_TRUE(version.err.isEmpty()) << version.err.toStdString();
}

TEST(CommandLine, WithoutADisplayTheWindowSaysSoInOneLineAndEndsWithOne) {
    for (const QStringList& arguments :
         {QStringList(), QStringList{QStringLiteral("a.bmp")},
          QStringList{QStringLiteral("--"), QStringLiteral("--help")}}) {
        const Outcome outcome = RunWithoutDisplay(arguments);
        EXPECT_EQ(outcome.status, 1) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(outcome.out.isEmpty());
        EXPECT_EQ(outcome.err.count(u'\n'), 1) << outcome.err.toStdString();
        EXPECT_TRUE(outcome.err.startsWith(QStringLiteral("glyphorama: ")))
            << outcome.err.toStdString();
    }
}

}  // namespace
}  // namespace glyph
