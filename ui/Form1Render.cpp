#include <QPlainTextEdit>

#include "ui/BlockMover.h"
#include "ui/Form1.h"
#include "ui/Layout.h"
#include "ui/PictureBox.h"
#include "ui/Texts.h"

namespace glyph {

namespace {

// The preview: each level painted as the gray of that level.
QImage GrayImage(const TextArt& art) {
    QImage image(art.width, art.height, QImage::Format_Grayscale8);
    for (int row = 0; row < art.height; ++row) {
        uchar* line = image.scanLine(row);
        for (int column = 0; column < art.width; ++column) {
            line[column] = static_cast<uchar>(art.level(column, row));
        }
    }
    return image;
}

}  // namespace

// Every change of the document: the pictures take the opened block's size,
// they and the text are shown again, and the commands follow.
void Form1::ShowDocument() {
    PlacePictures();
    picture1_->SetPicture(document_->block().pixels);
    picture2_->SetPicture(GrayImage(document_->art()));
    text1_->setPlainText(document_->text());
    RefreshEnabled();
    ShowBlockPlace();
}

// Where the block stands, for a picture it can move over.
void Form1::ShowBlockPlace() {
    mover_->RefreshCursor();
    const Block& block = document_->block();
    picture1_->setToolTip(document_->CanMoveBlock() ? texts::kBlockTip.arg(block.origin.x())
                                                          .arg(block.origin.y())
                                                          .arg(block.pictureSize.width())
                                                          .arg(block.pictureSize.height())
                                                    : texts::kPicture1Tip);
}

// Both pictures take the block's size, centred on their frames.
void Form1::PlacePictures() {
    const float width = scale_.x * static_cast<float>(document_->ImageWidth());
    const float height = scale_.y * static_cast<float>(document_->ImageHeight());
    picture1_->Move(layout::kPicture1CentreX - width / 2, layout::kPicture1CentreY - height / 2,
                    width, height);
    picture2_->Move(picture1_->Left(), layout::kPicture2CentreY - height / 2, width, height);
}

}  // namespace glyph
