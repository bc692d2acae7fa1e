// Runs the program under test as a script would: without a display, in the
// given language if any, and collects its status and output.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace tour::testing {

struct Run {
    int status = -1;  // -1: it crashed
    QString out;
    QString err;
};

inline Run run_program(const QStringList& arguments, const QString& language = QString()) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (!language.isEmpty()) {
        environment.insert(QStringLiteral("LANG"), language);
        environment.insert(QStringLiteral("LC_ALL"), language);
    }
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(INTERP1D_BINARY), arguments);
    process.waitForFinished(300000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace tour::testing
