#include <gtest/gtest.h>
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "Controls.h"
#include "FakeServices.h"
#include "engine/CharRamp.h"
#include "ui/Form1.h"
#include "ui/TextPrinter.h"

namespace glyph {
namespace {

using testing::Controls;

using testing::FakeServices;

// The real printing code, on the default printer or one the test picks (a
// null one for none), and a clipboard that can be made to fail.
class TestServices : public FakeServices {
  public:
    std::optional<QPrinterInfo> printer;
    int printCalls = 0;
    bool clipboardBroken = false;

    Status PrintText(const QString& text) override {
        ++printCalls;
        if (!printer) return FakeServices::PrintText(text);
        return PrintOnPrinter(*printer, text);
    }
    Status SetClipboardText(const QString& text) override {
        if (!clipboardBroken) return FakeServices::SetClipboardText(text);
        return Error{ErrorKind::kCannotWrite, QStringLiteral("test")};
    }
};

struct Program {
    QTemporaryDir dir;
    TestServices services;
    Form1 form{services, TwipScale{}, dir.path()};

    // Opens a small gradient through the window, so pictures, text and history
    // are all in use.
    void OpenPicture() {
        QImage image(8, 4, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x * 32, y * 64, 90));
        }
        const QString path = dir.filePath(QStringLiteral("picture.bmp"));
        ASSERT_TRUE(image.save(path));
        services.fileAnswers.push_back(path);
        Controls(form).mnFileOpen->trigger();
        ASSERT_FALSE(form.Text().isEmpty());
    }
};

// What a print or copy command must leave as it was.
struct WindowState {
    explicit WindowState(Form1& form)
        : text(form.Text()),
          preview(form.Picture2()->Image()),
          history{form.document().history().UndoCount(), form.document().history().HistoryCursor()},
          adjustEnabled(Controls(form).Adjust[0]->isEnabled()) {}
    bool operator==(const WindowState&) const = default;

    QString text;
    QImage preview;
    std::array<std::int16_t, 2> history;
    bool adjustEnabled;
};

TEST(PrintText, AnEmptyTextIsRefusedAndNothingPrinted) {
    Program p;
    Controls(p.form).mnFilePrint->trigger();
    EXPECT_EQ(p.services.printCalls, 0);
    ASSERT_EQ(p.services.messages.size(), 1u);
    const MessageRequest& warning = p.services.messages[0];
    EXPECT_EQ(warning.text, QStringLiteral("画像が選択されていません"));
    EXPECT_EQ(warning.caption, QStringLiteral("エラー"));
    EXPECT_EQ(warning.icon, QMessageBox::Warning);
    EXPECT_EQ(warning.buttons, QMessageBox::Ok);
}

// The test printers, as scripts/start-cups.sh sets them up: one writes PDF
// files (the default for the test run, PRINTER=Glyphorama-PDF), the other
// refuses every job. Under that script they must
// be there; elsewhere the tests that need them are skipped.
const QString kTestQueue = QStringLiteral("Glyphorama-PDF");
const QString kRefusingQueue = QStringLiteral("Glyphorama-Refusing");
const QString kTestQueueSettings = QStringLiteral("/etc/cups/cups-pdf-glyphorama.conf");
bool TestPrintersRequired() { return qEnvironmentVariableIntValue("GLYPHORAMA_PRINT_TEST") != 0; }

// Prints through the window on printer, which fails.
void ExpectFailedPrintChangesNothing(const QPrinterInfo& printer) {
    Program p;
    p.services.printer = printer;
    p.OpenPicture();
    Controls(p.form).mnAdjustChange[0]->trigger();
    p.services.messages.clear();
    const WindowState before(p.form);
    Controls(p.form).mnFilePrint->trigger();
    EXPECT_EQ(p.services.printCalls, 1);
    ASSERT_EQ(p.services.messages.size(), 1u);
    EXPECT_EQ(p.services.messages[0].caption, QStringLiteral("エラー"));
    EXPECT_EQ(p.services.messages[0].icon, QMessageBox::Warning);
    EXPECT_GE(p.services.messages[0].text.split(QStringLiteral("\r\n")).size(), 2);
    EXPECT_TRUE(WindowState(p.form) == before);
}

TEST(PrintText, NoPrinterIsToldAndChangesNothing) {
    ExpectFailedPrintChangesNothing(QPrinterInfo());
}

