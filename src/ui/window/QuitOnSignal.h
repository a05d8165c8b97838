#pragma once

class QCoreApplication;

// Makes SIGTERM and SIGINT end the application's event loop the way Quit does, so that the
// program's normal shutdown (stopping a running scan first) runs instead of an abrupt end.
// Call once, after the application object exists.
void quitOnTerminationSignals(QCoreApplication& app);
