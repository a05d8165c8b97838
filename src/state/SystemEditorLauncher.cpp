#include "state/SystemEditorLauncher.h"

#include "state/ActionMessages.h"
#include "state/ExecLine.h"
#include "state/SystemTerminalLauncher.h"

#include <QFile>

#include <cstring>

SystemEditorLauncher::SystemEditorLauncher(EditorCatalog catalog, std::shared_ptr<TerminalLauncher> terminal)
    : m_catalog(std::move(catalog)), m_terminal(std::move(terminal)) {}

QList<EditorChoice> SystemEditorLauncher::editors() {
    m_found = m_catalog.find();
    QList<EditorChoice> choices;
    for (const EditorEntry& e : m_found) choices.append({e.id, e.name});
    return choices;
}

QList<QByteArray> SystemEditorLauncher::command(const EditorEntry& editor, const QByteArray& folder) const {
    QList<QByteArray> words;
    if (editor.file.isEmpty()) {
        for (const QString& word : editor.exec) words.append(QFile::encodeName(word));
        words.append(folder);
    } else {
        words = execline::expand(editor.exec, folder);
    }
    if (!words.isEmpty()) {
        if (const std::optional<QByteArray> program = m_catalog.resolve(QFile::decodeName(words.first()))) words.first() = *program;
    }
    return words;
}

QString SystemEditorLauncher::openFolder(const QString& id, const QByteArray& folder) {
    const auto find = [&]() -> const EditorEntry* {
        for (const EditorEntry& e : m_found) {
            if (e.id == id) return &e;
        }
        return nullptr;
    };
    if (!find()) editors();
    const EditorEntry* editor = find();
    if (!editor) return startFailureMessage(id, QStringLiteral("it is no longer installed"));
    const QList<QByteArray> words = command(*editor, folder);
    if (words.isEmpty() || !words.first().startsWith('/'))
        return startFailureMessage(editor->name, QStringLiteral("%1 was not found").arg(editor->exec.value(0)));
    if (editor->terminal) {
        if (m_terminal && m_terminal->runInTerminal(folder, words)) return {};
        return startFailureMessage(editor->name, terminalFailureMessage(m_terminal ? m_terminal->triedPrograms() : QStringList()));
    }
    int error = 0;
    if (spawnDetached(words.first(), words.mid(1), folder, &error)) return {};
    return startFailureMessage(editor->name, QStringLiteral("%1 (%2)").arg(QString::fromLocal8Bit(std::strerror(error)),
                                                                        QFile::decodeName(words.first())));
}

QString SystemEditorLauncher::nothingFoundMessage() const {
    QStringList folders;
    for (const QByteArray& folder : m_catalog.applicationFolders()) folders.append(QFile::decodeName(folder));
    return noEditorMessage(EditorCatalog::knownEditorNames(), folders);
}
