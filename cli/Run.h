#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "cli/Console.h"
#include "cli/Options.h"
#include "engine/CharRamp.h"

namespace glyph::cli {

// Exit statuses.
constexpr int kAllConverted = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

// Converts every picture the options name and writes where they say. Each
// failure is named on standard error; returns the exit status. `kept`: the
// measured ramp, already found (the fonts are then not started for it).
int Run(const Options& options, const QString& converterDir,
        const std::optional<CharRamp>& kept = std::nullopt);

// Prints a usage error with the pointer to --help; returns kUsageError.
int UsageError(const QString& reason);

}  // namespace glyph::cli
