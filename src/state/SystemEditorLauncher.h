#pragma once

#include "state/EditorCatalog.h"
#include "state/PlatformServices.h"

#include <memory>

// Opens folders in the editors EditorCatalog finds: a desktop entry's Exec expanded for the
// folder and started detached without a shell, in the folder; Terminal=true entries and
// $VISUAL / $EDITOR through the terminal launcher, running the editor with the folder.
class SystemEditorLauncher : public EditorLauncher {
public:
    SystemEditorLauncher(EditorCatalog catalog, std::shared_ptr<TerminalLauncher> terminal);

    QList<EditorChoice> editors() override;
    QString openFolder(const QString& id, const QByteArray& folder) override;
    QString nothingFoundMessage() const override;

    // The program and arguments that open `folder` in `editor` (field codes expanded; the
    // program resolved when it can be).
    QList<QByteArray> command(const EditorEntry& editor, const QByteArray& folder) const;

private:
    EditorCatalog m_catalog;
    std::shared_ptr<TerminalLauncher> m_terminal;
    QList<EditorEntry> m_found;
};
