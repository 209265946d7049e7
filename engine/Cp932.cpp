#include "engine/Cp932.h"

#include <iconv.h>

#include <QSet>

#include <algorithm>
#include <cerrno>
#include <iterator>

namespace glyph {

namespace {

// One conversion with iconv; returns the number of input bytes consumed
// before the first unconvertible sequence, or -1 when all went through.
struct IconvResult {
    QByteArray output;
    qsizetype failedAt = -1;
};

IconvResult Convert(const char* to, const char* from, const QByteArray& input) {
    IconvResult result;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        result.failedAt = 0;
        return result;
    }
    QByteArray out(input.size() * 2 + 16, Qt::Uninitialized);
    char* in = const_cast<char*>(input.constData());
    size_t inLeft = static_cast<size_t>(input.size());
    char* outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    bool failed = false;
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) {
            const qsizetype used = outPtr - out.data();
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = static_cast<size_t>(out.size() - used);
            continue;
        }
        failed = true;  // EILSEQ or EINVAL: a bad or cut-off sequence
        break;
    }
    if (!failed) {
        iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    }
    iconv_close(cd);
    out.resize(outPtr - out.data());
    result.output = out;
    if (failed) result.failedAt = in - input.constData();
    return result;
}

}  // namespace

std::optional<QString> DecodeCp932(const QByteArray& bytes) {
    const IconvResult r = Convert("UTF-8", "CP932", bytes);
    if (r.failedAt >= 0) return std::nullopt;
    return QString::fromUtf8(r.output);
}

Cp932Encoding EncodeCp932(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    IconvResult r = Convert("CP932", "UTF-8", utf8);
    Cp932Encoding result;
    result.bytes = std::move(r.output);
    if (r.failedAt >= 0) {
        result.badIndex = QString::fromUtf8(utf8.left(r.failedAt)).size();
    }
    return result;
}

QString CodePointName(char32_t code) {
    return QStringLiteral("U+%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
}

namespace {

struct CodeRange {
    int first;
    int last;
};
// Shift-JIS double-byte codes: lead bytes and trail bytes.
constexpr CodeRange kLeadBytes[] = {{0x81, 0x9F}, {0xE0, 0xFC}};
constexpr CodeRange kTrailBytes[] = {{0x40, 0x7E}, {0x80, 0xFC}};
// Unicode blocks of kana and kanji.
constexpr CodeRange kKanaAndKanji[] = {
    {0x3005, 0x3007},  // 々, 〆 and 〇
    {0x3041, 0x309F},  // hiragana, with its marks
    {0x30A1, 0x30FF},  // katakana, with ー and its marks
    {0x4E00, 0x9FFF},  // CJK unified ideographs
    {0xF900, 0xFAFF},  // CJK compatibility ideographs
};

bool IsKanaOrKanji(char16_t c) {
    return std::any_of(std::begin(kKanaAndKanji), std::end(kKanaAndKanji),
                       [c](const CodeRange& r) { return c >= r.first && c <= r.last; });
}

}  // namespace

namespace {

// Every double-byte CP932 character that `keep` accepts, once each, in code order.
template <typename Keep>
QStringList DoubleByteCharacters(Keep keep) {
    QStringList found;
    QSet<QChar> seen;
    for (const CodeRange& lead : kLeadBytes) {
        for (int l = lead.first; l <= lead.last; ++l) {
            for (const CodeRange& trail : kTrailBytes) {
                for (int t = trail.first; t <= trail.last; ++t) {
                    const char bytes[] = {char(l), char(t)};
                    const QByteArray code(bytes, 2);
                    const std::optional<QString> text = DecodeCp932(code);
                    if (!text || text->size() != 1 || !keep(text->at(0).unicode())) continue;
                    if (seen.contains(text->at(0))) continue;
                    seen.insert(text->at(0));
                    found << *text;
                }
            }
        }
    }
    return found;
}

}  // namespace

QStringList Cp932KanjiAndKana() { return DoubleByteCharacters(IsKanaOrKanji); }

QStringList Cp932FullWidth() {
    return DoubleByteCharacters([](char16_t c) { return !QChar::isSpace(c) || c == 0x3000; });
}

}  // namespace glyph
