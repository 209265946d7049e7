#include "cli/Writers.h"

#include "workspace/TextFile.h"

namespace glyph::cli {

namespace {

// A Japanese monospace font first, so that every full-width glyph takes one
// cell and the art keeps its shape.
const QString kHtmlPage = QStringLiteral(
    "<!DOCTYPE html>\n"
    "<html lang=\"ja\">\n"
    "<head>\n"
    "<meta charset=\"utf-8\">\n"
    "<title>%1</title>\n"
    "<style>\n"
    "pre { font-family: \"IPAGothic\", \"IPAゴシック\", \"Noto Sans Mono CJK JP\", "
    "\"MS Gothic\", \"ＭＳ ゴシック\", \"Osaka-Mono\", monospace; "
    "font-size: 8px; line-height: 1; }\n"
    "</style>\n"
    "</head>\n"
    "<body>\n"
    "<pre>%2</pre>\n"
    "</body>\n"
    "</html>\n");

QString WithLineFeeds(const QString& art) {
    QString text = art;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!text.endsWith(u'\n')) text += u'\n';
    return text;
}

}  // namespace

Result<QByteArray> FormatArt(const QString& art, Format format, const QString& title) {
    switch (format) {
        case Format::kCp932:
            return EncodeTextFile(art);
        case Format::kHtml:
            return kHtmlPage.arg(title.toHtmlEscaped(), WithLineFeeds(art).toHtmlEscaped())
                .toUtf8();
        case Format::kText:
            break;
    }
    return WithLineFeeds(art).toUtf8();
}

QString Extension(Format format) {
    return format == Format::kHtml ? QStringLiteral(".html") : QStringLiteral(".txt");
}

}  // namespace glyph::cli
