#pragma once

#include <gtest/gtest.h>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "Controls.h"
#include "FakeServices.h"
#include "engine/Levels.h"
#include "ui/Form1.h"
#include "ui/PictureBox.h"

namespace glyph::testing {

// A fresh main window at 15 twips per pixel, shown and active, whose program
// folder is a temporary directory.
class WindowTest : public ::testing::Test {
  protected:
    static constexpr TwipScale kScale{15, 15};

    void SetUp() override { CreateWindow(); }

    void CreateWindow() {
        window.reset();
        window = std::make_unique<Form1>(services, kScale, dir.path());
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // Saves a picture into the temporary folder and returns its path.
    QString Save(const QImage& image, const QString& name) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path)) << name.toStdString();
        return path;
    }

    // Opens path through the open command, answering its dialog.
    void Open(const QString& path) {
        services.fileAnswers.push_back(path);
        Controls(*window).mnFileOpen->trigger();
    }

    // Colour of the preview pixel (x, y).
    std::int32_t Preview(int x, int y) {
        const QRgb pixel = window->Picture2()->Image().pixel(x, y);
        return static_cast<std::int32_t>(Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel)));
    }

    static QRect PixelBox(int left, int top, int width, int height) {
        return QRect(TwipsToPixels(left, 15), TwipsToPixels(top, 15), TwipsToPixels(width, 15),
                     TwipsToPixels(height, 15));
    }

    QTemporaryDir dir;
    FakeServices services;
    std::unique_ptr<Form1> window;
};

// A w x h picture whose pixel (x, y) is gray (x * 7 + y * 3) % 256.
inline QImage Pattern(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int v = (x * 7 + y * 3) % 256;
            image.setPixel(x, y, qRgb(v, v, v));
        }
    return image;
}

inline QImage Filled(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

}  // namespace glyph::testing
