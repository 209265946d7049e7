#pragma once

#include <QMainWindow>
#include <QMessageBox>
#include <array>
#include <cstdint>
#include <memory>

#include "ui/CommonDialog.h"
#include "ui/PictureSurface.h"
#include "workspace/Document.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace glyph {

class BlockMover;
class ClientArea;
class PlatformServices;
class SurfaceView;
class TextZoom;

// The window's controls and menu items, by the names the commands know them by.
struct Form1Controls {
    std::array<QPushButton*, 6> Adjust{};
    QPushButton* undo = nullptr;
    QPushButton* redo = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    SurfaceView* Picture1View = nullptr;
    SurfaceView* Picture2View = nullptr;
    SurfaceView* Picture3View = nullptr;
    SurfaceView* Picture4View = nullptr;
    ClientArea* client = nullptr;

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
};

// The program's working window: the picture panel on the left, the text art
// on the right, and every command of the program. It shows a Document and
// forwards the adjustment and history commands to it.
class Form1 : public QMainWindow {
    Q_OBJECT

  public:
    // appPath is the folder holding the program (moji.txt, help/).
    Form1(PlatformServices& services, TwipScale scale, QString appPath);
    ~Form1() override;

    const Form1Controls& controls() const { return ui_; }
    const Document& document() const { return *document_; }
    // What the window paints: the opened picture and the gray preview.
    const PictureSurface& Picture1() const { return *picture1_; }
    const PictureSurface& Picture2() const { return *picture2_; }
    TextZoom& zoom() const { return *zoom_; }
    std::int32_t TextLeft() const { return textLeft_; }

    // The text art as the program holds it: lines separated by CR LF.
    QString Text() const;

    // Enabled state of the commands: the only two places that set it (the
    // block's keys follow the document, in BlockMover).
    void SetAdjustEnabled(bool flag);
    void RefreshUndoRedo();

    // Commands.
    void OpenImage();
    // Opens a picture as the open command does once its dialog is answered:
    // for a drop and for a file the desktop names at start-up.
    void OpenPicture(const QString& fileName);
    void mnFileOpen_Click() { OpenImage(); }
    void mnFileSave_Click();
    void mnFilePrint_Click();
    void mnFileEnd_Click();
    void mnEditCopy_Click();
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
    void ShowDocument();
    void PlaceSurfaces();
    void ShowBlockPlace();
    void PaintPreview();
    void ShowUnreadable(const QString& fileName, const Error& error);
    bool ConfirmOverwrite(const QString& fileName);
    void SaveText();
    void PrintText();
    // An OK message box of the program's own.
    void ShowNotice(const QString& text, const QString& caption, QMessageBox::Icon icon);
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A picture file dropped anywhere on the window opens as Open does.
    void AcceptDroppedPictures();
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool FilterTextBoxDrop(QEvent* event);

    PlatformServices& services_;
    TwipScale scale_;
    QString appPath_;
    std::int32_t textLeft_ = 0;
    Form1Controls ui_;
    CommonDialog CommonDialog1;
    std::unique_ptr<Document> document_;
    BlockMover* mover_ = nullptr;
    TextZoom* zoom_ = nullptr;
    std::unique_ptr<PictureSurface> picture1_;
    std::unique_ptr<PictureSurface> picture2_;
    std::unique_ptr<PictureSurface> picture3_;
    std::unique_ptr<PictureSurface> picture4_;
};

}  // namespace glyph
