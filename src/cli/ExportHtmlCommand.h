#pragma once

#include <QStringList>

// tavlora-cli export-html FILE [--size WxH] [--vorn3 DIR] [--profile PATH] -o DIR
// Needs a QGuiApplication. `args` are the words after "export-html".
// Exit status: 0 success, 1 bad input file or output not written, 2 usage error.
int RunExportHtmlCommand(const QStringList& args);
