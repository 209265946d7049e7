#include <QPlainTextEdit>

#include "ui/BlockMover.h"
#include "ui/ColourView.h"
#include "ui/Form1.h"
#include "ui/FramingChooser.h"
#include "ui/Layout.h"
#include "ui/PictureBox.h"
#include "ui/Remembered.h"
#include "ui/TextZoom.h"
#include "ui/Texts.h"

namespace glyph {

namespace {

// The preview: each level painted as the gray of that level; a cell's patch,
// when shapes are matched, shown as its average.
QImage GrayImage(const TextArt& art, QSize cells) {
    QImage image(art.width, art.height, QImage::Format_Grayscale8);
    for (int row = 0; row < art.height; ++row) {
        uchar* line = image.scanLine(row);
        for (int column = 0; column < art.width; ++column) {
            line[column] = static_cast<uchar>(art.level(column, row));
        }
    }
    if (image.size() == cells || cells.isEmpty()) return image;
    return image.scaled(cells, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The chosen rectangle over the overview, in its pixels.
QRect OverviewMark(Document& document) {
    const QSize shown = document.overview().size();
    const QSize picture = document.block().pictureSize;
    const QRect area = document.area();
    if (picture.isEmpty()) return {};
    const auto x = [&](int at) { return int(qint64(at) * shown.width() / picture.width()); };
    const auto y = [&](int at) { return int(qint64(at) * shown.height() / picture.height()); };
    // At least a pixel each way, so a small rectangle still shows.
    const QPoint from(x(area.left()), y(area.top()));
    const QPoint to(std::max(x(area.right() + 1), from.x() + 1),
                    std::max(y(area.bottom() + 1), from.y() + 1));
    return QRect(from, to - QPoint(1, 1));
}

}  // namespace

// Every change of the document: the pictures take the opened block's size,
// they and the text are shown again, and the commands follow.
void Form1::ShowDocument() {
    PlacePictures();
    const bool reduced = document_->framing().Reduces();
    picture1_->SetPicture(reduced ? document_->overview() : document_->block().pixels);
    picture1_->SetMark(document_->framing().mode == Framing::Mode::kRectangle
                           ? OverviewMark(*document_)
                           : QRect());
    picture2_->SetPicture(GrayImage(document_->art(), document_->cells()));
    // Painted as the text is set; made only while they are shown.
    colourView_->SetColours(colourView_->isOn() ? ShownColours(*document_) : CellColours{}, false);
    ZoomForArt();
    text1_->setPlainText(document_->text());
    UpdateActions();
    ShowBlockPlace();
}

// Before the text is set, so that it is laid out once.
void Form1::ZoomForArt() {
    const Framing& framing = document_->framing();
    const ShownArt now{document_->path(), framing.mode, framing.match, document_->cells()};
    if (!framing.Reduces() && zoom_->IsFitted()) {
        text1_->clear();  // the reduced art is not laid out again on its way out
        zoom_->ShowChosen();
    } else if (framing.Reduces() && now != shown_) {
        zoom_->FitText(document_->text());
    }
    shown_ = now;
}

void Form1::ShowColours() {
    colourView_->SetColours(ShownColours(*document_), false);
    colourView_->SetOn(viewColour_->isChecked());
    RememberColourView(viewColour_->isChecked());
}

// Where the block stands, for a picture it can move over; what the art is
// made of in the other modes.
void Form1::ShowBlockPlace() {
    mover_->RefreshCursor();
    chooser_->RefreshCursor();
    const Block& block = document_->block();
    const QSize picture = block.pictureSize;
    if (document_->framing().mode == Framing::Mode::kWhole)
        return picture1_->setToolTip(texts::kWholeTip.arg(picture.width()).arg(picture.height()));
    if (document_->framing().mode == Framing::Mode::kRectangle) {
        const QRect area = document_->area();
        return picture1_->setToolTip(texts::kRectangleTip.arg(block.origin.x())
                                         .arg(block.origin.y())
                                         .arg(area.width())
                                         .arg(area.height())
                                         .arg(picture.width())
                                         .arg(picture.height()));
    }
    picture1_->setToolTip(document_->CanMoveBlock() ? texts::kBlockTip.arg(block.origin.x())
                                                          .arg(block.origin.y())
                                                          .arg(block.pictureSize.width())
                                                          .arg(block.pictureSize.height())
                                                    : texts::kPicture1Tip);
}

// Both pictures take the block's size, centred on their frames; the whole
// picture's overview takes its own.
void Form1::PlacePictures() {
    const QSize upper = document_->framing().Reduces()
                            ? document_->overview().size()
                            : QSize(document_->ImageWidth(), document_->ImageHeight());
    const float width = scale_.x * static_cast<float>(upper.width());
    const float height = scale_.y * static_cast<float>(upper.height());
    picture1_->Move(layout::kPicture1CentreX - width / 2, layout::kPicture1CentreY - height / 2,
                    width, height);
    const float artWidth = scale_.x * static_cast<float>(document_->cells().width());
    const float artHeight = scale_.y * static_cast<float>(document_->cells().height());
    picture2_->Move(layout::kPicture1CentreX - artWidth / 2,
                    layout::kPicture2CentreY - artHeight / 2, artWidth, artHeight);
}

}  // namespace glyph
