#include "engine/CellSums.h"

#include <algorithm>

#include "engine/Levels.h"

namespace glyph {

namespace {

constexpr int kGray = 0, kRed = 1, kGreen = 2, kBlue = 3, kWeight = 4;

// sum / weight to the nearest whole number, exact halves to the even one.
int RoundedMean(unsigned __int128 sum, unsigned __int128 weight) {
    if (weight == 0) return 0;
    const unsigned __int128 quotient = sum / weight;
    const unsigned __int128 twice = 2 * (sum % weight);
    const bool up = twice > weight || (twice == weight && (quotient & 1) != 0);
    return int(quotient + (up ? 1 : 0));
}

}  // namespace

CellAxis MakeCellAxis(std::int64_t start, std::int64_t length, int cells, bool reflected,
                      std::int64_t extent, std::int64_t decoded) {
    // In units of 1 / (cells x decoded) stored pixels every edge is whole.
    return {extent * cells, __int128(start) * cells * decoded, length * decoded, cells, reflected};
}

CellSums::CellSums(CellAxis across, CellAxis down, bool transposed, int decodedWidth,
                   int decodedHeight)
    : across_(across),
      down_(down),
      transposed_(transposed),
      rowShares_(Shares(down, LastPixel(down, decodedHeight) + 1)),
      row_(std::size_t(across.cells)),
      cells_(std::size_t(across.cells) * std::size_t(down.cells)) {
    CutRow(Shares(across, LastPixel(across, decodedWidth) + 1));
    for (int y = int(rowShares_.size()) - 1; y >= 0 && lastRow_ < 0; --y) {
        if (rowShares_[std::size_t(y)].cell[0] >= 0) lastRow_ = y;
    }
}

void CellSums::CutRow(const std::vector<Share>& columns) {
    const std::int64_t unit = across_.unit;
    for (int x = 0; x < int(columns.size()); ++x) {
        const Share& column = columns[std::size_t(x)];
        if (column.cell[0] < 0) continue;
        if (column.cell[1] < 0 && column.weight[0] == unit) {
            if (!runs_.empty() && runs_.back().cell == column.cell[0] && runs_.back().end == x)
                ++runs_.back().end;
            else
                runs_.push_back({column.cell[0], x, x + 1});
            continue;
        }
        for (int j = 0; j < 2 && column.cell[j] >= 0; ++j)
            parts_.push_back({x, column.cell[j], column.weight[j]});
    }
}

std::int64_t CellSums::Bytes(const CellAxis& across, const CellAxis& down, int decodedWidth,
                             int decodedHeight) {
    const std::int64_t shares =
        std::int64_t(LastPixel(across, decodedWidth) + 1) + (LastPixel(down, decodedHeight) + 1);
    const std::int64_t cells = std::int64_t(across.cells) * down.cells;
    return shares * std::int64_t(sizeof(Share)) +
           across.cells * std::int64_t(2 * sizeof(Sums<std::uint64_t>)) +
           cells *
               std::int64_t(sizeof(Sums<unsigned __int128>) + sizeof(int) + sizeof(std::uint32_t));
}

int CellSums::LastPixel(const CellAxis& axis, int pixels) {
    const __int128 end = axis.start + __int128(axis.step) * axis.cells;
    const __int128 covered = (end + axis.unit - 1) / axis.unit;  // pixels up to the cells' end
    return int(std::min<__int128>(covered, pixels)) - 1;
}

std::vector<CellSums::Share> CellSums::Shares(const CellAxis& axis, int pixels) {
    std::vector<Share> shares(std::size_t(std::max(pixels, 0)));
    const __int128 end = axis.start + __int128(axis.step) * axis.cells;
    for (int p = 0; p < pixels; ++p) {
        const __int128 from = std::max<__int128>(__int128(p) * axis.unit, axis.start);
        const __int128 to = std::min<__int128>(__int128(p + 1) * axis.unit, end);
        if (to <= from) continue;
        Share& share = shares[std::size_t(p)];
        int cell = int((from - axis.start) / axis.step);
        for (int k = 0; k < 2 && cell < axis.cells; ++k, ++cell) {
            const __int128 cellFrom = axis.start + __int128(axis.step) * cell;
            const __int128 overlap =
                std::min<__int128>(to, cellFrom + axis.step) - std::max(from, cellFrom);
            if (overlap <= 0) break;
            share.cell[k] = cell;
            share.weight[k] = std::int64_t(overlap);
        }
    }
    return shares;
}

namespace {

// What a decoded pixel adds to its cell's sums: its level, and its colour
// when the row has one.
struct PixelSums {
    std::uint64_t value[4] = {};  // gray, red, green, blue

