#include <QPlainTextEdit>

#include "ui/BlockMover.h"
#include "ui/Form1.h"
#include "ui/Layout.h"
#include "ui/SurfaceView.h"
#include "ui/Texts.h"

namespace glyph {

// Every change of the document: the surfaces take the opened block's size,
// the pictures and the text are shown again, and the commands follow.
void Form1::ShowDocument() {
    PlaceSurfaces();
    picture1_->SetPicture(document_->block().pixels);
    PaintPreview();
    ui_.Text1->setPlainText(document_->text());
    SetAdjustEnabled(document_->HasPicture());
    RefreshUndoRedo();
    ShowBlockPlace();
}

// Where the block stands, for a picture it can move over.
void Form1::ShowBlockPlace() {
    mover_->RefreshEnabled();
    const Block& block = document_->block();
    ui_.Picture1View->setToolTip(document_->CanMoveBlock() ? texts::kBlockTip.arg(block.origin.x())
                                                                 .arg(block.origin.y())
                                                                 .arg(block.pictureSize.width())
                                                                 .arg(block.pictureSize.height())
                                                           : texts::kPicture1Tip);
}

// Both surfaces take the block's size, centred on their frames.
void Form1::PlaceSurfaces() {
    const float width = scale_.x * static_cast<float>(document_->ImageWidth());
    const float height = scale_.y * static_cast<float>(document_->ImageHeight());
    picture1_->SetWidth(width);
    picture1_->SetHeight(height);
    picture2_->SetWidth(width);
    picture2_->SetHeight(height);
    picture1_->SetLeft(layout::kPicture1CentreX - picture1_->Width() / 2);
    picture1_->SetTop(layout::kPicture1CentreY - picture1_->Height() / 2);
    picture2_->SetLeft(picture1_->Left());
    picture2_->SetTop(layout::kPicture2CentreY - picture2_->Height() / 2);
}

void Form1::PaintPreview() {
    const TextArt& art = document_->art();
    for (int row = 0; row < art.height; ++row) {
        for (int column = 0; column < art.width; ++column) {
            picture2_->PSet(static_cast<float>(column) * scale_.x,
                            static_cast<float>(row) * scale_.y, GrayColour(art.level(column, row)));
        }
    }
    picture2_->NotifyChanged();
}

}  // namespace glyph
