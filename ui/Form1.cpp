#include "ui/Form1.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/ClientArea.h"
#include "ui/Layout.h"
#include "ui/SurfaceView.h"
#include "ui/Texts.h"

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
    : CommonDialog1(services, this),
      services_(services),
      scale_(scale),
      appPath_(std::move(appPath)) {
    setWindowTitle(texts::kAppTitle);
    setWindowIcon(ProgramIcon());
    client = new ClientArea(scale_, this);
    setCentralWidget(client);
    CreateSurfaces();
    CreateControls();
    CreateMenus();
    SetTabOrder();
    resize(TwipsToPixels(layout::kClientWidth, scale_.x),
           TwipsToPixels(layout::kClientHeight, scale_.y) + menuBar()->sizeHint().height());
    connect(client, &ClientArea::resized, this, &Form1::Form_Resize);
    Form_Load();
}

Form1::~Form1() = default;

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
    history_ = std::make_unique<History>(scale_, layout::kCashPicture.width,
                                         layout::kCashPicture.height, background);
}

void Form1::CreateControls() {
    // Created bottom-most first: the frames, the pictures, the text, the buttons.
    Picture3View = new SurfaceView(*picture3_, true, client);
    Picture4View = new SurfaceView(*picture4_, true, client);
    Picture1View = new SurfaceView(*picture1_, false, client);
    Picture1View->setToolTip(texts::kPicture1Tip);
    Picture2View = new SurfaceView(*picture2_, false, client);
    Picture2View->setToolTip(texts::kPicture2Tip);
    for (SurfaceView* view : {Picture1View, Picture2View, Picture3View, Picture4View}) {
        view->setFocusPolicy(Qt::TabFocus);
    }

    Text1 = new QPlainTextEdit(client);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Ctrl+Z and Ctrl+Y belong to the picture history, not to the text box.
    Text1->setUndoRedoEnabled(false);
    Text1->installEventFilter(this);
    auto place = [this](QWidget* widget, const layout::Box& box) {
        widget->setGeometry(TwipsToPixels(box.left, scale_.x), TwipsToPixels(box.top, scale_.y),
                            TwipsToPixels(box.width, scale_.x),
                            TwipsToPixels(box.height, scale_.y));
    };
    place(Text1, layout::kText1);

    for (int i = 0; i < 6; ++i) {
        Adjust[i] = new QPushButton(client);
        Adjust[i]->setToolTip(texts::kAdjustTips[i]);
        place(Adjust[i], layout::kAdjust[i]);
        connect(Adjust[i], &QPushButton::clicked, this,
                [this, i] { Adjust_Click(static_cast<std::int16_t>(i)); });
    }
    for (int i = 0; i < 4; ++i) {
        Adjust[i]->setIcon(QIcon(kAdjustPictures[i]));
        Adjust[i]->setIconSize(kButtonPictureSize);
    }
    Adjust[4]->setText(texts::kAutoLevelCaption);
    Adjust[5]->setText(texts::kResetCaption);

    undo = new QPushButton(QIcon(kUndoPicture), QString(), client);
    redo = new QPushButton(QIcon(kRedoPicture), QString(), client);
    for (QPushButton* button : {undo, redo}) button->setIconSize(kButtonPictureSize);
    place(undo, layout::kUndo);
    place(redo, layout::kRedo);
    connect(undo, &QPushButton::clicked, this, &Form1::undo_Click);
    connect(redo, &QPushButton::clicked, this, &Form1::redo_Click);
}