    void Add(std::uint32_t pixel) {
        const int r = int((pixel >> 16) & 0xFF);
        const int g = int((pixel >> 8) & 0xFF);
        const int b = int(pixel & 0xFF);
        value[kGray] += std::uint64_t(GrayLevel(Rgb(r, g, b)));
        value[kRed] += std::uint64_t(r);
        value[kGreen] += std::uint64_t(g);
        value[kBlue] += std::uint64_t(b);
    }
    void Add(std::uint8_t level) { value[kGray] += level; }
};

}  // namespace

void CellSums::AddRow(int y, const std::uint32_t* row) { Add(y, row); }

void CellSums::AddGrayRow(int y, const std::uint8_t* levels, bool halfLower) {
    halfLower_ = halfLower_ || halfLower;
    Add(y, levels);
}

template <typename Pixel>
void CellSums::Add(int y, const Pixel* row) {
    if (y < 0 || y > lastRow_) return;
    const Share& rowShare = rowShares_[std::size_t(y)];
    if (rowShare.cell[0] < 0) return;
    std::fill(row_.begin(), row_.end(), Sums<std::uint64_t>{});
    const std::uint64_t unit = std::uint64_t(across_.unit);
    // Most pixels lie wholly in one cell: counted, and weighted once a row.
    for (const Run& run : runs_) {
        PixelSums sums;
        for (int x = run.begin; x < run.end; ++x) sums.Add(row[x]);
        std::uint64_t* cell = row_[std::size_t(run.cell)].value;
        for (int i = kGray; i <= kBlue; ++i) cell[i] += sums.value[i] * unit;
        cell[kWeight] += std::uint64_t(run.end - run.begin) * unit;
    }
    for (const Part& part : parts_) {
        PixelSums sums;
        sums.Add(row[part.x]);
        const std::uint64_t w = std::uint64_t(part.weight);
        std::uint64_t* cell = row_[std::size_t(part.cell)].value;
        for (int i = kGray; i <= kBlue; ++i) cell[i] += sums.value[i] * w;
        cell[kWeight] += w;
    }
    for (int k = 0; k < 2 && rowShare.cell[k] >= 0; ++k) {
        const unsigned __int128 w = std::uint64_t(rowShare.weight[k]);
        Sums<unsigned __int128>* line = &cells_[std::size_t(rowShare.cell[k]) * row_.size()];
        for (std::size_t c = 0; c < row_.size(); ++c) {
            for (int i = 0; i < 5; ++i) line[c].value[i] += row_[c].value[i] * w;
        }
    }
}

int CellSums::columns() const { return transposed_ ? down_.cells : across_.cells; }
int CellSums::rows() const { return transposed_ ? across_.cells : down_.cells; }

int CellSums::UprightIndex(int acrossCell, int downCell) const {
    const int a = across_.reflected ? across_.cells - 1 - acrossCell : acrossCell;
    const int d = down_.reflected ? down_.cells - 1 - downCell : downCell;
    return transposed_ ? a * columns() + d : d * columns() + a;
}

std::vector<int> CellSums::Levels() const {
    std::vector<int> levels(cells_.size(), 0);
    for (std::size_t cell = 0; cell < cells_.size(); ++cell) {
        const int a = int(cell % std::size_t(across_.cells));
        const int d = int(cell / std::size_t(across_.cells));
        const auto& sums = cells_[cell].value;
        const unsigned __int128 weight = sums[kWeight];
        levels[std::size_t(UprightIndex(a, d))] =
            !halfLower_                ? RoundedMean(sums[kGray], weight)
            : 2 * sums[kGray] < weight ? 0
                                       : RoundedMean(2 * sums[kGray] - weight, 2 * weight);
    }
    return levels;
}

std::vector<std::uint32_t> CellSums::Colours() const {
    std::vector<std::uint32_t> colours(cells_.size(), 0xFF000000u);
    for (std::size_t cell = 0; cell < cells_.size(); ++cell) {
        const int a = int(cell % std::size_t(across_.cells));
        const int d = int(cell / std::size_t(across_.cells));
        const auto& sums = cells_[cell].value;
        const auto mean = [&sums](int i) {
            return std::uint32_t(RoundedMean(sums[i], sums[kWeight]));
        };
        colours[std::size_t(UprightIndex(a, d))] =
            0xFF000000u | (mean(kRed) << 16) | (mean(kGreen) << 8) | mean(kBlue);
    }
    return colours;
}

}  // namespace glyph
