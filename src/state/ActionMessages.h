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
// The notice when no file manager took the folder.
QString fileManagerFailureMessage();
// The notice when no editor was found: the editors looked for and where.
QString noEditorMessage(const QStringList& editorNames, const QStringList& folders);
// The notice when a program could not be started: "Could not start <name>: <reason>".
QString startFailureMessage(const QString& name, const QString& reason);
// The notice when the remote's web page could not be derived or opened.
QString noWebPageMessage(const QString& remoteUrl);
// The notice when the stored root folder was not found.
QString missingFolderMessage(const QString& folderText);
