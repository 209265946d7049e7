#include "engine/ShapeMatch.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace glyph {

namespace {

using Patch = std::array<float, kPatchCells>;
using Matrix = std::array<std::array<double, kPatchCells>, kPatchCells>;

float Mean(const Patch& patch) {
    return std::accumulate(patch.begin(), patch.end(), 0.0f) / float(kPatchCells);
}

// The eigenvectors of a symmetric matrix by Jacobi's rotations, as rows,
// largest eigenvalue first. Small and exact enough for a 16 x 16 covariance,
// and the same on every run.
Matrix Eigenvectors(Matrix a) {
    Matrix v{};
    for (int i = 0; i < kPatchCells; ++i) v[i][i] = 1;
    for (int sweep = 0; sweep < 50; ++sweep) {
        double off = 0;
        for (int p = 0; p < kPatchCells; ++p)
            for (int q = p + 1; q < kPatchCells; ++q) off += a[p][q] * a[p][q];
        if (off < 1e-22) break;
        for (int p = 0; p < kPatchCells; ++p) {
            for (int q = p + 1; q < kPatchCells; ++q) {
                if (std::abs(a[p][q]) < 1e-30) continue;
                const double theta = (a[q][q] - a[p][p]) / (2 * a[p][q]);
                const double t = (theta >= 0 ? 1.0 : -1.0) /
                                 (std::abs(theta) + std::sqrt(theta * theta + 1));
                const double c = 1 / std::sqrt(t * t + 1);
                const double s = t * c;
                for (int k = 0; k < kPatchCells; ++k) {
                    const double akp = a[k][p];
                    const double akq = a[k][q];
                    a[k][p] = c * akp - s * akq;
                    a[k][q] = s * akp + c * akq;
                }
                for (int k = 0; k < kPatchCells; ++k) {
                    const double apk = a[p][k];
                    const double aqk = a[q][k];
                    a[p][k] = c * apk - s * aqk;
                    a[q][k] = s * apk + c * aqk;
                }
                for (int k = 0; k < kPatchCells; ++k) {
                    const double vkp = v[k][p];
                    const double vkq = v[k][q];
                    v[k][p] = c * vkp - s * vkq;
                    v[k][q] = s * vkp + c * vkq;
                }
            }
        }
    }
    std::array<int, kPatchCells> order{};
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&a](int x, int y) { return a[x][x] > a[y][y]; });
    Matrix rows{};
    for (int r = 0; r < kPatchCells; ++r)
        for (int k = 0; k < kPatchCells; ++k) rows[r][k] = v[k][order[r]];
    return rows;
}

}  // namespace

ShapeIndex::ShapeIndex(std::vector<GlyphShape> pool, ShapeWeights weights)
    : weights_(weights), shapes_(std::move(pool)) {
    std::stable_sort(shapes_.begin(), shapes_.end(), [](const GlyphShape& a, const GlyphShape& b) {
        return Mean(a.ink) < Mean(b.ink);
    });
    if (shapes_.empty()) return;
    lightest_ = Mean(shapes_.front().ink);
    densest_ = Mean(shapes_.back().ink);

    // The principal axes of the shapes around their means. The last axis is
    // the one along which no centred shape varies (all parts alike): left out.
    Matrix covariance{};
    for (const GlyphShape& shape : shapes_) {
        const float mean = Mean(shape.ink);
        for (int i = 0; i < kPatchCells; ++i)
            for (int j = 0; j < kPatchCells; ++j)
                covariance[i][j] += double(shape.ink[i] - mean) * double(shape.ink[j] - mean);
    }
    const Matrix axes = Eigenvectors(covariance);
    for (int axis = 0; axis < kDims - 1; ++axis)
        for (int k = 0; k < kPatchCells; ++k) axes_[axis][k] = float(axes[axis][k]);

    const float meanScale = std::sqrt(weights_.tone * kPatchCells);
    glyphs_.reserve(shapes_.size());
    features_.reserve(shapes_.size() * kDims);
    for (const GlyphShape& shape : shapes_) {
        const float mean = Mean(shape.ink);
        glyphs_.push_back(shape.glyph);
        means_.push_back(meanScale * mean);
        features_.push_back(meanScale * mean);
        for (const auto& axis : axes_) {
            float along = 0;
            for (int k = 0; k < kPatchCells; ++k) along += axis[k] * (shape.ink[k] - mean);
            features_.push_back(along);
        }
    }
}

