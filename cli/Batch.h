#pragma once

#include <QByteArray>
#include <QStringList>
#include <functional>

#include "basics/Result.h"

namespace glyph::cli {

using Converter = std::function<Result<QByteArray>(int index)>;
using Receiver = std::function<void(int index, const Result<QByteArray>& result)>;

// Runs convert for indexes 0..count-1 on `jobs` worker threads and hands each
// result to receive on the calling thread, in index order, as soon as it and
// every one before it are done. Only a few results wait at a time, so memory
// does not grow with count. When the system refuses threads it runs on those
// it got, or on the calling thread alone.
void ConvertInOrder(int count, int jobs, const Converter& convert, const Receiver& receive);

}  // namespace glyph::cli
