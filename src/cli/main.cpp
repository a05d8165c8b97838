#include "cli/Interrupt.h"
#include "cli/ScanCommand.h"
#include "discovery/ProjectScanner.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    interrupt::catchInterrupt();
    const int status = runScanCommand(args, std::cout, std::cerr);
    interrupt::restoreDefault();
    // Nothing of the scanner may run while the program's static objects go away.
    ProjectScanner::shared().shutdown();
    return status;
}
