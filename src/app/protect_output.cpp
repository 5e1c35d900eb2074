// ---------------------------------------------------------------------------
// Standard output is only a console report; losing it must never cost the
// window. Two things would otherwise go wrong:
//  - Writing to a pipe whose reader has gone (`glut-alap | head -n 1`, a
//    closed terminal) raises SIGPIPE, whose default action ends the process.
//    Ignoring it turns that into an ordinary write error, which the report
//    ignores like any other.
//  - If the process starts with descriptor 0, 1 or 2 closed, the next file
//    the toolkit opens (its X server connection) gets that number, and the
//    report would write into the X protocol stream. Parking /dev/null on
//    every closed standard descriptor keeps those numbers taken.
// ---------------------------------------------------------------------------
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

#include "app/scene_state.h"

void protectStandardOutput()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) == -1) {
            // open() returns the lowest free descriptor, which is this one.
            open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        }
    }
    signal(SIGPIPE, SIG_IGN);
}
