#include <QApplication>

#include "ui/Form1.h"
#include "ui/PlatformServices.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glyphorama"));
    QApplication::setApplicationVersion(QStringLiteral(GLYPHORAMA_VERSION));
    glyph::DesktopServices services;
    glyph::Form1 window(services, glyph::ScreenTwipScale(), QCoreApplication::applicationDirPath());
    window.show();
    return QApplication::exec();
}
