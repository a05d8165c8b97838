#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// One row of the scanner's option table: "--format", "FORMAT", "output format ...".
struct ScanOptionHelp {
    const char* name;
    const char* argument; // "" for a switch
    const char* text;     // one line; "%1" stands for the list of formats
};

// Every option the scanner takes, in the order --help shows them.
const std::vector<ScanOptionHelp>& scanOptionTable();

// The whole --help text: usage line, one line per option, and the exit statuses.
QString scanHelpText(const QStringList& formats);
