// glyphorama-convert: the window's text art from the command line.
#include <tiffio.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QThread>
#include <clocale>
#include <cstdio>
#include <memory>
#include <optional>
#include <string_view>

#include "cli/Console.h"
#include "cli/Language.h"
#include "cli/Messages.h"
#include "cli/Options.h"
#include "cli/Ramp.h"
#include "cli/RampTool.h"
#include "cli/Run.h"
#include "files/NativePath.h"

namespace {

// Measuring glyphs needs fonts, and so a GUI application; without a display,
// on the offscreen platform. Converting needs neither.
bool DrawsGlyphs(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--") return false;
        if (argument == "--make-ramp" || argument == "--ramp-report") return true;
    }
    return false;
}

QtMessageHandler qtHandler = nullptr;

// The platform's chatter (no XDG_RUNTIME_DIR, and the like) would land among
// the converter's own messages; what ends the program still gets through.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (qtHandler != nullptr && (type == QtCriticalMsg || type == QtFatalMsg))
        qtHandler(type, context, message);
}

// The environment the fonts start in; set before a kept ramp is looked for
// too, since the fonts' environment is part of its key.
void PrepareFontEnvironment() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Before the fonts start: fontconfig reads its language once, lazily,
    // so silencing standard error around its start would not catch it.
    if (const QByteArray language =
            glyph::cli::FontconfigLanguage([](const char* name) { return qgetenv(name); });
        !language.isEmpty())
        qputenv("FC_LANG", language);
}

std::unique_ptr<QCoreApplication> CreateApplication(int& argc, char* argv[], bool drawsGlyphs) {
    std::unique_ptr<QCoreApplication> app;
    if (drawsGlyphs) {
        PrepareFontEnvironment();
        if (qtHandler == nullptr) qtHandler = qInstallMessageHandler(QuietHandler);
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    glyph::cli::InstallTranslations(
        glyph::cli::MessagesLanguage([](const char* name) { return qgetenv(name); }));
    QCoreApplication::setApplicationName(glyph::cli::kProgram);
    QCoreApplication::setApplicationVersion(QStringLiteral(GLYPHORAMA_VERSION));
    return app;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Messages are written in the locale's codeset.
    std::setlocale(LC_ALL, "");
    std::unique_ptr<QCoreApplication> app = CreateApplication(argc, argv, DrawsGlyphs(argc, argv));
    // Standard error carries the converter's own messages alone; a damaged
    // picture is named there with its reason.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio.jpeg=false"));
    // Qt's TIFF reader leaves libtiff's handlers alone, and they print to
    // standard error in English; its failures reach us through Qt anyway.
    TIFFSetWarningHandler(nullptr);
    TIFFSetErrorHandler(nullptr);

    using glyph::cli::Options;
    // Names as the system gives them, also those that are not UTF-8.
    const auto options =
        glyph::cli::ParseOptions(glyph::ArgumentsFromArgv(argc, argv).mid(1),
                                 QThread::idealThreadCount(), glyph::cli::StandardOutputTerminal());
    if (!options) return glyph::cli::UsageError(options.error().reason);
    switch (options->action) {
        case Options::Action::kHelp:
            glyph::cli::PrintText(stdout, glyph::cli::kHelp.toString());
            return 0;
        case Options::Action::kVersion:
            glyph::cli::PrintText(stdout, glyph::cli::kVersion.arg(GLYPHORAMA_VERSION));
            return 0;
        case Options::Action::kMakeRamp:
            return glyph::cli::MakeRamp(*options);
        case Options::Action::kRampReport:
            return glyph::cli::ReportRamp(*options, QCoreApplication::applicationDirPath());
        case Options::Action::kConvert:
            break;
    }
    // Reduced art without a ramp to read is made with the one measured from the
    // font, pictures of the art are drawn in a font, and shapes are matched in
    // one: all need the fonts, known only once the options are read. A
    // measured ramp already kept is found without them.
    const QString converterDir = QCoreApplication::applicationDirPath();
    const bool measures =
        glyph::cli::MeasuresRamp(options->rampFile, converterDir, options->framing.Reduces());
    const bool drawsOrMatches = glyph::cli::DrawsArt(*options) || options->framing.PatchSide() > 1;
    std::optional<glyph::CharRamp> kept;
    if (measures && !drawsOrMatches) {
        PrepareFontEnvironment();
        kept = glyph::cli::KeptMeasuredRamp();
    }
    if ((measures && !kept) || drawsOrMatches) {
        app.reset();
        app = CreateApplication(argc, argv, true);
    }
    return glyph::cli::Run(*options, converterDir, kept);
}
