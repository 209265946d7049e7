#include "output/Markup.h"

#include <QList>

namespace glyph {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// CSS's escape of one character by its code, ended by a space so that a hex
// digit after it is not read as part of it.
QString CssEscape(char32_t code) { return u'\\' + QString::number(code, 16) + u' '; }

// XML 1.0 allows tab, line feed, carriage return and everything from U+0020
// but surrogates, U+FFFE and U+FFFF.
bool AllowedInXml(char32_t code) {
    if (code < 0x20) return code == u'\t' || code == u'\n' || code == u'\r';
    if (code >= 0xD800 && code <= 0xDFFF) return false;
    return code != 0xFFFE && code != 0xFFFF && code <= 0x10FFFF;
}

}  // namespace

QString HtmlText(const QString& text) { return text.toHtmlEscaped(); }

QString CssString(const QString& text) {
    QString out(u'"');
    for (const char32_t c : text.toUcs4()) {
        if (c == u'"' || c == u'\\') {
            out += u'\\';
            out += QChar(char16_t(c));
        } else if (c == 0) {
            // CSS reads an escaped NUL as U+FFFD anyway.
            out += CssEscape(kReplacement);
        } else if (c < 0x20 || c == 0x7F || c == u'<') {
            out += CssEscape(c);
        } else {
            out += QString::fromUcs4(&c, 1);
        }
    }
    return out + u'"';
}

QString XmlAttribute(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        switch (c) {
            case u'&':
                out += QStringLiteral("&amp;");
                break;
            case u'<':
                out += QStringLiteral("&lt;");
                break;
            case u'>':
                out += QStringLiteral("&gt;");
                break;
            case u'"':
                out += QStringLiteral("&quot;");
                break;
            // A parser turns these into spaces unless they are references.
            case u'\t':
            case u'\n':
            case u'\r':
                out += QStringLiteral("&#x%1;").arg(uint(c), 0, 16);
                break;
            default:
                if (AllowedInXml(c))
                    out += QString::fromUcs4(&c, 1);
                else
                    out += QChar(kReplacement);
        }
    }
    return out;
}

}  // namespace glyph
