// Names written into pages and pictures cannot become markup or script.
#include "output/Markup.h"

#include <gtest/gtest.h>

#include <QXmlStreamReader>

namespace glyph {
namespace {

// Names a font file or a picture may carry.
const QStringList kHostileNames = {
    QStringLiteral("</style><script>alert(document.domain)</script>"),
    QStringLiteral("a\"b'c"),
    QStringLiteral("back\\slash\\"),
    QStringLiteral("line\nbreak\r\nand\ttab"),
    QStringLiteral("<!-- </STYLE --> ]]> &amp;"),
    QStringLiteral("IPAゴシック \U0001F600"),
    QStringLiteral("\\\"; } body { color: red"),
};

// A CSS string token read as a browser reads it: the text it stands for, or
// nothing when the token ends before its closing quote or runs past it.
std::optional<QString> ReadCssString(const QString& token) {
    if (token.size() < 2 || token.front() != u'"' || token.back() != u'"') return std::nullopt;
    QString text;
    const auto isHex = [](QChar c) { return QStringLiteral("0123456789abcdefABCDEF").contains(c); };
    for (qsizetype i = 1; i < token.size() - 1; ++i) {
        const QChar c = token[i];
        if (c == u'"' || c == u'\n' || c == u'\r' || c == u'\f') return std::nullopt;
        if (c != u'\\') {
            text += c;
            continue;
        }
        if (++i >= token.size() - 1) return std::nullopt;
        if (!isHex(token[i])) {
            text += token[i];
            continue;
        }
        QString hex;
        for (; i < token.size() - 1 && isHex(token[i]) && hex.size() < 6; ++i) hex += token[i];
        if (i < token.size() - 1 && token[i] == u' ') ++i;
        --i;
        char32_t code = hex.toUInt(nullptr, 16);
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
        text += QString::fromUcs4(&code, 1);
    }
    return text;
}

TEST(Markup, ACssStringHoldsAnyNameAndCannotEndTheStyleElement) {
    for (const QString& name : kHostileNames) {
        const QString css = CssString(name);
        EXPECT_EQ(ReadCssString(css), name) << css.toStdString();
        // An HTML parser ends <style> at "</style" whatever the CSS says.
        EXPECT_FALSE(css.contains(u'<')) << css.toStdString();
    }
    EXPECT_EQ(CssString(QStringLiteral("IPAGothic")), QStringLiteral("\"IPAGothic\""));
    // NUL is no character a font name can use; CSS reads it as U+FFFD.
    EXPECT_EQ(ReadCssString(CssString(QStringLiteral("a%1b").arg(QChar(0)))),
              QStringLiteral("a\uFFFDb"));
}

TEST(Markup, AnXmlAttributeReadsBackAsTheNameWhateverItHolds) {
    QStringList names = kHostileNames;
    names << QStringLiteral("bell\aand\x1b[2J");
    for (const QString& name : names) {
        const QString svg =
            QStringLiteral("<svg font-family=\"%1\" a='x'/>").arg(XmlAttribute(name));
        QXmlStreamReader reader(svg);
        ASSERT_TRUE(reader.readNextStartElement()) << reader.errorString().toStdString();
        EXPECT_EQ(reader.attributes().size(), 2) << svg.toStdString();
        QString expected = name;
        // Characters XML 1.0 cannot carry, not even as references.
        for (QChar& c : expected) {
            if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') c = QChar(0xFFFD);
        }
        EXPECT_EQ(reader.attributes().value("font-family").toString(), expected)
            << svg.toStdString();
    }
}

TEST(Markup, HtmlTextCannotOpenATag) {
    for (const QString& name : kHostileNames) {
        const QString html = HtmlText(name);
        EXPECT_FALSE(html.contains(u'<') || html.contains(u'>')) << html.toStdString();
        QString back = html;
        back.replace("&lt;", "<")
            .replace("&gt;", ">")
            .replace("&quot;", "\"")
            .replace("&amp;", "&");
        EXPECT_EQ(back, name);
    }
}

}  // namespace
}  // namespace glyph
