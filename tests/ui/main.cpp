#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "ui/Remembered.h"

namespace {

// Every test starts as a first start does: no choices kept from another.
class ForgetChoices : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { QFile::remove(glyph::ChoicesPath()); }
};

}  // namespace

// Window tests need an application object; they run on the offscreen
// platform, with a configuration folder of their own.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ForgetChoices);
    return RUN_ALL_TESTS();
}
