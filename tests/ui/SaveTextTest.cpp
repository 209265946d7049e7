#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "Controls.h"
#include "FakeServices.h"
#include "engine/CharRamp.h"
#include "engine/Cp932.h"
#include "output/TextFile.h"
#include "ui/Form1.h"

namespace glyph {
namespace {

using testing::Controls;

using testing::FakeServices;

const QString kOverwriteQuestion =
    QStringLiteral("\r\nこのファイルはすでに存在しています。\r\n上書きしますか?");

struct Program {
    QTemporaryDir dir;
    FakeServices services;
    Form1 form{services, TwipScale{}, dir.path()};

    QString Path(const QString& name) const { return dir.filePath(name); }
    // Saves the text box (LF line breaks, as the box keeps them) under path.
    void Save(const QString& text, const QString& path,
              std::optional<QMessageBox::StandardButton> answer = std::nullopt) {
        form.Text1()->setPlainText(text);
        services.fileAnswers.push_back(path);
        if (answer) services.messageAnswers.push_back(*answer);
        Controls(form).mnFileSave->trigger();
    }
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

TEST(SaveText, WritesTheTextAndOneCrLfInCp932) {
    Program p;
    p.Save(QStringLiteral("AB\nCD\nEF"), p.Path("rows.txt"));
    EXPECT_EQ(ReadAll(p.Path("rows.txt")), QByteArray("AB\r\nCD\r\nEF\r\n"));

    p.Save(QString(), p.Path("empty.txt"));
    EXPECT_EQ(ReadAll(p.Path("empty.txt")), QByteArray("\r\n"));

    // A text that already ends in a line break gets one more.
    p.Save(QStringLiteral("AB\n"), p.Path("ends.txt"));
    EXPECT_EQ(ReadAll(p.Path("ends.txt")), QByteArray("AB\r\n\r\n"));

    // Every ramp kanji is two bytes, no byte-order mark, and reads back.
    const QStringList ramp = CharRamp::BuiltIn().entries();
    p.Save(ramp.join(QString()), p.Path("ramp.txt"));
    const QByteArray bytes = ReadAll(p.Path("ramp.txt"));
    EXPECT_EQ(bytes.size(), 2 * ramp.size() + 2);
    EXPECT_EQ(DecodeCp932(bytes), ramp.join(QString()) + QStringLiteral("\r\n"));
    EXPECT_TRUE(p.services.messages.empty());
}

TEST(SaveText, AsksTheDialogTheSameWayEveryTime) {
    Program p;
    // Open leaves a name in the shared dialog; save must not offer it.
    p.services.fileAnswers.push_back(QStringLiteral("/left/by/open.bmp"));
    Controls(p.form).mnFileOpen->trigger();
    p.services.fileRequests.clear();
    p.services.messages.clear();
    p.Save(QStringLiteral("AB"), p.Path("first.txt"));
    p.Save(QStringLiteral("AB"), p.Path("second.txt"));
    ASSERT_EQ(p.services.fileRequests.size(), 2u);
    for (const FileDialogRequest& request : p.services.fileRequests) {
        EXPECT_EQ(request.kind, FileDialogRequest::Kind::Save);
        EXPECT_EQ(request.filter, QStringLiteral("テキストファイル (*.txt)|*.txt|"));
        EXPECT_EQ(request.filterIndex, 1);
        EXPECT_TRUE(request.fileName.isEmpty());
    }
    // A name typed without an extension is used as typed.
    p.Save(QStringLiteral("AB"), p.Path("art"));
    EXPECT_TRUE(QFile::exists(p.Path("art")));
    EXPECT_FALSE(QFile::exists(p.Path("art.txt")));
}

TEST(SaveText, CancelWritesAndShowsNothing) {
    Program p;
    p.form.Text1()->setPlainText(QStringLiteral("AB"));
    Controls(p.form).mnFileSave->trigger();  // no answer queued: the dialog is cancelled
    EXPECT_EQ(p.services.fileRequests.size(), 1u);
    EXPECT_TRUE(p.services.messages.empty());
    EXPECT_TRUE(QDir(p.dir.path()).isEmpty());
}

TEST(SaveText, AsksBeforeReplacingAFile) {
    Program p;
    const QString path = p.Path("art.txt");
    ASSERT_TRUE(WriteAll(path, "old"));

    p.Save(QStringLiteral("AB"), path, QMessageBox::No);
    EXPECT_EQ(ReadAll(path), QByteArray("old"));
    ASSERT_EQ(p.services.messages.size(), 1u);
    const MessageRequest& question = p.services.messages[0];
    EXPECT_EQ(question.text, path + kOverwriteQuestion);
    EXPECT_EQ(question.caption, QStringLiteral("Glyphorama"));
    EXPECT_EQ(question.icon, QMessageBox::Question);
    EXPECT_EQ(question.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(question.defaultButton, QMessageBox::Yes);

    p.Save(QStringLiteral("AB"), path, QMessageBox::Yes);
    EXPECT_EQ(ReadAll(path), QByteArray("AB\r\n"));
    EXPECT_EQ(p.services.messages.size(), 2u);
}

TEST(SaveText, RefusesCharactersOutsideCp932AndWritesNothing) {
    Program p;
    const QString oldFile = p.Path("old.txt");
    ASSERT_TRUE(WriteAll(oldFile, "old"));
    struct Case {
        QString text;
        QString where;
        QString character;
    };
    const Case cases[] = {
        {QStringLiteral("€uro"), QStringLiteral("1 行目 1 文字目"), QStringLiteral("€")},
        {QStringLiteral("AB\n欟😀D"), QStringLiteral("2 行目 2 文字目"), QStringLiteral("😀")},
        {QStringLiteral("A\nB\n😀😀€"), QStringLiteral("3 行目 1 文字目"), QStringLiteral("😀")},
    };
    for (const Case& c : cases) {
        for (const QString& path : {p.Path("new.txt"), oldFile}) {
            p.services.messages.clear();
            p.Save(c.text, path);
            ASSERT_EQ(p.services.messages.size(), 1u) << c.text.toStdString();
            const MessageRequest& refusal = p.services.messages[0];
            EXPECT_TRUE(refusal.text.contains(c.where + QStringLiteral("の「") + c.character))
                << refusal.text.toStdString();
            EXPECT_EQ(refusal.caption, QStringLiteral("Glyphorama"));
            EXPECT_EQ(refusal.icon, QMessageBox::Warning);
        }
    }
    EXPECT_EQ(QDir(p.dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.txt")});
    EXPECT_EQ(ReadAll(oldFile), QByteArray("old"));
}

TEST(SaveText, AFailedSaveSaysWhyAndCreatesNothing) {
    Program p;
    ASSERT_TRUE(WriteAll(p.Path("plain"), "not a folder"));
    // A folder that does not exist, and a "folder" that is a file, which
    // stops root too.
    for (const QString& path : {p.Path("missing/art.txt"), p.Path("plain/art.txt")}) {
        p.services.messages.clear();
        p.Save(QStringLiteral("AB"), path);
        ASSERT_EQ(p.services.messages.size(), 1u) << path.toStdString();
        const MessageRequest& failure = p.services.messages[0];
        const QStringList lines = failure.text.split(QStringLiteral("\r\n"));
        EXPECT_EQ(lines.value(0), path);
        EXPECT_EQ(lines.size(), 3);  // the file, that it failed, the reason
        EXPECT_EQ(failure.caption, QStringLiteral("Glyphorama"));
        EXPECT_EQ(failure.icon, QMessageBox::Critical);
    }
    EXPECT_EQ(ReadAll(p.Path("plain")), QByteArray("not a folder"));
    EXPECT_EQ(QDir(p.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("plain")});
}

// Makes every write of this process past `bytes` fail (EFBIG instead of a
// signal), like a full disk. Unlike file permissions this stops root too.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, oldHandler_);
    }

  private:
    rlimit saved_{};
    sighandler_t oldHandler_{};
};

TEST(WriteFileAtomically, ReplacesTheOldFileOnlyAfterAFullWrite) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("art.txt"));
    ASSERT_TRUE(WriteAll(path, "old text"));
    const QByteArray bytes(64 * 1024, 'x');
    const Status cut = [&] {
        const FileSizeLimit limit(1024);
        return WriteFileAtomically(path, bytes);
    }();
    ASSERT_FALSE(cut.ok());
    EXPECT_FALSE(cut.error().reason.isEmpty());
    EXPECT_EQ(ReadAll(path), QByteArray("old text"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("art.txt")});

    const Status whole = WriteFileAtomically(path, bytes);
    EXPECT_TRUE(whole.ok());
    EXPECT_EQ(ReadAll(path), bytes);
}

}  // namespace
}  // namespace glyph
