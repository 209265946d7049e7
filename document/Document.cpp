#include "document/Document.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>

#include "basics/Reasons.h"
#include "output/ArtColours.h"
#include "picture/CellReader.h"

namespace glyph {

namespace {

constexpr std::int16_t kOn = -1;
constexpr std::int16_t kUndo = +1;
constexpr std::int16_t kRedo = -1;

// Each adjustment: which picture it reads and its one step.
struct AdjustStep {
    bool fromOpenedPicture;  // the block as opened instead of the preview
    Adjustment adjustment;
};

// By Command, kBrighter to kReset.
constexpr AdjustStep kAdjustSteps[] = {
    {false, {0, +10, 0}},  // brighter
    {false, {0, -10, 0}},  // darker
    {false, {0, 0, +10}},  // more contrast
    {false, {0, 0, -10}},  // less contrast
    {false, {kOn, 0, 0}},  // auto-level
    {true, {0, 0, 0}},     // reset
};
static_assert(std::size(kAdjustSteps) == static_cast<std::size_t>(Command::kReset) + 1);

// The adjustment a command makes; none for the history's commands or a value
// past the enumeration (the window's button indexes arrive as integers).
const AdjustStep* AdjustStepOf(Command command) {
    const auto index = static_cast<std::size_t>(command);
    return index < std::size(kAdjustSteps) ? &kAdjustSteps[index] : nullptr;
}

std::uint32_t EngineColour(QRgb pixel) { return Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel)); }

LevelGrid ReadPicture(const QImage& pixels) {
    return ReadLevels(
        pixels.width(), pixels.height(),
        [&pixels](int column, int row) { return EngineColour(pixels.pixel(column, row)); },
        LevelGrid(pixels.width(), pixels.height()));
}

// The preview as a render reads it back: each level painted as its gray, which
// reads as one level lower for some levels. A blank slot is never shown (the
// history's counters keep it out of reach); it would read as no pixel at all.
LevelGrid ReadPreview(const History::Snapshot* snapshot, int width, int height) {
    if (snapshot == nullptr) return LevelGrid(width, height);
    return ReadLevels(
        width, height,
        [&](int column, int row) {
            return GrayColour((*snapshot)[static_cast<size_t>(row) * width + column]);
        },
        LevelGrid(width, height));
}

// The mean colour of each side x side patch of the image: one pixel a patch.
QImage PatchMeans(const QImage& image, int side) {
    if (side <= 1) return image;
    QImage means(image.width() / side, image.height() / side, QImage::Format_RGB32);
    const int pixels = side * side;
    for (int row = 0; row < means.height(); ++row)
        for (int column = 0; column < means.width(); ++column) {
            int sums[3] = {};
            for (int y = row * side; y < (row + 1) * side; ++y)
                for (int x = column * side; x < (column + 1) * side; ++x) {
                    const QRgb pixel = image.pixel(x, y);
                    sums[0] += qRed(pixel);
                    sums[1] += qGreen(pixel);
                    sums[2] += qBlue(pixel);
                }
            const auto mean = [&](int sum) { return RoundHalfEven(double(sum) / pixels); };
            means.setPixel(column, row, qRgb(mean(sums[0]), mean(sums[1]), mean(sums[2])));
        }
    return means;
}

// A ramp entry's coverage: its characters' mean; none for an empty one.
float EntryCoverage(const QString& entry, const GlyphCoverage& coverage) {
    const QList<uint> characters = entry.toUcs4();
    if (characters.isEmpty()) return 0;
    float sum = 0;
    for (const uint c : characters) {
        const char32_t character = c;
        sum += coverage(QString::fromUcs4(&character, 1));
    }
    return sum / float(characters.size());
}

Framing Overview(const Framing& framing) {
    Framing whole;
    whole.mode = Framing::Mode::kWhole;
    whole.mostCells = Document::kOverviewCells;
    whole.upright = framing.upright;
    return whole;
}

}  // namespace

Document::Document(CharRamp ramp, QObject* parent) : QObject(parent), ramp_(std::move(ramp)) {}

Document::Document(CharRamp blockRamp, std::function<CharRamp()> reducedRamp, QObject* parent)
    : QObject(parent), ramp_(std::move(blockRamp)), makeReducedRamp_(std::move(reducedRamp)) {}

QImage Document::colours() const { return ArtColours(block_.pixels, block_.colours, art_); }

CellColours Document::cellColours(const Inking& inking) const {
    if (!HasPicture()) return {};
    return Split(colours(), inking);
}

