#include "ui/Remembered.h"

#include <QFileInfo>
#include <QSettings>
#include <array>
#include <utility>

#include "files/UserFolders.h"

namespace glyph {

namespace {

const QString kMode = QStringLiteral("window/framing");
const QString kMatch = QStringLiteral("window/match");
const QString kColourView = QStringLiteral("window/colourView");
const QString kZoom = QStringLiteral("window/zoom");

// The words kept in the file, so that it reads as what was chosen.
constexpr std::array<std::pair<Framing::Mode, const char*>, 3> kModes = {{
    {Framing::Mode::kBlock, "block"},
    {Framing::Mode::kWhole, "whole"},
    {Framing::Mode::kRectangle, "rectangle"},
}};
constexpr std::array<std::pair<Match, const char*>, 3> kMatches = {{
    {Match::kTone, "tone"},
    {Match::kKanjiShapes, "kanji"},
    {Match::kCp932Shapes, "cp932"},
}};

template <typename Value, std::size_t Count>
void ReadWord(const QSettings& settings, const QString& key,
              const std::array<std::pair<Value, const char*>, Count>& words, Value& value) {
    const QString kept = settings.value(key).toString();
    for (const auto& [each, word] : words) {
        if (kept == QLatin1String(word)) value = each;
    }
}

template <typename Value, std::size_t Count>
QString WordOf(const std::array<std::pair<Value, const char*>, Count>& words, Value value) {
    for (const auto& [each, word] : words) {
        if (each == value) return QString::fromLatin1(word);
    }
    return {};
}

// Far more than four choices take.
constexpr qint64 kMostBytes = 64 * 1024;

// Only a regular file of ours is read or written: QSettings would wait on a
// FIFO, read a vast file whole and write through a link.
bool Usable(const QString& path) {
    const QFileInfo file(path);
    if (path.isEmpty() || file.isSymLink()) return false;
    return !file.exists() || (file.isFile() && file.size() <= kMostBytes);
}

void Keep(const QString& key, const QVariant& value) {
    const QString path = ChoicesPath();
    if (!Usable(path)) return;
    QSettings settings(path, QSettings::IniFormat);
    if (value.isValid()) {
        settings.setValue(key, value);
    } else if (settings.contains(key)) {
        settings.remove(key);
    }
}

}  // namespace

QString ChoicesPath() {
    const QString folder = UserConfigFolder();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/window.conf");
}

Choices LoadChoices() {
    Choices choices;
    const QString path = ChoicesPath();
    // Merely reading would leave an empty file behind.
    if (!Usable(path) || !QFileInfo::exists(path)) return choices;
    const QSettings settings(path, QSettings::IniFormat);
    ReadWord(settings, kMode, kModes, choices.mode);
    ReadWord(settings, kMatch, kMatches, choices.match);
    choices.colourView = settings.value(kColourView).toString() == QLatin1String("true");
    bool number = false;
    const qreal zoom = settings.value(kZoom).toDouble(&number);
    if (number && zoom > 0) choices.zoom = zoom;
    return choices;
}

void RememberMode(Framing::Mode mode) { Keep(kMode, WordOf(kModes, mode)); }

void RememberMatch(Match match) { Keep(kMatch, WordOf(kMatches, match)); }

void RememberColourView(bool on) { Keep(kColourView, on ? QStringLiteral("true") : QVariant()); }

void RememberZoom(qreal size, qreal usual) { Keep(kZoom, size == usual ? QVariant() : size); }

}  // namespace glyph
