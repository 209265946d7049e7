#pragma once

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "engine/Levels.h"
#include "engine/TextArt.h"

namespace glyph {

// Choosing each cell's character by the shape of its ink as well as its
// amount. A cell is read as a patch of kPatchSide x kPatchSide sub-cells and
// compared with every glyph of a pool reduced the same way.
inline constexpr int kPatchSide = 4;
inline constexpr int kPatchCells = kPatchSide * kPatchSide;

// A glyph's ink in each part of its cell, row by row: 0 paper, 1 all ink.
struct GlyphShape {
    QString glyph;
    std::array<float, kPatchCells> ink{};
};

// How a patch is weighed against a glyph: the squared difference of their
// shapes around their means, the patch's shape taken `gain` times (a glyph's
// strokes are starker than a photo's cell), plus `tone` times the squared
// difference of their means for each part.
// `spread` is the share of each cell's error of tone carried on to the cells
// not yet matched (Floyd and Steinberg's shares; the tuning photos read best
// without: it adds texture), and `repeat` what a glyph costs more where it
// would repeat a neighbour.
struct ShapeWeights {
    float gain = 3.0f;
    float tone = 12.0f;
    float spread = 0.0f;
    float repeat = 0.05f;
};

// A pool arranged for matching: each shape in the pool's own principal axes,
// in a k-d tree, so that most glyphs are ruled out a branch at a time and
// most of the rest after a few terms.
class ShapeIndex {
  public:
    explicit ShapeIndex(std::vector<GlyphShape> pool, ShapeWeights weights = {});

    std::size_t size() const { return glyphs_.size(); }
    std::size_t Bytes() const;
    const ShapeWeights& weights() const { return weights_; }
    // The pool's lightest and densest mean ink: the range patches are mapped into.
    float lightest() const { return lightest_; }
    float densest() const { return densest_; }
    const QString& glyph(std::size_t i) const { return glyphs_[i]; }
    // Glyph i's mean ink over its cell, 0 to 1.
    float mean(std::size_t i) const { return means_[i]; }

    // The pool's glyph nearest to a patch of ink (in the pool's range) whose
    // mean is taken as `mean`: its index, the lowest of equally near ones.
    // `guesses` (glyphs likely near, such as a neighbour's) only speed it up.
    // Glyphs in `neighbours` cost `weights().repeat` more.
    std::size_t Nearest(const std::array<float, kPatchCells>& patch, float mean,
                        std::initializer_list<std::size_t> guesses = {},
                        std::initializer_list<std::size_t> neighbours = {}) const;

  private:
    static constexpr int kDims = kPatchCells;  // the mean, then the shape's axes
    // A k-d tree over the features: each node splits its glyphs at the
    // median of the feature along which they spread most.
    struct Node {
        int dim = -1;  // -1: a leaf of glyphs first .. last - 1
        float split = 0;
        std::uint32_t first = 0, last = 0;
        std::uint32_t below = 0, above = 0;  // children
    };
    std::uint32_t Build(std::uint32_t first, std::uint32_t last);
    // `reach` is how near the node's glyphs can come at best, `offsets` the
    // query's distance from the node's box along each feature.
    struct Query;
    void Search(std::uint32_t node, const Query& query, float reach, float* offsets, float& best,
                std::size_t& chosen) const;

    ShapeWeights weights_;
    std::vector<GlyphShape> shapes_;  // in the tree's order
    std::vector<QString> glyphs_;
    std::vector<float> means_;
    std::vector<float> features_;  // kDims per glyph
    std::vector<Node> nodes_;
    // The first kLead features again, feature by feature, in the same order.
    static constexpr int kLead = 8;
    std::array<std::vector<float>, kLead> lead_;
    std::array<std::array<float, kPatchCells>, kDims - 1> axes_{};
    float lightest_ = 0;
    float densest_ = 1;
};

// The levels mapped onto the pool's whole range of ink: `light` and darker
// onto its lightest glyph's mean, `dark` and lighter onto its densest.
struct ToneSpan {
    int dark = 0;
    int light = kLevels - 1;
};

// The span of a picture's cells: their mean levels with as much of each end
// clipped (up to a tenth) as keeps their tone (r 0.98 with the unclipped). A
// wider span leaves more of the pool's range to the picture's lines, and flat
// light and dark areas drawn flat, which reads as structure; a picture with
// far-off highlights, such as stars, keeps them. `levels` are the sub-cells
// of `columns` cells a row, row by row. A picture of one level spans them all.
ToneSpan PictureSpan(const std::vector<int>& levels, int columns);
// The same over the grid's first width x height sub-cells.
ToneSpan PictureSpan(const LevelGrid& grid, int width, int height);

// The text of an art of columns x rows cells from its sub-cells' gray levels
// (0 black .. 255 white, kPatchSide times as many each way, row by row): one
// glyph a cell, CR LF between rows. Each cell's patch is mapped linearly from
// `span` into the pool's range of ink; its tone is the mapped mean (its parts
// are kept within the pool's range for their shape), plus the error carried
// from the cells before in the `spread` share. A glyph costs more where it
// would repeat one of its neighbours already chosen (the two to its left and
// the three above), so that flat areas do not run in stripes of one glyph, or
// of two in turn.
QString MatchShapes(const ShapeIndex& index, const std::vector<int>& levels, int columns, int rows,
                    ToneSpan span);

// RenderLevels for an art matched by shape: width x height sub-cells, each
// adjusted as a level is; the text has one glyph per patch. `span` is the
// picture's as opened, not the adjusted levels', so that the tone steps
// change the art and a step of the history shows the same text again.
TextArt RenderShapes(const LevelGrid& grid, int width, int height, const Adjustment& adjustment,
                     const ShapeIndex& index, ToneSpan span);

}  // namespace glyph