CellColours Document::grayCells(const Inking& inking) const {
    if (!HasPicture()) return {};
    QImage tones(art_.width, art_.height, QImage::Format_RGB32);
    for (int row = 0; row < art_.height; ++row)
        for (int column = 0; column < art_.width; ++column) {
            const int level = art_.level(column, row);
            tones.setPixel(column, row, qRgb(level, level, level));
        }
    return Split(tones, inking);
}

CellColours Document::Split(const QImage& tones, const Inking& inking) const {
    const int side = framing_.PatchSide();
    const QImage means = PatchMeans(tones, side);
    const int columns = means.width();
    std::vector<float> coverage(std::size_t(columns) * means.height(), 0);
    if (side > 1 && shapes_ != nullptr) {
        // Each cell's glyph, from the pool it was matched in.
        QHash<QString, float> pool;
        if (!inking.coverage) {
            pool.reserve(qsizetype(shapes_->size()));
            for (std::size_t i = 0; i < shapes_->size(); ++i)
                pool.insert(shapes_->glyph(i), shapes_->mean(i));
        }
        const QList<QStringList> lines = ArtCharacters(art_.text);
        for (int row = 0; row < means.height() && row < lines.size(); ++row)
            for (int column = 0; column < columns && column < lines[row].size(); ++column) {
                const QString& glyph = lines[row][column];
                coverage[std::size_t(row) * columns + column] =
                    inking.coverage ? inking.coverage(glyph) : pool.value(glyph, 0);
            }
    } else {
        // Each level's entry, once.
        std::array<float, kLevels> levels{};
        for (int level = 0; level < kLevels; ++level) {
            levels[std::size_t(level)] =
                inking.coverage ? EntryCoverage(RampShown().CharForLevel(level), inking.coverage)
                                : ExpectedCoverage(level, inking.light);
        }
        for (int row = 0; row < means.height(); ++row)
            for (int column = 0; column < columns; ++column)
                coverage[std::size_t(row) * columns + column] =
                    levels[std::size_t(std::clamp(art_.level(column, row), 0, kLevels - 1))];
    }
    return SplitCells(means, coverage, inking.light);
}

Status Document::Open(const QString& path, QPoint origin) {
    Framing block;
    block.origin = origin;
    return Open(path, block);
}

Status Document::Open(const QString& path, const Framing& framing) {
    if (!framing.Reduces()) {
        Result<Block> block = ReadBlock(path, framing.origin);
        if (!block) return block.error();
        overview_ = QImage();
        keptLease_.reset();
        return Shown(path, framing, std::move(block).value());
    }
    // Shapes that cannot be measured would leave the art empty: the document
    // stays as it was and says why.
    const ShapeIndex* shapes = nullptr;
    if (framing.PatchSide() > 1) {
        if (!pools_) return Error{ErrorKind::kNotTheFile, reasons::kNoShapePools};
        const Result<const ShapeIndex*> pool = pools_(framing.match);
        if (!pool) return pool.error();
        shapes = *pool;
    }
    const FileStamp stamp = StampOf(path);
    const Result<Cells> cells = ReadCells(path, framing);
    if (!cells) return cells.error();
    Result<MemoryLease> kept =
        ReserveMemory(qint64(cells->size.width()) * cells->size.height() * kKeptBytesPerCell);
    if (!kept) return kept.error();
    shapes_ = shapes;
    keptLease_.reset();
    keptLease_.emplace(std::move(kept).value());
    // The whole picture's overview: the art itself when it is the whole
    // picture; kept while only the rectangle changes; else made when asked for.
    const bool sameFile = path == path_ && stamp == overviewStamp_ && !overview_.isNull();
    if (framing.mode == Framing::Mode::kWhole && framing.PatchSide() == 1) {
        overview_ = ColourImage(*cells);
    } else if (!sameFile) {
        overview_ = QImage();
    }
    overviewStamp_ = stamp;
    area_ = cells->area;
    return Shown(path, framing, BlockOfCells(*cells));
}

const QImage& Document::overview() {
    if (overview_.isNull() && framing_.Reduces() && !path_.isEmpty()) {
        const Result<Cells> whole = ReadCells(path_, Overview(framing_));
        if (whole) overview_ = ColourImage(*whole);
    }
    return overview_;
}

