#pragma once

// The real program as a separate process in a virtual X display, seen and
// driven from outside through xdotool and the screen, as a user would.

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QtTest>

inline QString xdotool(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), args);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// The program under test, with its output kept for a failure report.
struct RunningProgram {
    QProcess process;

    RunningProgram(const QString& folder, const QStringList& args, const QString& program = QStringLiteral(ZUBELO_EXE),
                   const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
    {
        process.setWorkingDirectory(folder);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setProcessEnvironment(environment);
        process.start(program, args);
        if (!process.waitForStarted())
            qWarning("zubelo did not start");
    }
    ~RunningProgram()
    {
        process.kill();
        process.waitForFinished();
    }

    // The first visible window of the program whose title is exactly `title`.
    QString window(const QString& title, int timeoutMs = 15000)
    {
        QElapsedTimer timer;
        timer.start();
        do {
            const QString found = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                           QStringLiteral("--pid"), QString::number(process.processId())});
            for (const QString& id : found.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
                if (xdotool({QStringLiteral("getwindowname"), id}) == title)
                    return id;
            }
            QTest::qWait(100);
        } while (timer.elapsed() < timeoutMs);
        return {};
    }

    // Keys typed into the given window, as a user types them; several keys
    // separated by blanks.
    void type(const QString& window, const QString& keys)
    {
        xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
        QTest::qWait(200);
        xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("50")}
                + keys.split(QLatin1Char(' '), Qt::SkipEmptyParts));
        QTest::qWait(200);
    }
};

inline QImage grab(const QString& window)
{
    QTest::qWait(300); // let the program finish painting
    return QGuiApplication::primaryScreen()->grabWindow(window.toULongLong()).toImage().convertToFormat(QImage::Format_RGB32);
}