TEST(PrintText, ARefusedJobIsToldAndChangesNothing) {
    const QPrinterInfo refusing = QPrinterInfo::printerInfo(kRefusingQueue);
    if (refusing.isNull()) {
        if (TestPrintersRequired()) FAIL() << "no printer " << kRefusingQueue.toStdString();
        GTEST_SKIP() << "no printer " << kRefusingQueue.toStdString() << " (scripts/test.sh)";
    }
    ExpectFailedPrintChangesNothing(refusing);
}

// The folder the test printer writes its PDF files to, or why there is none.
QString PdfFolder(QString* whyNot) {
    if (QPrinterInfo::defaultPrinter().printerName() != kTestQueue) {
        *whyNot = QStringLiteral("the default printer is not ") + kTestQueue;
        return QString();
    }
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        *whyNot = QStringLiteral("pdftotext is missing");
        return QString();
    }
    QFile settings(kTestQueueSettings);
    if (settings.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : settings.readAll().split('\n')) {
            if (line.startsWith("Out ")) return QString::fromUtf8(line.mid(4).trimmed());
        }
    }
    *whyNot = QStringLiteral("no output folder in ") + kTestQueueSettings;
    return QString();
}

// The text of a finished PDF, without spaces, or nothing while it is still
// being written (pdftotext reads a cut-off file too, so the end is checked).
std::optional<QString> PdfText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.readAll().trimmed().endsWith("%%EOF")) {
        return std::nullopt;
    }
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!process.waitForFinished(10000) || process.exitCode() != 0) return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput()).remove(u' ');
}

// A font may name a kanji's glyph by the code of its radical (幺 as U+2E93),
// so a radical where a kanji was printed counts as that kanji.
bool SamePrint(const QString& printed, const QString& expected) {
    if (printed.size() != expected.size()) return false;
    for (qsizetype i = 0; i < printed.size(); ++i) {
        const bool radical = printed[i].unicode() >= 0x2E80 && printed[i].unicode() <= 0x2FDF;
        if (printed[i] != expected[i] && !radical) return false;
    }
    return true;
}

// Waits up to a minute for `count` new PDF files holding `marker`, gives their
// texts and removes them.
QStringList WaitForPdfs(const QString& folder, const QSet<QString>& before, const QString& marker,
                        int count) {
    QStringList texts;
    QSet<QString> seen = before;
    QElapsedTimer timer;
    timer.start();
    while (texts.size() < count && timer.elapsed() < 60000) {
        for (const QString& name : QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files)) {
            if (seen.contains(name)) continue;
            const std::optional<QString> text = PdfText(QDir(folder).filePath(name));
            if (!text) continue;  // not finished yet: try again next round
            seen.insert(name);
            if (!text->contains(marker)) continue;
            texts.append(*text);
            QFile::remove(QDir(folder).filePath(name));
        }
        QTest::qWait(250);
    }
    return texts;
}

// The printed lines of a job, page breaks and empty lines left out.
QStringList PrintedLines(const QString& job) {
    QStringList printed = job.split(u'\n');
    for (QString& line : printed) line.remove(u'\f');
    printed.removeAll(QString());
    return printed;
}

#define REQUIRE_PDF_FOLDER(folder)                                    \
    QString whyNot;                                                   \
    const QString folder = PdfFolder(&whyNot);                        \
    if (folder.isEmpty()) {                                           \
        if (TestPrintersRequired()) FAIL() << whyNot.toStdString();   \
        GTEST_SKIP() << whyNot.toStdString() << " (scripts/test.sh)"; \
    }

TEST(PrintText, EachPrintIsOneJobWithTheWholeText) {
    REQUIRE_PDF_FOLDER(folder);
    // Sixteen lines of ramp kanji, then numbered lines enough for a second
    // page; a marker tells this run's jobs from any other's. Digits only: a
    // font's "ff" ligature does not read back from the PDF.
    const QString marker = QString::number(QRandomGenerator::global()->generate64());
    const QStringList ramp = CharRamp::BuiltIn().entries();
    QStringList lines;
    for (qsizetype i = 0; i < ramp.size(); i += 16) lines.append(ramp.mid(i, 16).join(QString()));
    for (int i = 1; i <= 200; ++i) lines.append(QStringLiteral("%1-%2").arg(i).arg(marker));

    Program p;
    p.form.Text1()->setPlainText(lines.join(u'\n'));
    const QStringList existing = QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    Controls(p.form).mnFilePrint->trigger();
    Controls(p.form).mnFilePrint->trigger();
    EXPECT_TRUE(p.services.messages.empty());

    const QStringList jobs =
        WaitForPdfs(folder, QSet<QString>(existing.begin(), existing.end()), marker, 2);
    ASSERT_EQ(jobs.size(), 2) << "PDF files in " << folder.toStdString();
    for (const QString& job : jobs) {
        EXPECT_GE(job.count(u'\f'), 2) << "pages";
        // Every line whole, on a line of its own, in order.
        const QStringList printed = PrintedLines(job);
        EXPECT_TRUE(SamePrint(printed.join(u'\n'), lines.join(u'\n')))
            << printed.join(u'\n').toStdString();
    }
}

