#pragma once

#include <stdlib.h>
#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>

#include <gtest/gtest.h>

#include "engine/CharRamp.h"

// The converter run as a process, as scripts run it.

namespace glyph::cli {

struct Ran {
    int status = -1;
    QByteArray out;
    QString err;
};

// The converter run with the locale variables given ("LANG=ja_JP.UTF-8"), the
// others unset. childSetUp runs in the child between fork and exec.
inline Ran RunWithLocale(const QString& program, const QStringList& locale,
                         const QStringList& arguments,
                         const std::function<void()>& childSetUp = {}) {
    QProcess process;
    QList<std::pair<QByteArray, QByteArray>> variables;
    for (const QString& variable : locale)
        variables.append(
            {variable.section(u'=', 0, 0).toUtf8(), variable.section(u'=', 1).toUtf8()});
    // In the child's own environment, which childSetUp may change further.
    process.setChildProcessModifier([variables, childSetUp] {
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) unsetenv(name);
        for (const auto& [name, value] : variables) setenv(name.constData(), value.constData(), 1);
        if (childSetUp) childSetUp();
    });
    process.start(program, arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

inline Ran ConvertWithLocale(const QStringList& locale, const QStringList& arguments,
                             const std::function<void()>& childSetUp = {}) {
    return RunWithLocale(QStringLiteral(GLYPHORAMA_CONVERT), locale, arguments, childSetUp);
}

// A copy of the converter elsewhere, in English.
inline Ran ConvertProgram(const QString& program, const QStringList& arguments,
                          const std::function<void()>& childSetUp = {}) {
    return RunWithLocale(program, {QStringLiteral("LANG=C.UTF-8")}, arguments, childSetUp);
}

// In English, as the converter speaks by default.
inline Ran Convert(const QStringList& arguments, const std::function<void()>& childSetUp = {}) {
    return ConvertWithLocale({QStringLiteral("LANG=C.UTF-8")}, arguments, childSetUp);
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
