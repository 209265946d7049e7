#include "ui/Form1.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdio>

#include "ui/BlockMover.h"
#include "ui/ClientArea.h"
#include "ui/Layout.h"
#include "ui/SurfaceView.h"
#include "ui/TextZoom.h"
#include "ui/Texts.h"
#include "workspace/NativePath.h"
#include "workspace/RampFile.h"

namespace glyph {

namespace {

constexpr QSize kButtonPictureSize(16, 16);

// Pictures of the picture buttons, by Adjust index (0..3), then undo and redo.
const QString kAdjustPictures[4] = {
    QStringLiteral(":/buttons/brighter.png"),
    QStringLiteral(":/buttons/darker.png"),
    QStringLiteral(":/buttons/more-contrast.png"),
    QStringLiteral(":/buttons/less-contrast.png"),
};
const QString kUndoPicture = QStringLiteral(":/buttons/undo.png");
const QString kRedoPicture = QStringLiteral(":/buttons/redo.png");

QIcon ProgramIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/glyphorama-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/icons/glyphorama-16.png"), QSize(16, 16));
    return icon;
}

}  // namespace

Form1::Form1(PlatformServices& services, TwipScale scale, QString appPath)
    : services_(services),
      scale_(scale),
      appPath_(std::move(appPath)),
      CommonDialog1(services, this) {
    setWindowTitle(texts::kAppTitle);
    setWindowIcon(ProgramIcon());
    ui_.client = new ClientArea(scale_, this);
    setCentralWidget(ui_.client);
    CreateSurfaces();
    CreateControls();
    CreateMenus();
    SetTabOrder();
    resize(TwipsToPixels(layout::kClientWidth, scale_.x),
           TwipsToPixels(layout::kClientHeight, scale_.y) + menuBar()->sizeHint().height());
    connect(ui_.client, &ClientArea::resized, this, &Form1::Form_Resize);
    Form_Load();
}

// The block mover watches a view that outlives the document; it goes first.
Form1::~Form1() { delete mover_; }

void Form1::CreateSurfaces() {
    const QColor background = palette().color(QPalette::Window);
    auto surface = [&](const layout::Box& box) {
        return std::make_unique<PictureSurface>(scale_, box.left, box.top, box.width, box.height,
                                                background);
    };
    picture3_ = surface(layout::kPicture3);
    picture4_ = surface(layout::kPicture4);
    picture1_ = surface(layout::kPicture1);
    picture2_ = surface(layout::kPicture2);
}

void Form1::CreateControls() {
    // Created bottom-most first: the frames, the pictures, the text, the buttons.
    ui_.Picture3View = new SurfaceView(*picture3_, true, ui_.client);
    ui_.Picture4View = new SurfaceView(*picture4_, true, ui_.client);
    ui_.Picture1View = new SurfaceView(*picture1_, false, ui_.client);
    ui_.Picture1View->setToolTip(texts::kPicture1Tip);
    ui_.Picture2View = new SurfaceView(*picture2_, false, ui_.client);
    ui_.Picture2View->setToolTip(texts::kPicture2Tip);
    for (SurfaceView* view :
         {ui_.Picture1View, ui_.Picture2View, ui_.Picture3View, ui_.Picture4View}) {
        view->setFocusPolicy(Qt::TabFocus);
    }

    ui_.Text1 = new QPlainTextEdit(ui_.client);
    ui_.Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    ui_.Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ui_.Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Ctrl+Z and Ctrl+Y belong to the picture history, not to the text box.
    ui_.Text1->setUndoRedoEnabled(false);
    ui_.Text1->installEventFilter(this);
    auto place = [this](QWidget* widget, const layout::Box& box) {
        widget->setGeometry(TwipsToPixels(box.left, scale_.x), TwipsToPixels(box.top, scale_.y),
                            TwipsToPixels(box.width, scale_.x),
                            TwipsToPixels(box.height, scale_.y));
    };
    place(ui_.Text1, layout::kText1);

    for (int i = 0; i < 6; ++i) {
        ui_.Adjust[i] = new QPushButton(ui_.client);
        ui_.Adjust[i]->setToolTip(texts::kAdjustTips[i]);
        place(ui_.Adjust[i], layout::kAdjust[i]);
        connect(ui_.Adjust[i], &QPushButton::clicked, this,
                [this, i] { Adjust_Click(static_cast<std::int16_t>(i)); });
    }
    for (int i = 0; i < 4; ++i) {
        ui_.Adjust[i]->setIcon(QIcon(kAdjustPictures[i]));
        ui_.Adjust[i]->setIconSize(kButtonPictureSize);
    }
    ui_.Adjust[4]->setText(texts::kAutoLevelCaption);
    ui_.Adjust[5]->setText(texts::kResetCaption);

    ui_.undo = new QPushButton(QIcon(kUndoPicture), QString(), ui_.client);
    ui_.redo = new QPushButton(QIcon(kRedoPicture), QString(), ui_.client);
    for (QPushButton* button : {ui_.undo, ui_.redo}) button->setIconSize(kButtonPictureSize);
    place(ui_.undo, layout::kUndo);
    place(ui_.redo, layout::kRedo);
    connect(ui_.undo, &QPushButton::clicked, this, &Form1::undo_Click);
    connect(ui_.redo, &QPushButton::clicked, this, &Form1::redo_Click);
}