TEST(PrintText, AHundredColumnArtIsPrintedWithEveryCharacterOfEveryLine) {
    REQUIRE_PDF_FOLDER(folder);
    // 100 x 64 pixels of changing tones, so that lines differ from each other.
    QImage image(100, 64, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int v = (x * 5 + y * 11) % 256;
            image.setPixel(x, y, qRgb(v, v, v));
        }
    }
    Program p;
    const QString path = p.dir.filePath(QStringLiteral("wide.bmp"));
    ASSERT_TRUE(image.save(path));
    p.services.fileAnswers.push_back(path);
    Controls(p.form).mnFileOpen->trigger();
    const QStringList art = p.form.Text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(art.size(), 64);
    ASSERT_EQ(art.first().size(), 100);
    // A marker line tells this run's job from any other's.
    const QString marker = QString::number(QRandomGenerator::global()->generate64());
    p.form.Text1()->appendPlainText(marker);

    const QStringList existing = QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    Controls(p.form).mnFilePrint->trigger();
    EXPECT_TRUE(p.services.messages.empty());
    const QStringList jobs =
        WaitForPdfs(folder, QSet<QString>(existing.begin(), existing.end()), marker, 1);
    ASSERT_EQ(jobs.size(), 1) << "PDF files in " << folder.toStdString();
    const QStringList printed = PrintedLines(jobs[0]);
    ASSERT_EQ(printed.size(), art.size() + 1) << jobs[0].toStdString();
    EXPECT_TRUE(SamePrint(printed.first(), art.first())) << printed.first().toStdString();
    EXPECT_TRUE(SamePrint(printed[art.size() - 1], art.last()))
        << printed[art.size() - 1].toStdString();
    EXPECT_TRUE(SamePrint(printed.mid(0, art.size()).join(u'\n'), art.join(u'\n')));
}

std::string PlatformLines(const QString& lfText) {
#ifdef Q_OS_WIN
    return QString(lfText).replace(u'\n', QStringLiteral("\r\n")).toStdString();
#else
    return lfText.toStdString();
#endif
}

TEST(CopyText, CopiesTheWholeTextNotTheSelection) {
    Program p;
    p.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&p.form));
    QClipboard* clipboard = QGuiApplication::clipboard();

    p.form.Text1()->setPlainText(QStringLiteral("AB\nCD\nEF"));
    p.form.Text1()->setFocus();
    QTextCursor cursor = p.form.Text1()->textCursor();
    cursor.setPosition(3);
    cursor.setPosition(5, QTextCursor::KeepAnchor);  // "CD"
    p.form.Text1()->setTextCursor(cursor);

    clipboard->setText(QStringLiteral("before"));
    Controls(p.form).mnEditCopy->trigger();
    EXPECT_EQ(clipboard->text().toStdString(), PlatformLines(QStringLiteral("AB\nCD\nEF")));

    // Ctrl+C typed in the text box is the menu's, not the box's own copy.
    clipboard->setText(QStringLiteral("before"));
    QTest::keyClick(p.form.Text1(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text().toStdString(), PlatformLines(QStringLiteral("AB\nCD\nEF")));

    p.form.Text1()->clear();
    Controls(p.form).mnEditCopy->trigger();
    EXPECT_EQ(clipboard->text().toStdString(), "");
    EXPECT_TRUE(p.services.messages.empty());
}

TEST(CopyText, AClipboardFailureIsToldAndChangesNothing) {
    Program p;
    p.OpenPicture();
    p.services.clipboardBroken = true;
    const WindowState before(p.form);
    Controls(p.form).mnEditCopy->trigger();
    ASSERT_EQ(p.services.messages.size(), 1u);
    EXPECT_EQ(p.services.messages[0].caption, QStringLiteral("エラー"));
    EXPECT_TRUE(WindowState(p.form) == before);
}

}  // namespace
}  // namespace glyph
