#pragma once

#include <QByteArray>
#include <QString>
#include <cstdio>

#include "cli/Options.h"

namespace glyph::cli {

// What the converter writes for people to read (messages, help, version),
// in the locale's codeset, and harmless to the terminal that shows it.

// text in `codeset` (as nl_langinfo(CODESET) names it): a character the
// codeset lacks as '?', a name's stray bytes (see NativePath) as they came.
// UTF-8 and the C locale's ASCII give the UTF-8 bytes, so that names keep
// their bytes where the locale says nothing of the terminal's.
QByteArray EncodeForCodeset(const QString& text, const QByteArray& codeset);

// text with its control characters (C0, DEL, C1) spelled out as ls spells
// them: \e, \n, \x9b. With `utf8`, a name's stray bytes of the C1 range too,
// which no UTF-8 character holds; in other codesets they are parts of
// characters (Shift-JIS lead bytes, EUC-JP's SS2).
QString QuoteControls(const QString& text, bool utf8);

// The running locale's codeset, read once; the locale is set by then.
const QByteArray& LocaleCodeset();

// text to a stream in the locale's codeset, as it is.
void PrintText(std::FILE* stream, const QString& text);

// A line of a message on standard error, its control characters quoted when
// a terminal shows it; in a file or a pipe, names keep their bytes.
void PrintMessageLine(const QString& line);

// One message on standard error, after the program's name.
void Say(const QString& line);

// A usage error, followed by the pointer to --help.
void SayUsageError(const QString& reason);

// The terminal standard output is: no columns when it is not a terminal, or
// one whose width is unknown; COLUMNS and LINES stand in for a size it does
// not tell.
Terminal StandardOutputTerminal();

// The colours a terminal says it shows: 24-bit where COLORTERM (or a TERM of
// the direct kind) says so, the
// 256-colour palette where TERM names it, else none (a plain terminal's 8 or
// 16 colours would show the art's colours wrongly).
AnsiColours TerminalColours(const QByteArray& colorterm, const QByteArray& term);

// The bytes on standard output, as they are; false when they cannot be written.
bool WriteStandardOutput(const QByteArray& bytes);

// A progress line on standard error, only when someone watches it.
class Progress {
  public:
    explicit Progress(int count);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;
    void Done(int finished);
    // A message starts on a line of its own.
    void Interrupt();

  private:
    const int count_;
    const bool shown_;
};

}  // namespace glyph::cli
