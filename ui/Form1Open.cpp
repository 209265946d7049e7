#include "ui/Form1.h"
#include "ui/Layout.h"
#include "ui/Texts.h"
#include "workspace/Measure.h"
#include "workspace/PictureFile.h"

namespace glyph {

void Form1::OpenImage() {
    CommonDialog1.Flags = CommonDialog::kHideReadOnly;
    CommonDialog1.Filter = texts::kOpenFilter;
    CommonDialog1.FilterIndex = 1;
    if (!CommonDialog1.ShowOpen()) return;
    const QString fileName = CommonDialog1.FileName;

    // Everything is read before anything changes, so a file that cannot be
    // read leaves the window as it was.
    std::int32_t width = 0;
    std::int32_t height = 0;
    QString error;
    if (!MeasurePicture(fileName, width, height, &error)) return ShowUnreadable(fileName);
    width = ClampImageSize(width);
    height = ClampImageSize(height);
    const PictureRead picture = ReadPictureRegion(fileName, QSize(width, height));
    if (!picture.ok()) return ShowUnreadable(fileName);

    ImageWidth = width;
    ImageHeight = height;
    Picture1().SetWidth(scale_.x * static_cast<float>(ImageWidth));
    Picture1().SetHeight(scale_.y * static_cast<float>(ImageHeight));
    Picture2().SetWidth(scale_.x * static_cast<float>(ImageWidth));
    Picture2().SetHeight(scale_.y * static_cast<float>(ImageHeight));
    Picture1().SetLeft(layout::kPicture1CentreX - Picture1().Width() / 2);
    Picture1().SetTop(layout::kPicture1CentreY - Picture1().Height() / 2);
    Picture2().SetLeft(Picture1().Left());
    Picture2().SetTop(layout::kPicture2CentreY - Picture2().Height() / 2);
    Picture1().SetPicture(picture.image);

    RenderTextArt(Picture1(), Adjustment{});
    history().Seed(Picture3().Image(), Picture2().Image());
}

void Form1::ShowUnreadable(const QString& fileName) {
    const QString crlf = QStringLiteral("\r\n");
    ShowNotice(fileName + crlf + texts::kUnreadableLine1 + crlf + texts::kUnreadableLine2,
               texts::kAppTitle, QMessageBox::Critical);
}

void Form1::ShowNotice(const QString& text, const QString& caption, QMessageBox::Icon icon) {
    MessageRequest message;
    message.text = text;
    message.caption = caption;
    message.icon = icon;
    services_.ShowMessage(this, message);
}

}  // namespace glyph
