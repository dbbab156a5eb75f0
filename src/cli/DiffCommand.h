#pragma once

#include <QStringList>

// tavlora-cli diff A B: the controls added, removed and changed per screen, and
// the colours changed. `args` are the words after "diff".
// Exit status: 0 equal, 1 different, 2 usage error or a file that cannot be read.
int RunDiffCommand(const QStringList& args);
