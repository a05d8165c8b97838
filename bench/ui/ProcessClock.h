#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <unistd.h>

// Milliseconds since the process started (from /proc, so the loader's work counts too); -1
// when /proc cannot be read.
inline double msSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray s = stat.readAll();
    const QList<QByteArray> fields = s.mid(s.lastIndexOf(')') + 2).split(' ');
    // Field 22 of the whole line is the start time; after "pid (comm) " it is index 19.
    const double startTicks = fields.value(19).toDouble();
    const double up = uptime.readAll().split(' ').value(0).toDouble();
    return (up - startTicks / double(sysconf(_SC_CLK_TCK))) * 1000.0;
}
