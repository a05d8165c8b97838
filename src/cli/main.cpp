#include "cli/Interrupt.h"
#include "cli/ScanCommand.h"
#include "cli/TerminalText.h"
#include "discovery/ProjectScanner.h"

#include <QCoreApplication>

#include <cstdlib>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    interrupt::catchInterrupt();
    const int status = runScanCommand(
        args, std::cout, std::cerr,
        ScanCommandContext{nullptr, &interrupt::flag(),
                           TerminalStreams{::isatty(1) == 1, ::isatty(2) == 1, terminaltext::outputColumns(STDOUT_FILENO, std::getenv("COLUMNS"))},
                           interrupt::wakeDescriptor()});
    interrupt::restoreDefault();
    // Nothing of the scanner may run while the program's static objects go away.
    ProjectScanner::shared().shutdown();
    return status;
}
