#pragma once

#include <gtest/gtest.h>
#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QPushButton>

#include <array>

#include "ui/ClientArea.h"
#include "ui/Form1.h"
#include "ui/PictureBox.h"

namespace glyph::testing {

// The window's controls and menu items, found by the names the commands know
// them by: a control missing or misnamed is a null pointer here.
struct Controls {
    explicit Controls(const Form1& window) {
        const auto find = [&window]<typename T>(T*& control, const QString& name) {
            control = window.findChild<T*>(name);
            EXPECT_NE(control, nullptr) << name.toStdString();
        };

        for (int i = 0; i < 6; ++i) find(Adjust[i], QStringLiteral("Adjust(%1)").arg(i));
        for (int i = 0; i < 4; ++i)
            find(mnAdjustChange[i], QStringLiteral("mnAdjustChange(%1)").arg(i));
        find(undo, QStringLiteral("undo"));
        find(redo, QStringLiteral("redo"));
        find(Picture3View, QStringLiteral("Picture3"));
        find(Picture4View, QStringLiteral("Picture4"));
        find(mnFile, QStringLiteral("mnFile"));
        find(mnEdit, QStringLiteral("mnEdit"));
        find(mnAdjust, QStringLiteral("mnAdjust"));
        find(mnOther, QStringLiteral("mnOther"));
        find(mnFileOpen, QStringLiteral("mnFileOpen"));
        find(mnFileSave, QStringLiteral("mnFileSave"));
        find(mnFilePrint, QStringLiteral("mnFilePrint"));
        find(mnFileEnd, QStringLiteral("mnFileEnd"));
        find(mnEditUndo, QStringLiteral("mnEditUndo"));
        find(mnEditRedo, QStringLiteral("mnEditRedo"));
        find(mnEditCopy, QStringLiteral("mnEditCopy"));
        find(mnAdjustAutoLevel, QStringLiteral("mnAdjustAutoLevel"));
        find(mnAdjustReset, QStringLiteral("mnAdjustReset"));
        find(mnOtherHelp, QStringLiteral("mnOtherHelp"));
        find(mnOtherVersion, QStringLiteral("mnOtherVersion"));
    }

    std::array<QPushButton*, 6> Adjust{};
    QPushButton* undo = nullptr;
    QPushButton* redo = nullptr;
    QFrame* Picture3View = nullptr;
    QFrame* Picture4View = nullptr;
    QMenu* mnFile = nullptr;
    QAction* mnFileOpen = nullptr;
    QAction* mnFileSave = nullptr;
    QAction* mnFilePrint = nullptr;
    QAction* mnFileEnd = nullptr;
    QMenu* mnEdit = nullptr;
    QAction* mnEditUndo = nullptr;
    QAction* mnEditRedo = nullptr;
    QAction* mnEditCopy = nullptr;
    QMenu* mnAdjust = nullptr;
    QAction* mnAdjustAutoLevel = nullptr;
    std::array<QAction*, 4> mnAdjustChange{};
    QAction* mnAdjustReset = nullptr;
    QMenu* mnOther = nullptr;
    QAction* mnOtherHelp = nullptr;
    QAction* mnOtherVersion = nullptr;
};

}  // namespace glyph::testing
