#pragma once

#include <QString>
#include <QStringList>

// The texts that tell the user how a project action went.

// The confirmation after copying the remote location `url`; it says so when a secret in the
// location was left out of the copy.
QString copiedMessage(const QString& url);
// The notice when no terminal could be started: names the programs tried, in order, and that
// the TERMINAL variable chooses one.
QString terminalFailureMessage(const QStringList& tried);
// The notice when the stored root folder was not found.
QString missingFolderMessage(const QString& folderText);
