#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Runs the built tavlora-cli in a child process.
struct CliRun {
    int status = -1;
    QString out;
    QString err;

    static CliRun Of(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
                     const QString& workingDir = QString());
    // A file of the source tree.
    static QString Source(const QString& relative);
};