void Document::PreviewRectangle(QRect rectangle) {
    if (framing_.mode != Framing::Mode::kRectangle || path_.isEmpty()) return;
    const FileStamp stamp = StampOf(path_);
    if (stamp != detailStamp_ || path_ != detailPath_) {
        // A picture that cannot be kept so is drawn on without a preview; the
        // open at the end of the drag says why, once.
        Framing detail = Overview(framing_);
        detail.mostCells = kDetailCells;
        const Result<Cells> whole = ReadCells(path_, detail);
        detail_ = whole ? ColourImage(*whole) : QImage();
        detailStamp_ = stamp;
        detailPath_ = path_;
    }
    if (detail_.isNull()) return;
    const QRect area = rectangle & QRect(QPoint(0, 0), block_.pictureSize);
    if (area.isEmpty()) return;
    const Cells cells = CellsOfReduced(detail_, block_.pictureSize, area, framing_.mostCells,
                                       framing_.cellAspect, framing_.PatchSide());
    framing_.rectangle = area;
    area_ = area;
    Show(BlockOfCells(cells));
}

Status Document::Shown(const QString& path, const Framing& framing, Block block) {
    path_ = path;
    framing_ = framing;
    neighbourhood_.Forget();
    Show(std::move(block));
    return Done{};
}

void Document::Open(Block block) {
    path_.clear();
    framing_ = Framing{};
    overview_ = QImage();
    keptLease_.reset();
    neighbourhood_.Forget();
    Show(std::move(block));
}

bool Document::CanMoveBlock() const {
    return !path_.isEmpty() && framing_.mode == Framing::Mode::kBlock &&
           block_.pixels.size() != block_.pictureSize;
}

Status Document::MoveBlock(QPoint origin) {
    if (!CanMoveBlock()) return Done{};
    const QPoint at = ClampOrigin(origin, block_.pictureSize);
    if (at == block_.origin) return Done{};
    Result<Block> block = neighbourhood_.ReadBlock(path_, at);
    if (!block) return block.error();
    Show(std::move(block).value());
    return Done{};
}

void Document::Show(Block block) {
    block_ = std::move(block);
    const LevelGrid picture = ReadPicture(block_.pixels);
    span_ = PictureSpan(picture, ImageWidth(), ImageHeight());
    RenderTextArt(picture, Adjustment{});
    history_.Seed(art_.levels);
    emit changed();
}

bool Document::IsAvailable(Command command) const {
    switch (command) {
        case Command::kUndo:
            return history_.UndoCount() != 0;
        case Command::kRedo:
            return history_.HistoryCursor() != 0;
        default:
            return AdjustStepOf(command) != nullptr && HasPicture();
    }
}

bool Document::Run(Command command) {
    if (!IsAvailable(command)) return false;
    switch (command) {
        case Command::kUndo:
            StepHistory(kUndo);
            break;
        case Command::kRedo:
            StepHistory(kRedo);
            break;
        default:
            RunAdjustment(command);
            break;
    }
    emit changed();
    return true;
}

// Between the push and the store, slot 0 still holds the preview shown before.
void Document::RunAdjustment(Command command) {
    const AdjustStep& step = *AdjustStepOf(command);  // Run asked IsAvailable
    const LevelGrid source = step.fromOpenedPicture
                                 ? ReadPicture(block_.pixels)
                                 : ReadPreview(&art_.levels, ImageWidth(), ImageHeight());
    history_.PushHistory();
    RenderTextArt(source, step.adjustment);
    history_.Store(art_.levels);
}

void Document::StepHistory(std::int16_t direction) {
    const int shown = history_.Step(direction);
    const std::optional<History::Snapshot>& slot = history_.cashPicture(shown);
    RenderTextArt(ReadPreview(slot ? &*slot : nullptr, ImageWidth(), ImageHeight()), Adjustment{});
}

void Document::RenderTextArt(const LevelGrid& source, const Adjustment& adjustment) {
    if (framing_.PatchSide() > 1) {
        art_ = RenderShapes(source, ImageWidth(), ImageHeight(), adjustment, *shapes_, span_);
        return;
    }
    art_ = RenderLevels(source, ImageWidth(), ImageHeight(), adjustment, RampInUse());
}

const CharRamp& Document::RampShown() const {
    return framing_.Reduces() && reducedRamp_ ? *reducedRamp_ : ramp_;
}

const CharRamp& Document::RampInUse() {
    if (!framing_.Reduces() || !makeReducedRamp_) return ramp_;
    if (!reducedRamp_) reducedRamp_ = makeReducedRamp_();
    return *reducedRamp_;
}

}  // namespace glyph
