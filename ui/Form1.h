#pragma once

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <memory>

#include "engine/CharRamp.h"
#include "engine/Levels.h"
#include "engine/TextArt.h"
#include "ui/CommonDialog.h"
#include "workspace/History.h"
#include "workspace/PictureSurface.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace glyph {

class ClientArea;
class PlatformServices;
class SurfaceView;

// The program's working window: the picture panel on the left, the text art
// on the right, and every command of the program.
class Form1 : public QMainWindow {
    Q_OBJECT

  public:
    // appPath is the folder holding the program (moji.txt, help/).
    Form1(PlatformServices& services, TwipScale scale, QString appPath);
    ~Form1() override;

    // State shared by the commands.
    glyph::CharRamp CharRamp;
    std::int32_t ImageWidth = 0;
    std::int32_t ImageHeight = 0;
    std::int32_t TextLeft = 0;

    // Surfaces.
    PictureSurface& Picture1() { return *picture1_; }
    PictureSurface& Picture2() { return *picture2_; }
    PictureSurface& Picture3() { return *picture3_; }
    PictureSurface& Picture4() { return *picture4_; }
    History& history() { return *history_; }

    // Controls.
    std::array<QPushButton*, 6> Adjust{};
    QPushButton* undo = nullptr;
    QPushButton* redo = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    SurfaceView* Picture1View = nullptr;
    SurfaceView* Picture2View = nullptr;
    SurfaceView* Picture3View = nullptr;
    SurfaceView* Picture4View = nullptr;
    ClientArea* client = nullptr;
    CommonDialog CommonDialog1;

    // Menus.
    QMenu* mnFile = nullptr;
    QAction* mnFileOpen = nullptr;
    QAction* mnFileSave = nullptr;
    QAction* mnFilePrint = nullptr;
    QAction* mnFileSpace = nullptr;
    QAction* mnFileEnd = nullptr;
    QMenu* mnEdit = nullptr;
    QAction* mnEditUndo = nullptr;
    QAction* mnEditRedo = nullptr;
    QAction* mnEditSpace = nullptr;
    QAction* mnEditCopy = nullptr;
    QMenu* mnAdjust = nullptr;
    QAction* mnAdjustAutoLevel = nullptr;
    QAction* mnAdjustSpace1 = nullptr;
    std::array<QAction*, 4> mnAdjustChange{};
    QAction* mnAdjustSpace2 = nullptr;
    QAction* mnAdjustReset = nullptr;
    QMenu* mnOther = nullptr;
    QAction* mnOtherHelp = nullptr;
    QAction* mnOtherVersion = nullptr;

    TwipScale twips() const { return scale_; }
    const QString& appPath() const { return appPath_; }
    PlatformServices& services() { return services_; }

    // The text art as the program holds it: lines separated by CR LF.
    QString Text() const;

    // Enabled state of the commands: the only two places that set it.
    void SetAdjustEnabled(bool flag);
    void RefreshUndoRedo();

    // An OK message box of the program's own.
    void ShowNotice(const QString& text, const QString& caption, QMessageBox::Icon icon);

    // Source to text art, painting Picture2 and replacing the text of Text1.
    void RenderTextArt(PictureSurface& source, const Adjustment& adjustment);

    // Commands.
    void OpenImage();
    void mnFileOpen_Click() { OpenImage(); }
    void mnFileSave_Click();
    void mnFilePrint_Click();
    void mnFileEnd_Click();
    void mnEditCopy_Click();
    void StepHistory(std::int16_t direction);
    void undo_Click();
    void redo_Click();
    void mnEditUndo_Click();
    void mnEditRedo_Click();
    void Adjust_Click(std::int16_t index);
    void mnAdjustChange_Click(std::int16_t index);
    void mnAdjustAutoLevel_Click();
    void mnAdjustReset_Click();
    void mnOtherHelp_Click();
    void mnOtherVersion_Click();

  private:
    void CreateSurfaces();
    void CreateControls();
    void CreateMenus();
    void SetTabOrder();
    void Form_Load();
    void Form_Resize();
    void RunAdjustment(PictureSurface& source, const Adjustment& adjustment);
    void PaintPreview(const TextArt& art);
    void ShowUnreadable(const QString& fileName);
    bool eventFilter(QObject* watched, QEvent* event) override;

    PlatformServices& services_;
    TwipScale scale_;
    QString appPath_;
    std::unique_ptr<PictureSurface> picture1_;
    std::unique_ptr<PictureSurface> picture2_;
    std::unique_ptr<PictureSurface> picture3_;
    std::unique_ptr<PictureSurface> picture4_;
    std::unique_ptr<History> history_;
};

}  // namespace glyph
