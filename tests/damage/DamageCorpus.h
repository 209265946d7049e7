#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

namespace glyph::damage {

// One damaged (or, as a reference, sound) picture file and what opening it must give.
struct DamageCase {
    QString name;  // the file's name, saying what is damaged and how
    QByteArray bytes;
    bool opens = false;      // false: refused with the message
    bool mayRefuse = false;  // opens, or is refused: libjpeg decides what a cut table means
    QSize size{};            // the region's size when it opens
    QImage exact{};          // the region's pixels, where the damage leaves them known
    QImage sound{};          // else, where known: each pixel is this picture's or the BMP fill
    QRect fillArea{};        // pixels that must be the decoder's fill colour
    QRgb fillColour = 0;
};

// Entropy-coded bytes in [from, to) flipped at `count` places without making
// a marker, so that the damage is all in the coded data.
QByteArray Flipped(QByteArray bytes, qsizetype from, qsizetype to, int count);

// The picture the sound files hold: never black or mid-gray, so that a pixel the decoder
// fills in cannot pass for one the file holds.
QImage SourcePicture(int width, int height);

// Sound files of every kind the reader supports, each damaged in many ways: cut at many
// offsets, header fields set to extreme values, RLE streams that overrun, palette indexes
// past the palette, JPEG codings that are refused.
std::vector<DamageCase> DamageCorpus();

// The same for PNG, GIF, WebP and TIFF.
void AddMoreFormats(std::vector<DamageCase>& corpus);

// Files for the whole-picture path: JPEGs decoded scaled, PNGs streamed, and
// JPEG, PNG, WebP and TIFF files with orientation tags no camera writes.
void AddWholePictureCases(std::vector<DamageCase>& corpus);

}  // namespace glyph::damage
