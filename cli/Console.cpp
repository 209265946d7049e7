#include "cli/Console.h"

#include <iconv.h>
#include <langinfo.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "cli/Messages.h"
#include "files/NativePath.h"

namespace glyph::cli {

namespace {

constexpr char16_t kStrayByteBase = 0xDC00;  // NativePath's lone surrogates
constexpr char kUnencodable = '?';
// The controls ls spells with a letter; the others as \xHH.
constexpr std::pair<char16_t, char> kShortForms[] = {
    {u'\a', 'a'}, {u'\b', 'b'}, {u'\t', 't'}, {u'\n', 'n'},
    {u'\v', 'v'}, {u'\f', 'f'}, {u'\r', 'r'}, {u'\x1b', 'e'},
};

bool IsUtf8(const QByteArray& codeset) {
    const QByteArray name = codeset.toUpper();
    return name == "UTF-8" || name == "UTF8";
}

bool IsAscii(const QByteArray& codeset) {
    const QByteArray name = codeset.toUpper();
    return name == "ANSI_X3.4-1968" || name == "ASCII" || name == "US-ASCII";
}

// A stray byte NativePath keeps, or -1.
int StrayByte(QChar c) {
    const char16_t u = c.unicode();
    return u >= kStrayByteBase + 0x80 && u <= kStrayByteBase + 0xFF ? u - kStrayByteBase : -1;
}

QString Hex(uint value) { return QStringLiteral("\\x%1").arg(value, 2, 16, QChar(u'0')); }

}  // namespace

QByteArray EncodeForCodeset(const QString& text, const QByteArray& codeset) {
    if (codeset.isEmpty() || IsUtf8(codeset) || IsAscii(codeset)) return NativePath(text);
    const iconv_t cd = iconv_open(codeset.constData(), "UTF-8");
    if (cd == iconv_t(-1)) return NativePath(text);
    QByteArray out;
    char buffer[16];
    const auto encode = [&](QByteArray in) {
        char* from = in.data();
        size_t fromLeft = size_t(in.size());
        char* to = buffer;
        size_t toLeft = sizeof buffer;
        if (iconv(cd, in.isEmpty() ? nullptr : &from, &fromLeft, &to, &toLeft) == size_t(-1)) {
            out += kUnencodable;
            return;
        }
        out.append(buffer, qsizetype(sizeof buffer - toLeft));
    };
    // A run of non-ASCII characters with a stray byte in it is part of a name
    // that is not UTF-8, and goes out whole as it came: bytes of the locale's
    // codeset may happen to read as a UTF-8 character between two stray ones.
    for (qsizetype i = 0; i < text.size();) {
        qsizetype end = i;
        bool stray = false;
        while (end < text.size() && text[end].unicode() >= 0x80)
            stray |= StrayByte(text[end++]) >= 0;
        if (end == i) ++end;
        const QString run = text.mid(i, end - i);
        if (stray) {
            out += NativePath(run);
        } else {
            for (const char32_t c : run.toUcs4()) encode(QString::fromUcs4(&c, 1).toUtf8());
        }
        i = end;
    }
    encode({});  // a stateful codeset's return to its initial state
    iconv_close(cd);
    return out;
}

QString QuoteControls(const QString& text, bool utf8) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const int stray = StrayByte(c);
        const auto shortForm = std::find_if(std::begin(kShortForms), std::end(kShortForms),
                                            [u](const auto& form) { return form.first == u; });
        if (shortForm != std::end(kShortForms))
            out += QStringLiteral("\\") + QLatin1Char(shortForm->second);
        else if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
            out += Hex(u);
        else if (utf8 && stray >= 0x80 && stray <= 0x9F)
            out += Hex(uint(stray));
        else
            out += c;
    }
    return out;
}

const QByteArray& LocaleCodeset() {
    static const QByteArray codeset(nl_langinfo(CODESET));
    return codeset;
}

void PrintText(std::FILE* stream, const QString& text) {
    const QByteArray bytes = EncodeForCodeset(text, LocaleCodeset());
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

void PrintMessageLine(const QString& line) {
    static const bool terminal = isatty(STDERR_FILENO) == 1;
    QString text = line;
    if (terminal) {
        const QByteArray& codeset = LocaleCodeset();
        text = QuoteControls(text, codeset.isEmpty() || IsUtf8(codeset) || IsAscii(codeset));
    } else {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    PrintText(stderr, text + u'\n');
}

void Say(const QString& line) { PrintMessageLine(kProgram + QStringLiteral(": ") + line); }

void SayUsageError(const QString& reason) {
    Say(reason);
    PrintText(stderr, QString(kTryHelp) + u'\n');
}

bool WriteStandardOutput(const QByteArray& bytes) {
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) ==
               size_t(bytes.size()) &&
           std::fflush(stdout) == 0;
}

Terminal StandardOutputTerminal() {
    Terminal terminal;
    if (!isatty(STDOUT_FILENO)) return terminal;
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0) size = {};
    // A terminal that does not tell its size, as under some serial consoles.
    const auto told = [](unsigned short side, const char* variable) {
        bool ok = false;
        const int value = qEnvironmentVariableIntValue(variable, &ok);
        return side > 0 ? int(side) : ok && value > 0 ? value : 0;
    };
    terminal.columns = told(size.ws_col, "COLUMNS");
    terminal.rows = told(size.ws_row, "LINES");
    terminal.colours = TerminalColours(qgetenv("COLORTERM"), qgetenv("TERM"));
    return terminal;
}

AnsiColours TerminalColours(const QByteArray& colorterm, const QByteArray& term) {
    if (colorterm == "truecolor" || colorterm == "24bit" || term.endsWith("-direct"))
        return AnsiColours::kFull;
    if (term.contains("256color")) return AnsiColours::k256;
    return AnsiColours::kNone;
}

Progress::Progress(int count) : count_(count), shown_(count > 1 && isatty(STDERR_FILENO)) {}

Progress::~Progress() {
    if (shown_) std::fputc('\n', stderr);
}

void Progress::Done(int finished) {
    if (shown_) PrintText(stderr, kProgress.arg(finished).arg(count_));
}

void Progress::Interrupt() {
    if (shown_) std::fputs("\r\033[K", stderr);
}

}  // namespace glyph::cli
