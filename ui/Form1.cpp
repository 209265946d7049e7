#include "ui/Form1.h"

#include <QAction>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "glyphs/RampSource.h"
#include "glyphs/ShapeSource.h"
#include "ui/BlockMover.h"
#include "ui/ClientArea.h"
#include "ui/ColourView.h"
#include "ui/FileCommands.h"
#include "ui/FramingChooser.h"
#include "ui/Layout.h"
#include "ui/PictureBox.h"
#include "ui/Remembered.h"
#include "ui/TextZoom.h"
#include "ui/Texts.h"

namespace glyph {

namespace {

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {256, 128, 64, 32, 16}) {
        icon.addFile(QStringLiteral(":/icons/glyphorama-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace

Form1::Form1(PlatformServices& services, TwipScale scale, QString appPath)
    : services_(services), scale_(scale), appPath_(std::move(appPath)) {
    setWindowTitle(texts::kAppTitle);
    setWindowIcon(ProgramIcon());
    client_ = new ClientArea(scale_, this);
    setCentralWidget(client_);
    CreateControls();
    CreateActions();
    SetTabOrder();
    resize(TwipsToPixels(layout::kClientWidth, scale_.x),
           TwipsToPixels(layout::kClientHeight, scale_.y) + menuBar()->sizeHint().height());
    connect(client_, &ClientArea::resized, this, &Form1::Form_Resize);
    Form_Load();
}

// The block mover watches a view that outlives the document; it goes first.
Form1::~Form1() {
    delete mover_;
    delete chooser_;
}

// Created bottom-most first: the frames, the pictures, the text; the buttons
// come with the commands, on top.
void Form1::CreateControls() {
    auto frame = [this](const char* name, const layout::Box& box) {
        auto* frame = new QFrame(client_);
        frame->setObjectName(QString::fromUtf8(name));
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        frame->setFocusPolicy(Qt::TabFocus);
        PlaceInTwips(frame, box, scale_);
        return frame;
    };
    frames_ = {frame("Picture3", layout::kPicture3), frame("Picture4", layout::kPicture4)};
    picture1_ = new PictureBox(scale_, layout::kPicture1, client_);
    picture1_->setToolTip(texts::kPicture1Tip);
    picture2_ = new PictureBox(scale_, layout::kPicture2, client_);
    picture2_->setToolTip(texts::kPicture2Tip);

    text1_ = new QPlainTextEdit(client_);
    text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Ctrl+Z and Ctrl+Y belong to the picture history, not to the text box.
    text1_->setUndoRedoEnabled(false);
    text1_->installEventFilter(this);
    PlaceInTwips(text1_, layout::kText1, scale_);
    colourView_ = new ColourView(text1_->document());
    text1_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(text1_, &QWidget::customContextMenuRequested, this, &Form1::ShowTextMenu);
}

void Form1::Form_Load() {
    textLeft_ = RoundHalfEven(static_cast<double>(text1_->x()) * scale_.x);
    const ArtRamps ramps = LoadArtRamps(appPath_ + QStringLiteral("/moji.txt"));
    for (const QString& note : ramps.loaded.notes) services_.Note(note);
    document_ = ramps.measured ? std::make_unique<Document>(ramps.loaded.ramp, &MeasuredArtRamp)
                               : std::make_unique<Document>(ramps.loaded.ramp);
    document_->UseShapes(&FontShapes);
    files_ = std::make_unique<FileCommands>(services_, this, *document_, [this] { return Text(); });
    mover_ = new BlockMover(*document_, picture1_, this);
    connect(mover_, &BlockMover::failed, this, &Form1::ShowUnreadable);
    chooser_ = new FramingChooser(*document_, picture1_, this);
    connect(chooser_, &FramingChooser::chosen, this, &Form1::Reframe);
    connect(chooser_, &FramingChooser::drawing, document_.get(), &Document::PreviewRectangle);
    zoom_ = new TextZoom(text1_, this);
    RestoreChoices();
    AcceptDroppedPictures();
    connect(document_.get(), &Document::changed, this, &Form1::ShowDocument);
    UpdateActions();
}

void Form1::RestoreChoices() {
    const Choices choices = LoadChoices();
    chooser_->Start(choices.mode, choices.match);
    viewColour_->setChecked(choices.colourView);
    colourView_->SetOn(choices.colourView);
    if (choices.zoom) zoom_->Choose(*choices.zoom);
    connect(zoom_, &TextZoom::chosen, this,
            [this](qreal size) { RememberZoom(size, zoom_->UsualSize()); });
}

void Form1::Form_Resize() {
    double width = static_cast<double>(client_->width()) * scale_.x - textLeft_;
    double height = static_cast<double>(client_->height()) * scale_.y;
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    text1_->setGeometry(TwipsToPixels(textLeft_, scale_.x), 0, TwipsToPixels(width, scale_.x),
                        TwipsToPixels(height, scale_.y));
}

// The box's own entries (copy, paste, select all, ...), then ours.
void Form1::ShowTextMenu(QPoint at) {
    const std::unique_ptr<QMenu> menu(text1_->createStandardContextMenu(at));
    menu->addSeparator();
    for (QMenu* ours : textMenus_) menu->addMenu(ours);
    menu->exec(text1_->viewport()->mapToGlobal(at));
}

QString Form1::Text() const {
    // The text box keeps line breaks as LF; the program's text uses CR LF.
    QString text = text1_->toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

// The menu commands' shortcuts win over the text box's own key bindings.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text1_->viewport()) {
        return FilterTextBoxDrop(event) || QMainWindow::eventFilter(watched, event);
    }
    if (watched != text1_ || event->type() != QEvent::ShortcutOverride) {
        return QMainWindow::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* action : findChildren<QAction*>()) {
        if (action->shortcuts().contains(pressed)) {
            event->ignore();
            return true;
        }
    }
    return false;
}

}  // namespace glyph
