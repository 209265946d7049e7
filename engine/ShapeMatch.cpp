#include "engine/ShapeMatch.h"

#include <algorithm>
#include <cmath>
#include <cstring>
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
                const double t =
                    (theta >= 0 ? 1.0 : -1.0) / (std::abs(theta) + std::sqrt(theta * theta + 1));
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

float ShapeIndex::ink(std::size_t i) const { return Mean(shapes_[i].ink); }

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
        features_.push_back(meanScale * mean);
        for (const auto& axis : axes_) {
            float along = 0;
            for (int k = 0; k < kPatchCells; ++k) along += axis[k] * (shape.ink[k] - mean);
            features_.push_back(along);
        }
    }
    Build(0, std::uint32_t(glyphs_.size()));
    for (int d = 0; d < kLead; ++d) {
        lead_[d].resize(glyphs_.size());
        for (std::size_t i = 0; i < glyphs_.size(); ++i) lead_[d][i] = features_[i * kDims + d];
    }
}

namespace {

constexpr std::uint32_t kLeafSize = 32;

// Four floats at once, wherever the compiler can.
using Four = float __attribute__((vector_size(16)));

}  // namespace

std::uint32_t ShapeIndex::Build(std::uint32_t first, std::uint32_t last) {
    const auto index = std::uint32_t(nodes_.size());
    nodes_.push_back({});
    if (last - first <= kLeafSize) {
        nodes_[index].first = first;
        nodes_[index].last = last;
        return index;
    }
    int dim = 0;
    float widest = -1;
    for (int d = 0; d < kDims; ++d) {
        float low = features_[first * kDims + d], high = low;
        for (std::uint32_t i = first; i < last; ++i) {
            low = std::min(low, features_[i * kDims + d]);
            high = std::max(high, features_[i * kDims + d]);
        }
        if (high - low > widest) {
            widest = high - low;
            dim = d;
        }
    }
    // Glyphs ordered along that feature (ties by place), cut in the middle.
    std::vector<std::uint32_t> order(last - first);
    std::iota(order.begin(), order.end(), first);
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return features_[a * kDims + dim] < features_[b * kDims + dim];
    });
    std::vector<GlyphShape> shapes;
    std::vector<QString> glyphs;
    std::vector<float> features;
    for (const std::uint32_t i : order) {
        shapes.push_back(shapes_[i]);
        glyphs.push_back(glyphs_[i]);
        features.insert(features.end(), &features_[i * kDims], &features_[(i + 1) * kDims]);
    }
    std::move(shapes.begin(), shapes.end(), shapes_.begin() + first);
    std::move(glyphs.begin(), glyphs.end(), glyphs_.begin() + first);
    std::copy(features.begin(), features.end(), features_.begin() + std::size_t(first) * kDims);
    const std::uint32_t middle = first + (last - first) / 2;
    const float split = features_[std::size_t(middle) * kDims + dim];
    const std::uint32_t below = Build(first, middle);
    const std::uint32_t above = Build(middle, last);
    Node& node = nodes_[index];
    node.dim = dim;
    node.split = split;
    node.below = below;
    node.above = above;
    return index;
}

// Glyphs below the split lie at or below it, those above at or above it.
void ShapeIndex::Search(std::uint32_t at, const float* query, float reach, float* offsets,
                        float& best, std::size_t& chosen) const {
    const Node& node = nodes_[at];
    if (node.dim < 0) {
        // The first four features of four glyphs at a time, then the rest
        // for those still in the running, in the same order of sums.
        const auto finish = [&](std::uint32_t i, float distance) {
            const float* feature = &features_[std::size_t(i) * kDims];
            bool beaten = distance > best;
            for (int d = kLead; d < kDims && !beaten; d += kLead) {
                for (int k = d; k < d + kLead; ++k) {
                    const float difference = feature[k] - query[k];
                    distance += difference * difference;
                }
                beaten = distance > best;
            }
            // Equal distances keep the glyph placed first, the same every run.
            if (!beaten && (distance < best || i < chosen)) {
                best = distance;
                chosen = i;
            }
        };
        std::uint32_t i = node.first;
        for (; i + 4 <= node.last; i += 4) {
            Four sum{};
            for (int d = 0; d < kLead; ++d) {
                Four feature;
                std::memcpy(&feature, &lead_[d][i], sizeof(feature));
                const Four difference = feature - (Four{} + query[d]);
                sum += difference * difference;
            }
            float lanes[4];
            std::memcpy(lanes, &sum, sizeof(lanes));
            for (std::uint32_t lane = 0; lane < 4; ++lane) {
                if (lanes[lane] <= best) finish(i + lane, lanes[lane]);
            }
        }
        for (; i < node.last; ++i) {
            float distance = 0;
            for (int d = 0; d < kLead; ++d) {
                const float difference = lead_[d][i] - query[d];
                distance += difference * difference;
            }
            finish(i, distance);
        }
        return;
    }
    const float offset = query[node.dim] - node.split;
    const std::uint32_t nearer = offset < 0 ? node.below : node.above;
    const std::uint32_t farther = offset < 0 ? node.above : node.below;
    Search(nearer, query, reach, offsets, best, chosen);
    // The farther side is at least this far: the box's bound, with this
    // feature's part grown to the split.
    const float before = offsets[node.dim];
    const float farReach = reach - before * before + offset * offset;
    if (farReach <= best) {
        offsets[node.dim] = offset;
        Search(farther, query, farReach, offsets, best, chosen);
        offsets[node.dim] = before;
    }
}

