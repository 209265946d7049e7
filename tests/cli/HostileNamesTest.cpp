// Names that would be markup in a page, or commands to a terminal: run as a
// process on real files.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtEndian>

#include "ConverterProcess.h"

namespace glyph::cli {
namespace {

// A TrueType font with kanji, whose family is renamed.
const QString kKanjiFont = QStringLiteral("/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf");

void Put16(QByteArray& bytes, quint16 value) {
    const quint16 big = qToBigEndian(value);
    bytes.append(reinterpret_cast<const char*>(&big), 2);
}

// The font with a name table of its own, naming `family` in every place a
// family is read from; the table goes at the end and the directory points there.
QByteArray RenamedFont(const QByteArray& font, const QString& family) {
    QByteArray strings;
    QByteArray records;
    const QList<std::pair<quint16, QString>> names = {
        {1, family}, {2, QStringLiteral("Regular")}, {4, family}, {6, QStringLiteral("Hostile")}};
    for (const auto& [id, text] : names) {
        QByteArray utf16;
        for (const QChar c : text) Put16(utf16, c.unicode());
        for (const quint16 field : {quint16(3), quint16(1), quint16(0x409), id,
                                    quint16(utf16.size()), quint16(strings.size())})
            Put16(records, field);
        strings += utf16;
    }
    QByteArray table;
    Put16(table, 0);
    Put16(table, quint16(names.size()));
    Put16(table, quint16(6 + records.size()));
    table += records + strings;

    QByteArray out = font;
    while (out.size() % 4 != 0) out += '\0';
    const quint16 tables = qFromBigEndian<quint16>(out.constData() + 4);
    for (int i = 0; i < tables; ++i) {
        char* entry = out.data() + 12 + 16 * i;
        if (QByteArray(entry, 4) != "name") continue;
        qToBigEndian<quint32>(quint32(out.size()), entry + 8);
        qToBigEndian<quint32>(quint32(table.size()), entry + 12);
        return out + table;
    }
    return {};
}

class HostileNames : public ::testing::Test {
  protected:
    void SetUp() override {
        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(qRgb(90, 140, 200));
        ASSERT_TRUE(image.save(picture_));
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    // A copy of the kanji font whose family is `family`; empty when there is none.
    QString FontNamed(const QString& family) {
        const QByteArray font = ReadAll(kKanjiFont);
        if (font.isEmpty()) return {};
        const QString path = Path(QStringLiteral("hostile.ttf"));
        WriteAll(path, RenamedFont(font, family));
        return path;
    }

    QTemporaryDir dir_;
    const QString picture_ = dir_.filePath("p.png");
};

TEST_F(HostileNames, AFontsFamilyIsTextInThePageAndThePicture) {
    // A line break in the family is in the markup tests: Qt finds no such font.
    const QString family = QStringLiteral("</style><script>alert(document.domain)</script>\"");
    const QString font = FontNamed(family);
    if (font.isEmpty()) GTEST_SKIP() << kKanjiFont.toStdString() << " is not installed";
    const QStringList common = {
        "--font", font, "--size=8", "--ramp", WriteBuiltInRamp(Path("ramp.txt")), picture_};

    const Ran page = Convert(QStringList{"--format=html"} + common);
    ASSERT_EQ(page.status, 0) << page.err.toStdString();
    const QString html = QString::fromUtf8(page.out);
    // The style element ends where the page ends it, and holds one line a rule.
    EXPECT_EQ(html.count("</style", Qt::CaseInsensitive), 1) << html.toStdString();
    EXPECT_FALSE(html.contains("<script", Qt::CaseInsensitive));
    const QString style = html.section("<style>\n", 1).section("</style>", 0, 0);
    EXPECT_EQ(style.count(u'\n'), 2) << style.toStdString();
    EXPECT_TRUE(style.contains("font-family: \"\\3c /style>\\3c script>")) << style.toStdString();

    const Ran svg = Convert(QStringList{"--format=svg"} + common);
    ASSERT_EQ(svg.status, 0) << svg.err.toStdString();
    QXmlStreamReader reader(svg.out);
    QString families;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == u"g")
            families = reader.attributes().value("font-family").toString();
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    EXPECT_TRUE(families.startsWith("\"\\3c /style>")) << families.toStdString();
}

// Standard error is a terminal for the child; what it wrote is read back.
class Terminal {
  public:
    Terminal() {
        main_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (main_ >= 0 && grantpt(main_) == 0 && unlockpt(main_) == 0)
            side_ = open(ptsname(main_), O_RDWR | O_NOCTTY);
        if (main_ >= 0) fcntl(main_, F_SETFL, O_NONBLOCK);
    }
    ~Terminal() {
        if (side_ >= 0) close(side_);
        if (main_ >= 0) close(main_);
    }
    bool ok() const { return side_ >= 0; }
    std::function<void()> AsStandardError() const {
        return [side = side_] { dup2(side, STDERR_FILENO); };
    }
    // What was written so far, the terminal's CR LF as LF.
    QByteArray Read() const {
        QByteArray shown;
        char buffer[4096];
        for (ssize_t got; (got = read(main_, buffer, sizeof buffer)) > 0;)
            shown.append(buffer, got);
        return shown.replace("\r\n", "\n");
    }

  private:
    int main_ = -1;
    int side_ = -1;
};

TEST_F(HostileNames, ControlCharactersAreQuotedOnATerminalAndKeptInAPipe) {
    const QString name = QStringLiteral("a\x1b[2J\x1b]52;c;aGk=\a\nb\u009b.png");
    const QString unknownFont = QStringLiteral("Font\x1b[31m");
    const QStringList runs[] = {
        {Path(name)},
        {"--format=png", "--font", unknownFont, "-o", Path("out.png"), picture_},
    };
    for (const QStringList& arguments : runs) {
        const Ran piped = Convert(arguments);
        EXPECT_NE(piped.status, 0);
        const QString raw = arguments.size() == 1 ? name : unknownFont;
        EXPECT_TRUE(piped.err.contains(raw)) << piped.err.toStdString();

        Terminal terminal;
        ASSERT_TRUE(terminal.ok());
        EXPECT_NE(Convert(arguments, terminal.AsStandardError()).status, 0);
        const QByteArray shown = terminal.Read();
        EXPECT_FALSE(shown.contains('\x1b') || shown.contains('\a') || shown.contains("\xC2\x9B"))
            << shown.toStdString();
        EXPECT_EQ(shown.count('\n'), piped.err.count(u'\n') - raw.count(u'\n'))
            << shown.toStdString();
        const QByteArray quoted =
            arguments.size() == 1 ? "a\\e[2J\\e]52;c;aGk=\\a\\nb\\x9b.png" : "Font\\e[31m";
        EXPECT_TRUE(shown.contains(quoted)) << shown.toStdString();
    }
}

}  // namespace
}  // namespace glyph::cli
