#pragma once

#include <QStringList>

// tavlora-cli map FILE [--format dot|json] [-o OUT]
// `args` are the words after "map". Rendering to SVG, PNG or PDF runs Graphviz's
// dot when it is installed.
// Exit status: 0 success, 1 bad input file, output not written or dot missing, 2 usage error.
int RunMapCommand(const QStringList& args);
