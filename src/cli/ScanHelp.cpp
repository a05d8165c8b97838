#include "cli/ScanHelp.h"

#include "cli/ScanExitStatus.h"

#include <algorithm>

const std::vector<ScanOptionHelp>& scanOptionTable() {
    static const std::vector<ScanOptionHelp> table = {
        {"--format", "FORMAT", "output format: %1 (default table)"},
        {"--max-depth", "N", "how many folder levels below FOLDER to examine (default 10)"},
        {"--attention", "", "list only the projects that need attention, with the reasons"},
        {"--fetch", "", "fetch every repository's remotes before reading its state"},
        {"--watch", "", "keep running: print each project again when its state changes"},
        {"--cached", "", "print the results stored by the window for FOLDER; no scan"},
        {"--pull", "", "fast-forward every branch that can be; one line each"},
        {"--color", "WHEN", "colours in the table: never, auto or always (default auto)"},
        {"--jobs", "N", "git processes at once (default: online CPUs, at most 16)"},
        {"--progress", "", "show progress on standard error even when that is not a tty"},
        {"--no-progress", "", "never show progress"},
        {"--help", "", "show this help and exit"},
        {"--version", "", "show the version and exit"},
    };
    return table;
}

QString scanHelpText(const QStringList& formats) {
    QString text = QStringLiteral(
        "Usage: codeorchardist-scan [OPTION]... FOLDER\n"
        "\n"
        "Finds the software projects under FOLDER and prints their state.\n"
        "\n"
        "Options:\n");
    const auto label = [](const ScanOptionHelp& o) {
        return QString::fromLatin1(o.name) + (*o.argument ? QStringLiteral(" ") + QLatin1String(o.argument) : QString());
    };
    qsizetype column = 0;
    for (const ScanOptionHelp& o : scanOptionTable()) column = std::max(column, label(o).size());
    const QString formatList = formats.join(QStringLiteral(", "));
    for (const ScanOptionHelp& o : scanOptionTable()) {
        QString line = QString::fromLatin1(o.text);
        line.replace(QStringLiteral("%1"), formatList);
        text += QStringLiteral("  ") + label(o).leftJustified(column + 2) + line + QLatin1Char('\n');
    }
    text += QStringLiteral(
        "\n"
        "NO_COLOR in the environment turns colours off unless --color always is given.\n"
        "On a terminal the table fits COLUMNS when it is set, else the terminal's width.\n"
        "\n"
        "Exit status:\n");
    for (const scanexit::StatusHelp& s : scanexit::statusTable())
        text += QStringLiteral("  %1%2\n").arg(QString::number(s.status), -5).arg(QLatin1String(s.text));
    return text;
}
