#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstring>

#include "files/NativePath.h"
#include "ui/Form1.h"
#include "ui/PlatformServices.h"
#include "ui/Texts.h"

namespace {

// --help and --version are answered before Qt looks for a screen, so they
// work anywhere; "--" ends the options.
bool AnsweredOnCommandLine(int argc, char* argv[]) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(glyph::texts::kUsage, stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs(glyph::texts::kVersionLine, stdout);
            return true;
        }
    }
    return false;
}

// Without any of these Qt would abort with a page of advice.
bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char* argv[]) {
    if (AnsweredOnCommandLine(argc, argv)) return 0;
    if (!HasDisplay()) {
        std::fputs(glyph::texts::kNoDisplay, stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glyphorama"));
    QApplication::setApplicationVersion(QStringLiteral(GLYPHORAMA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("glyphorama"));
    // The program speaks Japanese whatever the locale, and so should Qt's own
    // dialogs and buttons.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtTexts);
    }
    glyph::DesktopServices services;
    glyph::Form1 window(services, glyph::ScreenTwipScale(), QCoreApplication::applicationDirPath());
    window.show();
    // A picture named on the command line, as the desktop hands it ("Open with").
    QStringList arguments = glyph::ArgumentsFromArgv(argc, argv).mid(1);
    arguments.removeOne(QStringLiteral("--"));
    if (!arguments.isEmpty()) window.OpenPicture(arguments.front());
    return QApplication::exec();
}
