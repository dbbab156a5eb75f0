#pragma once

#include <QStringList>

// tavlora-cli check FILE... [--json] [--werror] [--size WxH] [--vorn3 DIR] [--profile PATH]
// Needs a QGuiApplication (text is measured with the widgets' fonts). `args`
// are the words after "check".
// Exit status: 0 no error, 3 at least one error, 1 a file cannot be read, 2 usage error.
int RunCheckCommand(const QStringList& args);
