#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ui/Form1.h"
#include "ui/PlatformServices.h"
#include "workspace/NativePath.h"

int main(int argc, char* argv[]) {
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
    const QStringList arguments = glyph::ArgumentsFromArgv(argc, argv);
    if (arguments.size() > 1) window.OpenPicture(arguments.at(1));
    return QApplication::exec();
}
