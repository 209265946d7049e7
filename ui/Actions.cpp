#include "ui/Actions.h"

#include "ui/FileCommands.h"
#include "ui/Form1.h"
#include "ui/Texts.h"

namespace glyph {

namespace {

const QString kFile = QStringLiteral("mnFile");
const QString kEdit = QStringLiteral("mnEdit");
const QString kAdjust = QStringLiteral("mnAdjust");
const QString kOther = QStringLiteral("mnOther");
const QString kExport = QStringLiteral("mnExport");
const QString kView = QStringLiteral("mnView");
const QString kPicture = QStringLiteral("Picture1");
const QString kKeys = QStringLiteral("keys");
const QString kSeparator = QStringLiteral("-");

constexpr int kLongStep = 10;  // pixels a block step with Shift

ButtonTwin Picture(const char* name, const char* icon, const QString& tooltip, layout::Box box,
                   int tab) {
    return {QString::fromUtf8(name),
            {},
            QStringLiteral(":/buttons/%1.png").arg(icon),
            tooltip,
            box,
            tab};
}

ActionRow Separator(const QString& menu) { return {.menu = menu, .caption = kSeparator}; }

ActionRow StepKey(Qt::KeyboardModifiers modifiers, Qt::Key key, QPoint delta) {
    return {
        .menu = kKeys, .shortcuts = {QKeyCombination(modifiers, key)}, .work = BlockStep{delta}};
}

}  // namespace

bool IsSeparator(const ActionRow& row) { return row.caption == kSeparator; }

std::span<const MenuRow> Menus() {
    static const MenuRow menus[] = {
        {kFile, QStringLiteral("ファイル(&F)"), Host::kMenuBar},
        {kEdit, QStringLiteral("編集(&E)"), Host::kMenuBar},
        {kAdjust, QStringLiteral("色調補正(&A)"), Host::kMenuBar},
        {kOther, QStringLiteral("その他(&O)"), Host::kMenuBar},
        {kPicture, {}, Host::kPictureMenu},
        {kView, texts::kViewMenu, Host::kTextBoxMenu},
        {kExport, texts::kExportMenu, Host::kTextBoxMenu},
        {kKeys, {}, Host::kKeys},
    };
    return menus;
}

// Made on first use: the texts it copies are themselves made at start-up.
std::span<const ActionRow> Actions() {
    constexpr auto alt = Qt::AltModifier;
    constexpr auto altShift = Qt::AltModifier | Qt::ShiftModifier;
    // clang-format off
    static const ActionRow rows[] = {
        {kFile, QStringLiteral("mnFileOpen"), QStringLiteral("画像を開く(&O)"), {Qt::CTRL | Qt::Key_O},
         &Form1::OpenImage},
        {kFile, QStringLiteral("mnFileSave"), QStringLiteral("保存(&S)"), {Qt::CTRL | Qt::Key_S},
         &FileCommands::SaveText},
        {kFile, QStringLiteral("mnFilePrint"), QStringLiteral("印刷(&P)"), {Qt::CTRL | Qt::Key_P},
         &FileCommands::PrintText},
        Separator(kFile),
        {kFile, QStringLiteral("mnFileEnd"), QStringLiteral("終了(&X)"), {}, &Form1::Quit},

        {kEdit, QStringLiteral("mnEditUndo"), QStringLiteral("元に戻す(&U)"), {Qt::CTRL | Qt::Key_Z},
         Command::kUndo, Picture("undo", "undo", {}, {15, 4500, 390, 390}, 6)},
        {kEdit, QStringLiteral("mnEditRedo"), QStringLiteral("やり直し(&R)"), {Qt::CTRL | Qt::Key_Y},
         Command::kRedo, Picture("redo", "redo", {}, {405, 4500, 390, 390}, 7)},
        Separator(kEdit),
        {kEdit, QStringLiteral("mnEditCopy"), QStringLiteral("コピー(&C)"), {Qt::CTRL | Qt::Key_C},
         &Form1::CopyText},

        {kAdjust, QStringLiteral("mnAdjustAutoLevel"), QStringLiteral("自動レベル補正(&L)"),
         {Qt::CTRL | Qt::Key_L}, Command::kAutoLevel,
         ButtonTwin{QStringLiteral("Adjust(4)"), QStringLiteral("自動レベル補正"), {},
                    QStringLiteral("自動レベル補正"), {15, 3480, 1560, 390}, 1}},
        Separator(kAdjust),
        {kAdjust, QStringLiteral("mnAdjustChange(0)"), QStringLiteral("明るさ(強)"), {Qt::Key_F11},
         Command::kBrighter,
         Picture("Adjust(0)", "brighter", QStringLiteral("明るさ（強）"), {795, 3870, 390, 390}, 4)},
        {kAdjust, QStringLiteral("mnAdjustChange(1)"), QStringLiteral("明るさ(弱)"), {Qt::Key_F12},
         Command::kDarker,
         Picture("Adjust(1)", "darker", QStringLiteral("明るさ（弱）"), {1185, 3870, 390, 390}, 5)},
        {kAdjust, QStringLiteral("mnAdjustChange(2)"), QStringLiteral("コントラスト(強)"),
         {Qt::CTRL | Qt::Key_F11}, Command::kMoreContrast,
         Picture("Adjust(2)", "more-contrast", QStringLiteral("コントラスト（強）"),
                 {15, 3870, 390, 390}, 2)},
        {kAdjust, QStringLiteral("mnAdjustChange(3)"), QStringLiteral("コントラスト(弱)"),
         {Qt::CTRL | Qt::Key_F12}, Command::kLessContrast,
         Picture("Adjust(3)", "less-contrast", QStringLiteral("コントラスト（弱）"),
                 {405, 3870, 390, 390}, 3)},
        Separator(kAdjust),
        {kAdjust, QStringLiteral("mnAdjustReset"), QStringLiteral("リセット(&R)"),
         {Qt::CTRL | Qt::Key_R}, Command::kReset,
         ButtonTwin{QStringLiteral("Adjust(5)"), QStringLiteral("リセット"), {},
                    QStringLiteral("画像を読み込み時の状態に戻します"), {795, 4500, 780, 390}, 8}},

        {kOther, QStringLiteral("mnOtherHelp"), QStringLiteral("ヘルプ(&H)"), {Qt::Key_F1},
         &Form1::ShowHelp},
        {kOther, QStringLiteral("mnOtherVersion"), QStringLiteral("バージョン情報(&V)"), {},
         &Form1::ShowVersion},

        // The framings hold for later opens; the block has one pixel a cell,
        // so no shape to match.
        {kPicture, {}, texts::kModeBlock, {Qt::CTRL | Qt::Key_1}, Framing::Mode::kBlock, {},
         Check::kOneOfKind},
        {kPicture, {}, texts::kModeWhole, {Qt::CTRL | Qt::Key_2}, Framing::Mode::kWhole, {},
         Check::kOneOfKind},
        {kPicture, {}, texts::kModeRectangle, {Qt::CTRL | Qt::Key_3}, Framing::Mode::kRectangle, {},
         Check::kOneOfKind},
        Separator(kPicture),
        {kPicture, {}, texts::kMatchTone, {Qt::CTRL | Qt::Key_4}, Match::kTone, {},
         Check::kOneOfKind},
        {kPicture, {}, texts::kMatchKanji, {Qt::CTRL | Qt::Key_5}, Match::kKanjiShapes, {},
         Check::kOneOfKind},
        {kPicture, {}, texts::kMatchCp932, {Qt::CTRL | Qt::Key_6}, Match::kCp932Shapes, {},
         Check::kOneOfKind},

        {kExport, QStringLiteral("mnExportPng"), texts::kExportPng, {}, ArtFormat::kPng},
        {kExport, QStringLiteral("mnExportSvg"), texts::kExportSvg, {}, ArtFormat::kSvg},
        {kExport, QStringLiteral("mnExportHtml"), texts::kExportHtml, {}, ArtFormat::kHtml},
        {kExport, QStringLiteral("mnExportText"), texts::kExportText, {}, ArtFormat::kText},
        Separator(kExport),
        {kExport, kExportInColour, texts::kExportColour, {}, {}, {},
         Check::kOnOff},

        // The text's view only: the text itself, copied or saved, stays as it is.
        {kView, kViewInColour, texts::kViewColour, {Qt::CTRL | Qt::SHIFT | Qt::Key_C},
         &Form1::ShowColours, {}, Check::kOnOff},
        Separator(kView),
        {kView, QStringLiteral("mnViewZoomIn"), texts::kZoomIn,
         {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence::ZoomIn}, ZoomStep::kIn},
        {kView, QStringLiteral("mnViewZoomOut"), texts::kZoomOut, {QKeySequence::ZoomOut},
         ZoomStep::kOut},
        {kView, QStringLiteral("mnViewZoomReset"), texts::kZoomReset, {Qt::CTRL | Qt::Key_0},
         ZoomStep::kReset},

        StepKey(alt, Qt::Key_Left, {-1, 0}),
        StepKey(altShift, Qt::Key_Left, {-kLongStep, 0}),
        StepKey(alt, Qt::Key_Right, {1, 0}),
        StepKey(altShift, Qt::Key_Right, {kLongStep, 0}),
        StepKey(alt, Qt::Key_Up, {0, -1}),
        StepKey(altShift, Qt::Key_Up, {0, -kLongStep}),
        StepKey(alt, Qt::Key_Down, {0, 1}),
        StepKey(altShift, Qt::Key_Down, {0, kLongStep}),
    };
    // clang-format on
    return rows;
}

}  // namespace glyph