void Form1::CreateMenus() {
    auto item = [this](QMenu* menu, const QString& caption, QKeySequence shortcut, auto handler) {
        QAction* action = menu->addAction(caption);
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    const QKeySequence none;

    ui_.mnFile = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    ui_.mnFileOpen = item(ui_.mnFile, QStringLiteral("画像を開く(&O)"), Qt::CTRL | Qt::Key_O,
                          [this] { mnFileOpen_Click(); });
    ui_.mnFileSave = item(ui_.mnFile, QStringLiteral("保存(&S)"), Qt::CTRL | Qt::Key_S,
                          [this] { mnFileSave_Click(); });
    ui_.mnFilePrint = item(ui_.mnFile, QStringLiteral("印刷(&P)"), Qt::CTRL | Qt::Key_P,
                           [this] { mnFilePrint_Click(); });
    ui_.mnFileSpace = ui_.mnFile->addSeparator();
    ui_.mnFileEnd =
        item(ui_.mnFile, QStringLiteral("終了(&X)"), none, [this] { mnFileEnd_Click(); });

    ui_.mnEdit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    ui_.mnEditUndo = item(ui_.mnEdit, QStringLiteral("元に戻す(&U)"), Qt::CTRL | Qt::Key_Z,
                          [this] { mnEditUndo_Click(); });
    ui_.mnEditRedo = item(ui_.mnEdit, QStringLiteral("やり直し(&R)"), Qt::CTRL | Qt::Key_Y,
                          [this] { mnEditRedo_Click(); });
    ui_.mnEditSpace = ui_.mnEdit->addSeparator();
    ui_.mnEditCopy = item(ui_.mnEdit, QStringLiteral("コピー(&C)"), Qt::CTRL | Qt::Key_C,
                          [this] { mnEditCopy_Click(); });

    ui_.mnAdjust = menuBar()->addMenu(QStringLiteral("色調補正(&A)"));
    ui_.mnAdjustAutoLevel = item(ui_.mnAdjust, QStringLiteral("自動レベル補正(&L)"),
                                 Qt::CTRL | Qt::Key_L, [this] { mnAdjustAutoLevel_Click(); });
    ui_.mnAdjustSpace1 = ui_.mnAdjust->addSeparator();
    const QString changeCaptions[4] = {
        QStringLiteral("明るさ(強)"),
        QStringLiteral("明るさ(弱)"),
        QStringLiteral("コントラスト(強)"),
        QStringLiteral("コントラスト(弱)"),
    };
    const QKeySequence changeShortcuts[4] = {
        Qt::Key_F11,
        Qt::Key_F12,
        Qt::CTRL | Qt::Key_F11,
        Qt::CTRL | Qt::Key_F12,
    };
    for (int i = 0; i < 4; ++i) {
        ui_.mnAdjustChange[i] =
            item(ui_.mnAdjust, changeCaptions[i], changeShortcuts[i],
                 [this, i] { mnAdjustChange_Click(static_cast<std::int16_t>(i)); });
    }
    ui_.mnAdjustSpace2 = ui_.mnAdjust->addSeparator();
    ui_.mnAdjustReset = item(ui_.mnAdjust, QStringLiteral("リセット(&R)"), Qt::CTRL | Qt::Key_R,
                             [this] { mnAdjustReset_Click(); });

    ui_.mnOther = menuBar()->addMenu(QStringLiteral("その他(&O)"));
    ui_.mnOtherHelp = item(ui_.mnOther, QStringLiteral("ヘルプ(&H)"), Qt::Key_F1,
                           [this] { mnOtherHelp_Click(); });
    ui_.mnOtherVersion = item(ui_.mnOther, QStringLiteral("バージョン情報(&V)"), none,
                              [this] { mnOtherVersion_Click(); });
}

void Form1::SetTabOrder() {
    const QWidget* order[] = {ui_.Picture1View, ui_.Adjust[4],    ui_.Adjust[2], ui_.Adjust[3],
                              ui_.Adjust[0],    ui_.Adjust[1],    ui_.undo,      ui_.redo,
                              ui_.Adjust[5],    ui_.Picture2View, ui_.Text1,     ui_.Picture3View,
                              ui_.Picture4View};
    for (size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));
    }
}

