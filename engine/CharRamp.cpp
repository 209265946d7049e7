#include "engine/CharRamp.h"

#include <QStringDecoder>

#include "engine/Cp932.h"
#include "engine/Levels.h"

namespace glyph {

const QString kBuiltInRamp = QString::fromUtf16(
    u"欟,蠶,靂,躪,蠹,鱧,蠧,矚,驢,躡,驩,驥,囑,鑰,讖,鱸,"
    u"鱶,讒,驟,齲,鬻,黷,廳,欝,囓,癲,衢,魘,齶,齬,鱇,籟,"
    u"靆,黐,鰾,霽,鑓,擁,癖,權,欅,巓,義,震,鸚,欖,靉,鑪,"
    u"鱠,糴,穰,竊,禳,鱈,龕,鬚,籠,載,聾,軾,緇,薜,擽,驚,"
    u"棲,麹,縒,癜,鑄,講,讃,灑,頌,憙,鑾,鷽,癬,藜,鰺,彎,"
    u"泰,脛,蔚,髮,縫,驫,臠,鷓,椄,磁,憶,灣,巒,逝,撚,瑾,"
    u"鷙,懿,謎,荊,刎,季,栞,棧,森,麩,憖,縡,髣,凛,振,湊,"
    u"柳,排,刺,孤,妍,投,姦,級,悩,桜,渾,絖,憑,斈,帑,枠,"
    u"泡,浪,秘,妓,妹,妨,刹,奔,怠,怱,惨,怒,羨,我,柴,承,"
    u"荏,林,択,収,仰,夛,圸,朷,壯,妖,狹,爽,戎,孝,宏,湫,"
    u"也,卯,妁,巡,托,此,孜,狩,滋,双,卅,仞,丞,伜,伜,奸,"
    u"好,戌,戍,朱,佛,吠,坊,学,來,糾,豹,匆,去,休,伴,労,"
    u"宋,怜,茫,狡,未,伏,伝,况,圻,坎,妙,状,炊,洛,洋,件,"
    u"夸,似,冴,抔,求,籵,及,乏,払,北,劣,州,汝,勿,汐,光,"
    u"亥,共,多,歩,炎,汰,衫,作,渋,冷,朴,沂,宍,尖,夾,手,"
    u"夫,米,永,尤,水,圷,艾,女,丈,爻,犬,次,幺,力,之,八");

namespace {

// Lines without their terminators (CR LF, LF or a lone CR); a final line
// without a terminator counts, an empty tail after the last one does not.
QList<QByteArray> SplitLines(const QByteArray& bytes) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\n' && c != '\r') continue;
        lines.append(bytes.mid(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.append(bytes.mid(start));
    return lines;
}

}  // namespace

CharRamp CharRamp::FromList(const QString& commaSeparated) {
    return CharRamp(commaSeparated.split(u',', Qt::KeepEmptyParts));
}

const CharRamp& CharRamp::BuiltIn() {
    static const CharRamp ramp = FromList(kBuiltInRamp);
    return ramp;
}

QString CharRamp::CharForLevel(int level) const {
    if (level >= 0 && level < entries_.size()) return entries_[level];
    if (level >= 0 && level < kLevels) return BuiltIn().entries_[level];
    return {};
}

namespace {

bool LongerThanTheBound(const QString& entry) {
    return entry.size() > kMaxEntryLength && QStringView(entry).toUcs4().size() > kMaxEntryLength;
}

// Every decodable line's entries in file order, then one empty entry.
template <typename Decode>
ParsedRamp FromLines(const QByteArray& bytes, Decode decode) {
    const QList<QByteArray> lines = SplitLines(bytes);
    ParsedRamp parsed;
    if (lines.isEmpty()) return parsed;
    QString accumulator;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNumber = int(i) + 1;
        const std::optional<QString> text = decode(lines[i]);
        if (!text) {
            parsed.undecodedLines << lineNumber;
            continue;
        }
        if (!parsed.longEntryLine) {
            for (const QString& entry : text->split(u',')) {
                if (LongerThanTheBound(entry)) parsed.longEntryLine = lineNumber;
            }
        }
        accumulator += *text;
        accumulator += u',';
    }
    parsed.ramp = CharRamp::FromList(accumulator);
    return parsed;
}

}  // namespace

ParsedRamp ParseCharRamp(const QByteArray& cp932) { return FromLines(cp932, DecodeCp932); }

ParsedRamp ParseCharRampUtf8(const QByteArray& utf8) {
    const QByteArray text = utf8.startsWith("\xEF\xBB\xBF") ? utf8.mid(3) : utf8;
    return FromLines(text, [](const QByteArray& line) -> std::optional<QString> {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = decoder.decode(line);
        if (decoder.hasError()) return std::nullopt;
        return decoded;
    });
}

}  // namespace glyph
