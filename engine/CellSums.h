#pragma once

#include <cstdint>
#include <vector>

namespace glyph {

// A rectangle of a picture cut into cells, each cell's level the area average
// of the gray levels of the pixels it covers: every pixel weighted by the part
// of it inside the cell. A cell that covers exactly one pixel has that
// pixel's level.
//
// Pixels arrive as decoded rows, which may be a scaled and turned copy of the
// picture: each axis of the decoded raster maps onto one axis of the upright
// cells, possibly reflected. Positions are whole numbers of a unit fine
// enough for every cell and pixel edge, so the sums are exact and the same
// picture gives the same levels however it is stored.

// One axis of the decoded raster: pixel p spans [p * unit, (p + 1) * unit),
// cell k spans [start + k * step, start + (k + 1) * step).
struct CellAxis {
    std::int64_t unit = 1;
    __int128 start = 0;
    std::int64_t step = 1;
    int cells = 1;
    bool reflected = false;  // the upright cells run the other way
};

// The axis for cells over [start, start + length) of a stored side of
// `extent` pixels that is decoded as `decoded` pixels.
CellAxis MakeCellAxis(std::int64_t start, std::int64_t length, int cells, bool reflected,
                      std::int64_t extent, std::int64_t decoded);

class CellSums {
  public:
    // The last of `pixels` decoded pixels along the axis that a cell covers:
    // what must be decoded, known before anything is.
    static int LastPixel(const CellAxis& axis, int pixels);

    // The bytes the sums over these axes take, with the levels and colours
    // they give: known before any is laid out.
    static std::int64_t Bytes(const CellAxis& across, const CellAxis& down, int decodedWidth,
                              int decodedHeight);

    // `across` is the decoded rows' axis (x), `down` the columns' axis (y);
    // `transposed` when decoded x runs along the upright cells' rows.
    CellSums(CellAxis across, CellAxis down, bool transposed, int decodedWidth, int decodedHeight);

    // The last decoded row that holds a pixel of a cell: later rows can be
    // left undecoded.
    int LastRow() const { return lastRow_; }

    // Decoded row y, as 0xAARRGGBB pixels over the whole decoded width, alpha
    // already laid over white.
    void AddRow(int y, const std::uint32_t* row);
    // The same row as gray levels alone, one a pixel: the cells get levels
    // and no colours (Colours() is then black). `halfLower`: each stands for
    // half a level less.
    void AddGrayRow(int y, const std::uint8_t* levels, bool halfLower = false);

    // Upright, row by row: the level of each cell, and its mean colour.
    int columns() const;
    int rows() const;
    std::vector<int> Levels() const;
    std::vector<std::uint32_t> Colours() const;  // 0xFFRRGGBB

  private:
    // The (at most two) cells a decoded pixel overlaps, with the overlap.
    struct Share {
        int cell[2] = {-1, -1};
        std::int64_t weight[2] = {0, 0};
    };
    // Pixels [begin, end) of a row lie wholly in one cell: summed unweighted
    // in a tight loop, weighted once.
    struct Run {
        int cell;
        int begin;
        int end;
    };
    // A pixel on a cell's edge: its share of one of the cells it straddles.
    struct Part {
        int x;
        int cell;
        std::int64_t weight;
    };
    // Sums of gray, red, green, blue, each weighted, and of the weights.
    template <typename T>
    struct Sums {
        T value[5] = {};
    };
    static std::vector<Share> Shares(const CellAxis& axis, int pixels);
    void CutRow(const std::vector<Share>& columns);
    template <typename Pixel>
    void Add(int y, const Pixel* row);
    int UprightIndex(int acrossCell, int downCell) const;

    CellAxis across_;
    CellAxis down_;
    bool transposed_;
    std::vector<Run> runs_;
    std::vector<Part> parts_;
    std::vector<Share> rowShares_;
    int lastRow_ = -1;
    bool halfLower_ = false;
    std::vector<Sums<std::uint64_t>> row_;        // the row being added, per cell column
    std::vector<Sums<unsigned __int128>> cells_;  // decoded order, across fastest
};

}  // namespace glyph
