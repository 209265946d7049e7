#pragma once

#include <QMainWindow>
#include <QMessageBox>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "document/Document.h"
#include "ui/Commands.h"
#include "ui/CommonDialog.h"
#include "ui/Screen.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace glyph {

enum class ArtFormat;
class BlockMover;
class FramingChooser;
class ClientArea;
class PictureBox;
class PlatformServices;
class TextZoom;

// The program's working window: the picture panel on the left, the text art
// on the right, and every command of the program. It shows a Document and
// forwards the adjustment and history commands to it.
class Form1 : public QMainWindow {
    Q_OBJECT

  public:
    // appPath is the folder holding the program (moji.txt, help/).
    Form1(PlatformServices& services, TwipScale scale, QString appPath);
    ~Form1() override;

    const Document& document() const { return *document_; }
    // The opened picture and the gray preview.
    PictureBox* Picture1() const { return picture1_; }
    PictureBox* Picture2() const { return picture2_; }
    QPlainTextEdit* Text1() const { return text1_; }
    ClientArea* client() const { return client_; }
    TextZoom& zoom() const { return *zoom_; }
    std::int32_t TextLeft() const { return textLeft_; }

    // The text art as the program holds it: lines separated by CR LF.
    QString Text() const;

    // Commands: every item of the command table runs through Run; the
    // handlers carry the names of the controls that raise them.
    void Run(const CommandWork& work);
    void OpenImage();
    // Opens a picture as the open command does once its dialog is answered:
    // for a drop and for a file the desktop names at start-up.
    void OpenPicture(const QString& fileName);
    void mnFileOpen_Click() { OpenImage(); }
    void mnFileSave_Click();
    void mnFilePrint_Click();
    void mnFileEnd_Click();
    void mnEditCopy_Click();
    // The buttons' indexes are the document's adjustment commands, in order.
    void Adjust_Click(std::int16_t index) { Run(static_cast<Command>(index)); }
    void undo_Click() { Run(Command::kUndo); }
    void redo_Click() { Run(Command::kRedo); }
    void mnOtherHelp_Click();
    void mnOtherVersion_Click();
    // The text box's context menu: the art written as a file of that format,
    // in colour while its "カラー" entry is checked.
    void ExportArt(ArtFormat format);

  private:
    struct BuiltCommand {
        const CommandRow* row;
        QAction* item;
        QPushButton* button;  // null when the command has no button
    };

    void CreateControls();
    void CreateCommands();
    QPushButton* CreateButton(const ButtonTwin& twin, const CommandWork& work);
    void SetTabOrder();
    void CreateExportMenu();
    void ShowTextMenu(QPoint at);
    // Sets every command's enabled state from the document: the one place that does.
    void RefreshEnabled();
    void Form_Load();
    void Form_Resize();
    void ShowDocument();
    void PlacePictures();
    void ShowBlockPlace();
    void ShowUnreadable(const QString& fileName, const Error& error);
    // The opened picture again, with another part of it as the art.
    void Reframe(const Framing& framing);
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
    CommonDialog CommonDialog1;
    std::unique_ptr<Document> document_;
    BlockMover* mover_ = nullptr;
    FramingChooser* chooser_ = nullptr;
    TextZoom* zoom_ = nullptr;
    ClientArea* client_ = nullptr;
    PictureBox* picture1_ = nullptr;
    PictureBox* picture2_ = nullptr;
    QPlainTextEdit* text1_ = nullptr;
    std::array<QWidget*, 2> frames_{};  // Picture3, Picture4
    std::vector<BuiltCommand> commands_;
    QMenu* exportMenu_ = nullptr;
    QAction* exportColour_ = nullptr;
};

}  // namespace glyph
