#include "state/ActionMessages.h"

#include "model/RemoteUrl.h"

namespace {
// A program name from the environment is cut to this length in the message.
constexpr qsizetype kMaxNameLength = 80;

QString shortened(const QString& text) {
    return text.size() <= kMaxNameLength ? text : text.left(kMaxNameLength - 1) + QChar(0x2026);
}
} // namespace

QString copiedMessage(const QString& url) {
    if (urlCarriesSecret(url)) return QStringLiteral("Copied, without the password or token it contains");
    return QStringLiteral("Copied");
}

QString terminalFailureMessage(const QStringList& tried) {
    QString message = QStringLiteral("No terminal could be started.");
    if (!tried.isEmpty()) {
        QStringList names;
        // Every program is named (the list is short: $TERMINAL, x-terminal-emulator and the
        // desktops' terminals), so the user can tell which one to install.
        for (const QString& program : tried) names.append(shortened(program));
        message += QStringLiteral(" Tried: ") + names.join(QStringLiteral(", ")) + QLatin1Char('.');
    }
    message += QStringLiteral(" Set $TERMINAL to the terminal you want.");
    return message;
}

QString missingFolderMessage(const QString& folderText) {
    return QStringLiteral("The folder %1 was not found. Choose a folder to continue.").arg(folderText);
}

QString fileManagerFailureMessage() {
    return QStringLiteral("Could not open the file manager: no file manager answered, and xdg-open failed.");
}

QString noEditorMessage(const QStringList& editorNames, const QStringList& folders) {
    QString message = QStringLiteral("No editor found. Looked for ") + editorNames.join(QStringLiteral(", "));
    if (!folders.isEmpty()) message += QStringLiteral(" in ") + folders.join(QStringLiteral(", "));
    return message + QStringLiteral(", and for $VISUAL and $EDITOR.");
}

QString startFailureMessage(const QString& name, const QString& reason) {
    return QStringLiteral("Could not start %1: %2").arg(shortened(name), reason);
}

QString noWebPageMessage(const QString& remoteUrl) {
    if (remoteUrl.isEmpty()) return QStringLiteral("No remote with a web page");
    return QStringLiteral("Could not open the web page of %1").arg(shortened(redactedUrl(remoteUrl)));
}
