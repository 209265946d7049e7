#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "basics/Limits.h"
#include "basics/Result.h"
#include "document/History.h"
#include "engine/CharRamp.h"
#include "engine/ShapeMatch.h"
#include "engine/TextArt.h"
#include "output/ArtColours.h"
#include "picture/Block.h"
#include "picture/Framing.h"
#include "picture/Neighbourhood.h"

namespace glyph {

// What can be done to an opened picture. The first six are the window's
// adjustment buttons, in the order of their indexes.
enum class Command {
    kBrighter,
    kDarker,
    kMoreContrast,
    kLessContrast,
    kAutoLevel,
    kReset,
    kUndo,
    kRedo,
};

// One opened picture and what has been done to it: the block as opened, the
// preview levels and text of the last render, and the six-slot history. The
// window shows it and the converter drives it; both get the same bytes.
// The pool of glyph shapes for a set, or why there is none: handed to the
// document by whoever knows the fonts, as the reduced ramp is.
using ShapePools = std::function<Result<const ShapeIndex*>(Match)>;

class Document : public QObject {
    Q_OBJECT

  public:
    explicit Document(CharRamp ramp, QObject* parent = nullptr);
    // The block renders with blockRamp; the whole picture and the rectangle
    // with what reducedRamp gives, asked for the first time one is rendered
    // (measuring a font takes a while, and the block may be all that is used).
    Document(CharRamp blockRamp, std::function<CharRamp()> reducedRamp, QObject* parent = nullptr);
    // Where the shape match takes its glyphs from; without pools, a framing
    // that matches shapes cannot be opened.
    void UseShapes(ShapePools pools) { pools_ = std::move(pools); }

    // Reads the picture's block at origin and renders it with no adjustment,
    // seeding the history anew. A picture that cannot be read changes nothing.
    Status Open(const QString& path, QPoint origin = {});
    // The same with the working image the framing makes: the block, or the
    // whole picture or a rectangle of it reduced to cells.
    Status Open(const QString& path, const Framing& framing);
    // The same with a block read elsewhere; the block cannot then be moved.
    void Open(Block block);

    // Moves the block over the opened picture (as far as it stays inside) and
    // renders it as an open at that origin does. Staying put changes nothing.
    Status MoveBlock(QPoint origin);
    bool CanMoveBlock() const;

    // Whether the window offers the command now: adjustments once a picture is
    // open, undo while undo steps are left, redo while the cursor is above 0.
    bool IsAvailable(Command command) const;
    // Runs the command when it is available; otherwise does nothing and says so.
    bool Run(Command command);

    bool HasPicture() const { return !block_.pixels.isNull(); }
    std::int32_t ImageWidth() const { return block_.pixels.width(); }
    std::int32_t ImageHeight() const { return block_.pixels.height(); }
    // The art's cells: the working image's pixels, or its patches when shapes
    // are matched.
    QSize cells() const { return block_.pixels.size() / framing_.PatchSide(); }
    const Block& block() const { return block_; }
    // The opened picture's path; empty for a block opened without one.
    const QString& path() const { return path_; }
    const Framing& framing() const { return framing_; }
    // The whole upright picture in colour, reduced to at most kOverviewCells:
    // what the window shows of the picture while the art is reduced; made
    // when first asked for. Empty for the block, and for a picture too large
    // to read whole.
    const QImage& overview();

    // While a rectangle is being drawn: the art of `rectangle` made at once
    // from a reduced copy of the picture kept from the first call (a few MB),
    // rendered as an open does. An Open with the rectangle gives the exact art.
    void PreviewRectangle(QRect rectangle);
    static constexpr QSize kDetailCells{1000, 1000};
    static constexpr QSize kOverviewCells{100, 100};
    // The upright pixels the art is made of: the block, the whole picture or
    // the rectangle as cut to the picture.
    QRect area() const {
        return framing_.Reduces() ? area_ : QRect(block_.origin, block_.pixels.size());
    }
    // The preview's levels and the text art, lines separated by CR LF.
    const TextArt& art() const { return art_; }
    const QString& text() const { return art_.text; }
    // Each cell's colour, following the tone steps (ArtColours); null without a picture.
    QImage colours() const;
    // Each cell's ink and paper (SplitCells): its mean colour, following the
    // tone steps, split at its glyph's coverage, so that the cell as drawn
    // has the picture's colour. One pixel a cell; null without a picture.
    CellColours cellColours(const Inking& inking = {}) const;
    // The same in gray: each cell's tone, as the text shows it, split.
    CellColours grayCells(const Inking& inking = {}) const;
    const History& history() const { return history_; }
    // The block's ramp.
    const CharRamp& ramp() const { return ramp_; }

  signals:
    void changed();

  private:
    Status Shown(const QString& path, const Framing& framing, Block block);
    void Show(Block block);
    void RunAdjustment(Command command);
    void StepHistory(std::int16_t direction);
    void RenderTextArt(const LevelGrid& source, const Adjustment& adjustment);
    const CharRamp& RampInUse();
    // The ramp the art was last rendered with.
    const CharRamp& RampShown() const;
    // Splits `tones` (one pixel an art pixel, or a sub-cell) cell by cell.
    CellColours Split(const QImage& tones, const Inking& inking) const;

    CharRamp ramp_;
    std::function<CharRamp()> makeReducedRamp_;  // none: the block's ramp
    std::optional<CharRamp> reducedRamp_;
    QString path_;  // of the opened picture
    Framing framing_;
    QImage overview_;
    QImage detail_;  // the picture reduced for drawing rectangles
    FileStamp detailStamp_;
    QString detailPath_;
    QRect area_;
    FileStamp overviewStamp_;  // of the file the overview was made from
    Block block_;
    TextArt art_;
    // What a cell of a reduced picture's working image holds at most, counted
    // from what holds it: the cells read (a level and a colour) while the
    // block is made of them, the block's pixels and colour image, the
    // overview, the levels read for a render, the art's levels and those that
    // replace them, every history slot, and a character of the text.
    static constexpr qint64 kKeptBytesPerCell = sizeof(int) + sizeof(QRgb) + 2 * sizeof(QRgb) +
                                                sizeof(QRgb) + sizeof(int) + 2 * sizeof(int) +
                                                History::kSlots * sizeof(int) + sizeof(QChar);
    std::optional<MemoryLease> keptLease_;
    ToneSpan span_;  // of the picture as opened, for every step's shapes
    ShapePools pools_;
    const ShapeIndex* shapes_ = nullptr;  // the framing's pool, while it matches shapes
    History history_;
    Neighbourhood neighbourhood_;  // pixels around a moving block
};

}  // namespace glyph