std::size_t ShapeIndex::Bytes() const {
    std::size_t text = 0;
    for (const QString& glyph : glyphs_)
        text += sizeof(QString) + std::size_t(glyph.capacity()) * 2;
    return sizeof(*this) + shapes_.size() * (sizeof(GlyphShape) + 2 * sizeof(QChar)) + text +
           features_.size() * sizeof(float) * 2 + nodes_.size() * sizeof(Node);
}

std::size_t ShapeIndex::Nearest(const Patch& patch, float mean,
                                std::initializer_list<std::size_t> guesses) const {
    std::array<float, kDims> query{};
    query[0] = std::sqrt(weights_.tone * kPatchCells) * mean;
    const float patchMean = Mean(patch);
    for (int axis = 0; axis < kDims - 1; ++axis) {
        float along = 0;
        for (int k = 0; k < kPatchCells; ++k) along += axes_[axis][k] * (patch[k] - patchMean);
        query[axis + 1] = weights_.gain * along;
    }

    float best = std::numeric_limits<float>::infinity();
    std::size_t chosen = glyphs_.size();
    // A near guess rules out more of the tree from the start; the search
    // still finds the same glyph.
    for (const std::size_t guess : guesses) {
        if (guess >= glyphs_.size()) continue;
        float distance = 0;
        for (int k = 0; k < kDims; ++k) {
            const float difference = features_[guess * kDims + k] - query[k];
            distance += difference * difference;
        }
        if (distance < best || (distance == best && guess < chosen)) {
            best = distance;
            chosen = guess;
        }
    }
    std::array<float, kDims> offsets{};
    Search(0, query.data(), 0, offsets.data(), best, chosen);
    return chosen;
}

namespace {

// The share of sub-cells left beyond each end: from the bench, where a
// larger share lowers the tone's correlation below 0.98 with CP932.
constexpr double kClippedShare = 0.03;

ToneSpan SpanOf(const std::array<std::size_t, kLevels>& counts, std::size_t total) {
    const auto clipped = std::size_t(double(total) * kClippedShare);
    ToneSpan span;
    std::size_t seen = 0;
    while (span.dark < kLevels - 1 && seen + counts[std::size_t(span.dark)] <= clipped)
        seen += counts[std::size_t(span.dark++)];
    seen = 0;
    while (span.light > 0 && seen + counts[std::size_t(span.light)] <= clipped)
        seen += counts[std::size_t(span.light--)];
    if (span.light <= span.dark) return {};
    return span;
}

std::size_t LevelSlot(int level) { return std::size_t(std::clamp(level, 0, kLevels - 1)); }

}  // namespace

ToneSpan PictureSpan(const std::vector<int>& levels) {
    std::array<std::size_t, kLevels> counts{};
    for (const int level : levels) ++counts[LevelSlot(level)];
    return SpanOf(counts, levels.size());
}

ToneSpan PictureSpan(const LevelGrid& grid, int width, int height) {
    std::array<std::size_t, kLevels> counts{};
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) ++counts[LevelSlot(grid.at(column, row))];
    return SpanOf(counts, std::size_t(std::max(width, 0)) * std::size_t(std::max(height, 0)));
}

QString MatchShapes(const ShapeIndex& index, const std::vector<int>& levels, int columns, int rows,
                    ToneSpan span) {
    static const QString kLineEnd = QStringLiteral("\r\n");
    QString text;
    if (index.size() == 0 || columns <= 0 || rows <= 0) return text;
    text.reserve(qsizetype(columns + 2) * rows);
    const int width = columns * kPatchSide;
    const float lightest = index.lightest();
    const float range = index.densest() - lightest;
    if (span.light <= span.dark) span = {};
    const float spanWidth = float(span.light - span.dark);
    // The glyph last chosen in each column: the left neighbour's and the one above.
    std::vector<std::size_t> above(std::size_t(columns), index.size());
    Patch patch{};
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            for (int y = 0; y < kPatchSide; ++y) {
                const int* line = &levels[std::size_t(row * kPatchSide + y) * width +
                                          std::size_t(column) * kPatchSide];
                for (int x = 0; x < kPatchSide; ++x)
                    patch[y * kPatchSide + x] =
                        lightest +
                        range * std::clamp(float(span.light - line[x]) / spanWidth, 0.0f, 1.0f);
            }
            const std::size_t found = index.Nearest(
                patch, Mean(patch), {column > 0 ? above[column - 1] : index.size(), above[column]});
            above[column] = found;
            text += index.glyph(found);
        }
        if (row + 1 < rows) text += kLineEnd;
    }
    return text;
}

TextArt RenderShapes(const LevelGrid& grid, int width, int height, const Adjustment& adjustment,
                     const ShapeIndex& index, ToneSpan span) {
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
    art.text = MatchShapes(index, art.levels, width / kPatchSide, height / kPatchSide, span);
    return art;
}

}  // namespace glyph
