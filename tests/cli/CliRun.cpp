#include "CliRun.h"

#include <QProcess>

CliRun CliRun::Of(const QStringList& args, const QProcessEnvironment& env, const QString& workingDir)
{
    QProcess p;
    p.setProcessEnvironment(env);
    if (!workingDir.isEmpty())
        p.setWorkingDirectory(workingDir);
    p.start(QStringLiteral(TAVLORA_CLI), args);
    CliRun run;
    if (!p.waitForFinished(240000)) {
        p.kill();
        p.waitForFinished();
        run.err = QStringLiteral("timed out");
        return run;
    }
    run.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

QString CliRun::Source(const QString& relative)
{
    return QStringLiteral(TAVLORA_SOURCE_DIR "/") + relative;
}
