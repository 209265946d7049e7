#pragma once

#include <QMainWindow>
#include <QMessageBox>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "document/Document.h"
#include "ui/Actions.h"
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
class ColourView;
class FileCommands;
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

    // Every action of the window (ui/Actions.cpp) runs through Run.
    void Run(const ActionWork& work);
    // Opens a picture as the open command does once its dialog is answered:
    // for a drop and for a file the desktop names at start-up.
    void OpenPicture(const QString& fileName);

    // The window's own commands, as the action table names them; those
    // that write files are FileCommands'.
    void OpenImage();
    void Quit();
    void CopyText();
    void ShowHelp();
    void ShowVersion();
    // The text box's view in its cells' colours, on or off as its entry is ticked.
    void ShowColours();

    // A button's document command by its index, in Command's order, as the
    // tests drive the window; an index past the commands runs nothing.
    void Adjust_Click(std::int16_t index) { Run(static_cast<Command>(index)); }
    void undo_Click() { Run(Command::kUndo); }
    void redo_Click() { Run(Command::kRedo); }

  private:
    struct BuiltAction {
        const ActionRow* row;
        QAction* action;
        QPushButton* button;  // null when the action has no button
    };

    void CreateControls();
    // Every action, menu and button, from the action table: the one builder.
    void CreateActions();
    QPushButton* CreateButton(const ButtonTwin& twin, const ActionWork& work);
    void SetTabOrder();
    void ShowTextMenu(QPoint at);
    // Every action's enabled and checked state, from the document and the
    // chosen framing: the one place that sets them.
    void UpdateActions();
    void Form_Load();
    void Form_Resize();
    void ShowDocument();
    // The whole art in view for a new picture, framing or shape of art in
    // the reduced modes; the user's size for the block.
    void ZoomForArt();
    // The choices kept from the last run, before anything is opened.
    void RestoreChoices();
    void PlacePictures();
    void ShowBlockPlace();
    void ShowUnreadable(const QString& fileName, const Error& error);
    void ShowNotice(const QString& text, const QString& caption, QMessageBox::Icon icon);
    // The opened picture again, with another part of it as the art.
    void Reframe(const Framing& framing);
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
    std::unique_ptr<Document> document_;
    std::unique_ptr<FileCommands> files_;
    BlockMover* mover_ = nullptr;
    FramingChooser* chooser_ = nullptr;
    TextZoom* zoom_ = nullptr;
    ClientArea* client_ = nullptr;
    PictureBox* picture1_ = nullptr;
    PictureBox* picture2_ = nullptr;
    QPlainTextEdit* text1_ = nullptr;
    std::array<QWidget*, 2> frames_{};  // Picture3, Picture4
    std::vector<BuiltAction> actions_;
    std::vector<QMenu*> textMenus_;  // the text box's submenus, in the table's order
    QAction* exportColour_ = nullptr;
    QAction* viewColour_ = nullptr;
    ColourView* colourView_ = nullptr;
    // What the art last shown was made of: a change of any refits it.
    struct ShownArt {
        QString path;
        Framing::Mode mode = Framing::Mode::kBlock;
        Match match = Match::kTone;
        QSize cells;
        bool operator==(const ShownArt&) const = default;
    };
    ShownArt shown_;
};

}  // namespace glyph
