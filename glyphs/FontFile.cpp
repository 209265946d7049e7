#include "glyphs/FontFile.h"

#include <QtEndian>

#include <algorithm>
#include <optional>

namespace glyph {

namespace {

constexpr quint32 kCollectionTag = 0x74746366;  // 'ttcf'
constexpr quint32 kNameTag = 0x6E616D65;        // 'name'
constexpr int kOffsetTableBytes = 12;
constexpr int kTableRecordBytes = 16;
constexpr int kNameHeaderBytes = 6;
constexpr int kNameRecordBytes = 12;
constexpr quint16 kMacintosh = 1;
// Family, full name, PostScript name, typographic and WWS family.
constexpr quint16 kFamilyNames[] = {1, 4, 6, 16, 21};
constexpr quint16 kFirstLanguageTag = 0x8000;  // languages named in a format 1 table

std::optional<quint32> Read32(const QByteArray& bytes, qsizetype at) {
    if (at < 0 || at + 4 > bytes.size()) return std::nullopt;
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

std::optional<quint16> Read16(const QByteArray& bytes, qsizetype at) {
    if (at < 0 || at + 2 > bytes.size()) return std::nullopt;
    return qFromBigEndian<quint16>(bytes.constData() + at);
}

void Append16(QByteArray& bytes, quint16 value) {
    char big[2];
    qToBigEndian(value, big);
    bytes.append(big, 2);
}

void Put32(QByteArray& bytes, qsizetype at, quint32 value) {
    qToBigEndian(value, bytes.data() + at);
}

quint32 TableChecksum(const QByteArray& table) {
    QByteArray padded = table;
    padded.append((4 - padded.size() % 4) % 4, '\0');
    quint32 sum = 0;
    for (qsizetype at = 0; at < padded.size(); at += 4)
        sum += qFromBigEndian<quint32>(padded.constData() + at);
    return sum;
}

bool IsFamilyName(quint16 nameId) {
    return std::find(std::begin(kFamilyNames), std::end(kFamilyNames), nameId) !=
           std::end(kFamilyNames);
}

// The name table again, its family names replaced; format 0, so names of a
// format 1 table's own languages are left out.
std::optional<QByteArray> RenamedTable(const QByteArray& table, const QString& family) {
    const std::optional<quint16> count = Read16(table, 2);
    const std::optional<quint16> storage = Read16(table, 4);
    if (!count || !storage) return std::nullopt;
    QByteArray latin = family.toLatin1();
    QByteArray wide(family.size() * 2, '\0');
    for (qsizetype i = 0; i < family.size(); ++i)
        qToBigEndian(family[i].unicode(), wide.data() + i * 2);

    QByteArray records;
    QByteArray strings;
    int kept = 0;
    for (int i = 0; i < *count; ++i) {
        const qsizetype at = kNameHeaderBytes + qsizetype(i) * kNameRecordBytes;
        std::optional<quint16> fields[6];
        for (int f = 0; f < 6; ++f) fields[f] = Read16(table, at + f * 2);
        if (!fields[5]) return std::nullopt;
        const quint16 platform = *fields[0], language = *fields[2], nameId = *fields[3];
        if (language >= kFirstLanguageTag) continue;
        QByteArray text;
        if (IsFamilyName(nameId)) {
            text = platform == kMacintosh ? latin : wide;
        } else {
            const qsizetype from = qsizetype(*storage) + *fields[5];
            if (from + *fields[4] > table.size()) return std::nullopt;
            text = table.mid(from, *fields[4]);
        }
        for (int f = 0; f < 4; ++f) Append16(records, *fields[f]);
        Append16(records, quint16(text.size()));
        Append16(records, quint16(strings.size()));
        strings += text;
        ++kept;
        if (strings.size() > 0xFFFF) return std::nullopt;
    }
    QByteArray renamed;
    Append16(renamed, 0);
    Append16(renamed, quint16(kept));
    Append16(renamed, quint16(kNameHeaderBytes + records.size()));
    return renamed + records + strings;
}

}  // namespace

QByteArray RenamedFont(const QByteArray& font, const QString& family) {
    // A collection's first font has its own table directory.
    std::optional<quint32> start = quint32(0);
    if (Read32(font, 0) == kCollectionTag) start = Read32(font, kOffsetTableBytes);
    if (!start) return {};
    const std::optional<quint16> tables = Read16(font, qsizetype(*start) + 4);
    if (!tables) return {};
    for (int i = 0; i < *tables; ++i) {
        const qsizetype record = qsizetype(*start) + kOffsetTableBytes + i * kTableRecordBytes;
        const std::optional<quint32> offset = Read32(font, record + 8);
        const std::optional<quint32> length = Read32(font, record + 12);
        if (!offset || !length) return {};
        if (Read32(font, record) != kNameTag) continue;
        if (qsizetype(*offset) + *length > font.size()) return {};
        const std::optional<QByteArray> table = RenamedTable(font.mid(*offset, *length), family);
        if (!table) return {};
        // The new table goes at the end, where nothing else points; the old
        // one stays where it was, unread.
        QByteArray renamed = font;
        renamed.append((4 - renamed.size() % 4) % 4, '\0');
        if (renamed.size() > qsizetype(0xFFFFFFFF) - table->size()) return {};
        Put32(renamed, record + 4, TableChecksum(*table));
        Put32(renamed, record + 8, quint32(renamed.size()));
        Put32(renamed, record + 12, quint32(table->size()));
        return renamed + *table;
    }
    return {};
}

}  // namespace glyph
