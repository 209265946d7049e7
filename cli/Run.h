#pragma once

#include <QByteArray>
#include <QString>

#include "cli/Options.h"

namespace glyph::cli {

// Exit statuses.
constexpr int kAllConverted = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

// Converts every picture the options name and writes where they say. Each
// failure is named on standard error; returns the exit status.
int Run(const Options& options, const QString& converterDir);

// Prints a usage error with the pointer to --help; returns kUsageError.
int UsageError(const QString& reason);

// One message on standard error, after the program's name.
void Say(const QString& line);
// The width in columns of the terminal standard output is: 0 when it is not a
// terminal, or one whose width is unknown.
int StandardOutputColumns();
// The bytes on standard output, as they are; false when they cannot be written.
bool WriteStandardOutput(const QByteArray& bytes);

}  // namespace glyph::cli
