#pragma once

#include <QCoreApplication>
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace glyph::cli {

// Measuring glyphs needs fonts, and so a GUI application. It is deleted when
// the suite ends, with the fonts it loaded, so LeakSanitizer has nothing to
// report.
class WithFonts : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "cli_tests";
        static char* argv[] = {name, nullptr};
        if (QCoreApplication::instance() == nullptr) app_ = new QGuiApplication(argc, argv);
    }
    static void TearDownTestSuite() {
        delete app_;
        app_ = nullptr;
    }
    static inline QGuiApplication* app_ = nullptr;
};

}  // namespace glyph::cli
