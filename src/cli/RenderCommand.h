#pragma once

#include <QStringList>

// tavlora-cli render FILE [--screen N] [--size WxH] [--vorn3 DIR] [--profile PATH]
//                         (-o OUT.png | --all -o DIR | [--all] -o OUT.pdf)
// Needs a QGuiApplication. `args` are the words after "render".
// Exit status: 0 success, 1 bad input or output file, 2 usage error.
int RunRenderCommand(const QStringList& args);