void Form1::CreateMenus() {
    auto item = [this](QMenu* menu, const QString& caption, QKeySequence shortcut, auto handler) {
        QAction* action = menu->addAction(caption);
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    const QKeySequence none;

    mnFile = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    mnFileOpen = item(mnFile, QStringLiteral("画像を開く(&O)"), Qt::CTRL | Qt::Key_O,
                      [this] { mnFileOpen_Click(); });
    mnFileSave = item(mnFile, QStringLiteral("保存(&S)"), Qt::CTRL | Qt::Key_S,
                      [this] { mnFileSave_Click(); });
    mnFilePrint = item(mnFile, QStringLiteral("印刷(&P)"), Qt::CTRL | Qt::Key_P,
                       [this] { mnFilePrint_Click(); });
    mnFileSpace = mnFile->addSeparator();
    mnFileEnd = item(mnFile, QStringLiteral("終了(&X)"), none, [this] { mnFileEnd_Click(); });

    mnEdit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    mnEditUndo = item(mnEdit, QStringLiteral("元に戻す(&U)"), Qt::CTRL | Qt::Key_Z,
                      [this] { mnEditUndo_Click(); });
    mnEditRedo = item(mnEdit, QStringLiteral("やり直し(&R)"), Qt::CTRL | Qt::Key_Y,
                      [this] { mnEditRedo_Click(); });
    mnEditSpace = mnEdit->addSeparator();
    mnEditCopy = item(mnEdit, QStringLiteral("コピー(&C)"), Qt::CTRL | Qt::Key_C,
                      [this] { mnEditCopy_Click(); });

    mnAdjust = menuBar()->addMenu(QStringLiteral("色調補正(&A)"));
    mnAdjustAutoLevel = item(mnAdjust, QStringLiteral("自動レベル補正(&L)"), Qt::CTRL | Qt::Key_L,
                             [this] { mnAdjustAutoLevel_Click(); });
    mnAdjustSpace1 = mnAdjust->addSeparator();
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
        mnAdjustChange[i] = item(mnAdjust, changeCaptions[i], changeShortcuts[i],
                                 [this, i] { mnAdjustChange_Click(static_cast<std::int16_t>(i)); });
    }
    mnAdjustSpace2 = mnAdjust->addSeparator();
    mnAdjustReset = item(mnAdjust, QStringLiteral("リセット(&R)"), Qt::CTRL | Qt::Key_R,
                         [this] { mnAdjustReset_Click(); });

    mnOther = menuBar()->addMenu(QStringLiteral("その他(&O)"));
    mnOtherHelp =
        item(mnOther, QStringLiteral("ヘルプ(&H)"), Qt::Key_F1, [this] { mnOtherHelp_Click(); });
    mnOtherVersion = item(mnOther, QStringLiteral("バージョン情報(&V)"), none,
                          [this] { mnOtherVersion_Click(); });
}

void Form1::SetTabOrder() {
    const QWidget* order[] = {Picture1View, Adjust[4],    Adjust[2],   Adjust[3], Adjust[0],
                              Adjust[1],    undo,         redo,        Adjust[5], Picture2View,
                              Text1,        Picture3View, Picture4View};
    for (size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));
    }
}

void Form1::Form_Load() {
    SetAdjustEnabled(false);
    TextLeft = RoundHalfEven(static_cast<double>(Text1->x()) * scale_.x);
    CharRamp = LoadCharRamp(appPath_ + QStringLiteral("/moji.txt"));
}

void Form1::Form_Resize() {
    double width = static_cast<double>(client->width()) * scale_.x - TextLeft;
    double height = static_cast<double>(client->height()) * scale_.y;
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    Text1->setGeometry(TwipsToPixels(TextLeft, scale_.x), 0, TwipsToPixels(width, scale_.x),
                       TwipsToPixels(height, scale_.y));
}

void Form1::SetAdjustEnabled(bool flag) {
    for (QPushButton* button : Adjust) button->setEnabled(flag);
    for (QAction* action : mnAdjustChange) action->setEnabled(flag);
    mnAdjustAutoLevel->setEnabled(flag);
    mnAdjustReset->setEnabled(flag);
    if (flag) return;
    undo->setEnabled(false);
    redo->setEnabled(false);
    mnEditUndo->setEnabled(false);
    mnEditRedo->setEnabled(false);
}

void Form1::RefreshUndoRedo() {
    undo->setEnabled(history_->UndoCount != 0);
    mnEditUndo->setEnabled(history_->UndoCount != 0);
    redo->setEnabled(history_->HistoryCursor != 0);
    mnEditRedo->setEnabled(history_->HistoryCursor != 0);
}

QString Form1::Text() const {
    // The text box keeps line breaks as LF; the program's text uses CR LF.
    QString text = Text1->toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

// The menu commands' shortcuts win over the text box's own key bindings.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Text1 || event->type() != QEvent::ShortcutOverride) {
        return QMainWindow::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* action : findChildren<QAction*>()) {
        if (!action->shortcut().isEmpty() && action->shortcut() == pressed) {
            event->ignore();
            return true;
        }
    }
    return false;
}

}  // namespace glyph
