#include "cli/ScanCommand.h"
#include "cli/TerminalText.h"

#include <QCoreApplication>

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    return runScanCommand(args, std::cout, std::cerr,
                          TerminalStreams{::isatty(1) == 1, ::isatty(2) == 1, terminaltext::terminalColumns(STDOUT_FILENO)});
}
