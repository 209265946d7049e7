#include "ui/Commands.h"

#include "ui/Form1.h"

namespace glyph {

namespace {

const QString kFile = QStringLiteral("mnFile");
const QString kEdit = QStringLiteral("mnEdit");
const QString kAdjust = QStringLiteral("mnAdjust");
const QString kOther = QStringLiteral("mnOther");
const QString kSeparator = QStringLiteral("-");

const MenuRow kMenus[] = {
    {kFile, QStringLiteral("ファイル(&F)")},
    {kEdit, QStringLiteral("編集(&E)")},
    {kAdjust, QStringLiteral("色調補正(&A)")},
    {kOther, QStringLiteral("その他(&O)")},
};

ButtonTwin Picture(const char* name, const char* icon, const QString& tooltip, layout::Box box,
                   int tab) {
    return {QString::fromUtf8(name),
            {},
            QStringLiteral(":/buttons/%1.png").arg(icon),
            tooltip,
            box,
            tab};
}

// clang-format off
const CommandRow kCommands[] = {
    {kFile, QStringLiteral("mnFileOpen"), QStringLiteral("画像を開く(&O)"), Qt::CTRL | Qt::Key_O,
     &Form1::mnFileOpen_Click, {}},
    {kFile, QStringLiteral("mnFileSave"), QStringLiteral("保存(&S)"), Qt::CTRL | Qt::Key_S,
     &Form1::mnFileSave_Click, {}},
    {kFile, QStringLiteral("mnFilePrint"), QStringLiteral("印刷(&P)"), Qt::CTRL | Qt::Key_P,
     &Form1::mnFilePrint_Click, {}},
    {kFile, {}, kSeparator, {}, {}, {}},
    {kFile, QStringLiteral("mnFileEnd"), QStringLiteral("終了(&X)"), {}, &Form1::mnFileEnd_Click, {}},

    {kEdit, QStringLiteral("mnEditUndo"), QStringLiteral("元に戻す(&U)"), Qt::CTRL | Qt::Key_Z,
     Command::kUndo, Picture("undo", "undo", {}, {15, 4500, 390, 390}, 6)},
    {kEdit, QStringLiteral("mnEditRedo"), QStringLiteral("やり直し(&R)"), Qt::CTRL | Qt::Key_Y,
     Command::kRedo, Picture("redo", "redo", {}, {405, 4500, 390, 390}, 7)},
    {kEdit, {}, kSeparator, {}, {}, {}},
    {kEdit, QStringLiteral("mnEditCopy"), QStringLiteral("コピー(&C)"), Qt::CTRL | Qt::Key_C,
     &Form1::mnEditCopy_Click, {}},

    {kAdjust, QStringLiteral("mnAdjustAutoLevel"), QStringLiteral("自動レベル補正(&L)"),
     Qt::CTRL | Qt::Key_L, Command::kAutoLevel,
     ButtonTwin{QStringLiteral("Adjust(4)"), QStringLiteral("自動レベル補正"), {},
                QStringLiteral("自動レベル補正"), {15, 3480, 1560, 390}, 1}},
    {kAdjust, {}, kSeparator, {}, {}, {}},
    {kAdjust, QStringLiteral("mnAdjustChange(0)"), QStringLiteral("明るさ(強)"), Qt::Key_F11,
     Command::kBrighter,
     Picture("Adjust(0)", "brighter", QStringLiteral("明るさ（強）"), {795, 3870, 390, 390}, 4)},
    {kAdjust, QStringLiteral("mnAdjustChange(1)"), QStringLiteral("明るさ(弱)"), Qt::Key_F12,
     Command::kDarker,
     Picture("Adjust(1)", "darker", QStringLiteral("明るさ（弱）"), {1185, 3870, 390, 390}, 5)},
    {kAdjust, QStringLiteral("mnAdjustChange(2)"), QStringLiteral("コントラスト(強)"),
     Qt::CTRL | Qt::Key_F11, Command::kMoreContrast,
     Picture("Adjust(2)", "more-contrast", QStringLiteral("コントラスト（強）"),
             {15, 3870, 390, 390}, 2)},
    {kAdjust, QStringLiteral("mnAdjustChange(3)"), QStringLiteral("コントラスト(弱)"),
     Qt::CTRL | Qt::Key_F12, Command::kLessContrast,
     Picture("Adjust(3)", "less-contrast", QStringLiteral("コントラスト（弱）"),
             {405, 3870, 390, 390}, 3)},
    {kAdjust, {}, kSeparator, {}, {}, {}},
    {kAdjust, QStringLiteral("mnAdjustReset"), QStringLiteral("リセット(&R)"), Qt::CTRL | Qt::Key_R,
     Command::kReset,
     ButtonTwin{QStringLiteral("Adjust(5)"), QStringLiteral("リセット"), {},
                QStringLiteral("画像を読み込み時の状態に戻します"), {795, 4500, 780, 390}, 8}},

    {kOther, QStringLiteral("mnOtherHelp"), QStringLiteral("ヘルプ(&H)"), Qt::Key_F1,
     &Form1::mnOtherHelp_Click, {}},
    {kOther, QStringLiteral("mnOtherVersion"), QStringLiteral("バージョン情報(&V)"), {},
     &Form1::mnOtherVersion_Click, {}},
};
// clang-format on

}  // namespace

std::span<const MenuRow> Menus() { return kMenus; }
std::span<const CommandRow> Commands() { return kCommands; }

}  // namespace glyph
