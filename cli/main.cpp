// glyphorama-convert: the window's text art from the command line.
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QThread>
#include <QTranslator>
#include <cstdio>

#include "cli/Messages.h"
#include "cli/Options.h"
#include "cli/Run.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(glyph::cli::kProgram);
    QCoreApplication::setApplicationVersion(QStringLiteral(GLYPHORAMA_VERSION));
    // The option parser's own messages, in the program's language.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtTexts);
    }

    // Standard error carries the converter's own messages alone; a damaged
    // picture is named there with its reason.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio.jpeg=false"));

    using glyph::cli::Options;
    const auto options =
        glyph::cli::ParseOptions(QCoreApplication::arguments().mid(1), QThread::idealThreadCount());
    if (!options) return glyph::cli::UsageError(options.error().reason);
    switch (options->action) {
        case Options::Action::kHelp:
            std::fputs(qUtf8Printable(glyph::cli::kHelp), stdout);
            return 0;
        case Options::Action::kVersion:
            std::fputs(qUtf8Printable(glyph::cli::kVersion.arg(GLYPHORAMA_VERSION)), stdout);
            return 0;
        case Options::Action::kConvert:
            break;
    }
    return glyph::cli::Run(*options, QCoreApplication::applicationDirPath());
}