void Form1::Form_Load() {
    SetAdjustEnabled(false);
    textLeft_ = RoundHalfEven(static_cast<double>(ui_.Text1->x()) * scale_.x);
    const LoadedRamp ramp = LoadCharRamp(appPath_ + QStringLiteral("/moji.txt"));
    for (const QString& note : ramp.notes)
        std::fprintf(stderr, "%s\n", NativePath(note).constData());
    document_ = std::make_unique<Document>(ramp.ramp);
    mover_ = new BlockMover(*document_, ui_.Picture1View, this);
    connect(mover_, &BlockMover::failed, this, &Form1::ShowUnreadable);
    zoom_ = new TextZoom(ui_.Text1, this);
    AcceptDroppedPictures();
    connect(document_.get(), &Document::changed, this, &Form1::ShowDocument);
}

void Form1::Form_Resize() {
    double width = static_cast<double>(ui_.client->width()) * scale_.x - textLeft_;
    double height = static_cast<double>(ui_.client->height()) * scale_.y;
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    ui_.Text1->setGeometry(TwipsToPixels(textLeft_, scale_.x), 0, TwipsToPixels(width, scale_.x),
                           TwipsToPixels(height, scale_.y));
}

void Form1::SetAdjustEnabled(bool flag) {
    for (QPushButton* button : ui_.Adjust) button->setEnabled(flag);
    for (QAction* action : ui_.mnAdjustChange) action->setEnabled(flag);
    ui_.mnAdjustAutoLevel->setEnabled(flag);
    ui_.mnAdjustReset->setEnabled(flag);
    if (flag) return;
    ui_.undo->setEnabled(false);
    ui_.redo->setEnabled(false);
    ui_.mnEditUndo->setEnabled(false);
    ui_.mnEditRedo->setEnabled(false);
}

void Form1::RefreshUndoRedo() {
    const bool canUndo = document_->IsAvailable(Command::kUndo);
    const bool canRedo = document_->IsAvailable(Command::kRedo);
    ui_.undo->setEnabled(canUndo);
    ui_.mnEditUndo->setEnabled(canUndo);
    ui_.redo->setEnabled(canRedo);
    ui_.mnEditRedo->setEnabled(canRedo);
}

QString Form1::Text() const {
    // The text box keeps line breaks as LF; the program's text uses CR LF.
    QString text = ui_.Text1->toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

// The menu commands' shortcuts win over the text box's own key bindings.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_.Text1->viewport()) {
        return FilterTextBoxDrop(event) || QMainWindow::eventFilter(watched, event);
    }
    if (watched != ui_.Text1 || event->type() != QEvent::ShortcutOverride) {
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
