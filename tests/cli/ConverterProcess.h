#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>

#include <gtest/gtest.h>

#include "engine/CharRamp.h"

// The converter run as a process, as scripts run it.

namespace glyph::cli {

struct Ran {
    int status = -1;
    QByteArray out;
    QString err;
};

// childSetUp runs in the child between fork and exec.
inline Ran Convert(const QStringList& arguments, const std::function<void()>& childSetUp = {}) {
    QProcess process;
    if (childSetUp) process.setChildProcessModifier(childSetUp);
    process.start(QStringLiteral(GLYPHORAMA_CONVERT), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The built-in ramp as a --ramp file (UTF-8, one line of entries).
inline QString WriteBuiltInRamp(const QString& path) {
    WriteAll(path, "\xEF\xBB\xBF" + CharRamp::BuiltIn().entries().join(u',').toUtf8());
    return path;
}

}  // namespace glyph::cli