std::size_t ShapeIndex::Bytes() const {
    std::size_t text = 0;
    for (const QString& glyph : glyphs_) text += sizeof(QString) + std::size_t(glyph.capacity()) * 2;
    return sizeof(*this) + shapes_.size() * (sizeof(GlyphShape) + 2 * sizeof(QChar)) + text +
           features_.size() * sizeof(float) + means_.size() * sizeof(float);
}

std::size_t ShapeIndex::Nearest(const Patch& patch, float mean) const {
    std::array<float, kDims> query{};
    query[0] = std::sqrt(weights_.tone * kPatchCells) * mean;
    const float patchMean = Mean(patch);
    for (int axis = 0; axis < kDims - 1; ++axis) {
        float along = 0;
        for (int k = 0; k < kPatchCells; ++k) along += axes_[axis][k] * (patch[k] - patchMean);
        query[axis + 1] = weights_.gain * along;
    }

    // Out from the glyphs of the nearest mean, both ways, while the means
    // alone still leave room for a better glyph.
    const std::size_t count = glyphs_.size();
    const std::size_t start =
        std::size_t(std::lower_bound(means_.begin(), means_.end(), query[0]) - means_.begin());
    float best = std::numeric_limits<float>::infinity();
    std::size_t chosen = std::min(start, count - 1);
    const auto consider = [&](std::size_t i, float meanTerm) {
        const float* feature = &features_[i * kDims];
        float distance = meanTerm;
        for (int d = 1; d < kDims; d += 5) {
            for (int k = d; k < std::min(d + 5, kDims); ++k) {
                const float difference = feature[k] - query[k];
                distance += difference * difference;
            }
            if (distance >= best) return;
        }
        // Equal distances keep the first glyph reached, so the same every run.
        best = distance;
        chosen = i;
    };
    std::size_t below = start;  // next candidate is below - 1
    std::size_t above = start;  // next candidate is above
    while (true) {
        const float belowGap = below > 0 ? query[0] - means_[below - 1]
                                         : std::numeric_limits<float>::infinity();
        const float aboveGap = above < count ? means_[above] - query[0]
                                             : std::numeric_limits<float>::infinity();
        const float gap = std::min(belowGap, aboveGap);
        if (!(gap * gap < best)) break;
        if (aboveGap <= belowGap) {
            consider(above, gap * gap);
            ++above;
        } else {
            consider(below - 1, gap * gap);
            --below;
        }
    }
    return chosen;
}

QString MatchShapes(const ShapeIndex& index, const std::vector<int>& levels, int columns,
                    int rows) {
    static const QString kLineEnd = QStringLiteral("\r\n");
    QString text;
    if (index.size() == 0 || columns <= 0 || rows <= 0) return text;
    text.reserve(qsizetype(columns + 2) * rows);
    const int width = columns * kPatchSide;
    const float lightest = index.lightest();
    const float range = index.densest() - index.lightest();
    // The tone error carried to each cell of this row and the next.
    std::vector<float> carried(std::size_t(columns) + 2, 0.0f);
    std::vector<float> next(std::size_t(columns) + 2, 0.0f);
    Patch patch{};
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            for (int y = 0; y < kPatchSide; ++y) {
                const int* line = &levels[std::size_t(row * kPatchSide + y) * width +
                                          std::size_t(column) * kPatchSide];
                for (int x = 0; x < kPatchSide; ++x)
                    patch[y * kPatchSide + x] =
                        lightest + range * float(kLevels - 1 - line[x]) / float(kLevels - 1);
            }
            const float wanted = Mean(patch) + carried[column + 1];
            const std::size_t found = index.Nearest(patch, wanted);
            text += index.glyph(found);
            const float error = wanted - Mean(index.shape(found).ink);
            carried[column + 2] += error * 7 / 16;
            next[column] += error * 3 / 16;
            next[column + 1] += error * 5 / 16;
            next[column + 2] += error * 1 / 16;
        }
        std::swap(carried, next);
        std::fill(next.begin(), next.end(), 0.0f);
        if (row + 1 < rows) text += kLineEnd;
    }
    return text;
}

TextArt RenderShapes(const LevelGrid& grid, int width, int height, const Adjustment& adjustment,
                     const ShapeIndex& index) {
    TextArt art;
    art.width = width;
    art.height = height;
    art.levels.resize(std::size_t(width) * std::size_t(height));
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            art.levels[std::size_t(row) * width + column] =
                AdjustLevel(grid.at(column, row), adjustment, grid.darkest, grid.lightest);
        }
    }
    art.text = MatchShapes(index, art.levels, width / kPatchSide, height / kPatchSide);
    return art;
}

}  // namespace glyph
