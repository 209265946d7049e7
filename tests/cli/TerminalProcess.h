#pragma once

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QProcess>
#include <QString>
#include <QStringList>

#include "ConverterProcess.h"

// The converter run with its standard output on a pseudo-terminal.

namespace glyph::cli {

// Standard output on a pseudo-terminal `columns` wide (0: one that does not
// tell) and 24 rows, with COLUMNS set as given, and TERM and COLORTERM as
// given when they are.
inline Ran ConvertOnTerminal(const QStringList& arguments, unsigned short columns,
                             const QString& columnsVariable, const QStringList& terminalKind = {}) {
    int master = -1;
    int slave = -1;
    termios raw{};
    cfmakeraw(&raw);  // the bytes as written, no CR before each LF
    winsize size{};
    size.ws_col = columns;
    size.ws_row = columns == 0 ? 0 : 24;
    if (openpty(&master, &slave, nullptr, &raw, &size) != 0) return {};
    fcntl(master, F_SETFD, FD_CLOEXEC);

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("COLUMNS"), columnsVariable);
    if (terminalKind.size() == 2) {
        environment.insert(QStringLiteral("TERM"), terminalKind[0]);
        environment.insert(QStringLiteral("COLORTERM"), terminalKind[1]);
    }
    process.setProcessEnvironment(environment);
    process.setChildProcessModifier([slave] {
        dup2(slave, STDOUT_FILENO);
        close(slave);
    });
    process.start(QStringLiteral(GLYPHORAMA_CONVERT), arguments);
    const bool started = process.waitForStarted(60000);
    close(slave);
    QByteArray out;
    // The master reads EIO once the converter, the last holder of the
    // terminal, has gone.
    for (pollfd ready{master, POLLIN, 0}; started && poll(&ready, 1, 60000) > 0;) {
        char buffer[4096];
        const ssize_t got = read(master, buffer, sizeof buffer);
        if (got <= 0) break;
        out.append(buffer, got);
    }
    close(master);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, out,
            QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace glyph::cli
