#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// An editor or IDE the user can open a project folder in.
struct EditorEntry {
    // The desktop file id ("code.desktop", "jetbrains-idea-ce.desktop"), or "$VISUAL" / "$EDITOR".
    QString id;
    QString name;
    // The Exec arguments with their field codes; for $VISUAL / $EDITOR the variable's words.
    QStringList exec;
    // Runs in the user's terminal: Terminal=true, and always for $VISUAL / $EDITOR.
    bool terminal = false;
    // The desktop file the entry was read from; empty for the variables.
    QByteArray file;
};

// Finds the editors and IDEs installed: the desktop entries of the well-known ones in the XDG
// application folders, then $VISUAL and $EDITOR. Reads the environment it was given, never the
// process's own after construction.
class EditorCatalog {
public:
    struct Environment {
        std::optional<QByteArray> home, dataHome, dataDirs, path, visual, editor;
        // This process's variables HOME, XDG_DATA_HOME, XDG_DATA_DIRS, PATH, VISUAL, EDITOR.
        static Environment current();
    };

    explicit EditorCatalog(Environment environment = Environment::current());

    // In the order the chooser lists them: the table's order of editors, then by name; the
    // variables last. A desktop file id found in several folders counts once, from the first
    // folder (a Hidden entry there hides it). Entries that are hidden, not shown, not of type
    // Application, whose Exec cannot be read or whose TryExec or program is not installed are
    // left out; so is a variable naming no installed program.
    QList<EditorEntry> find() const;

    // $XDG_DATA_HOME (default ~/.local/share) and each of $XDG_DATA_DIRS (default
    // /usr/local/share:/usr/share), each with "/applications"; relative entries are ignored.
    QList<QByteArray> applicationFolders() const;
    // The executable a program name or absolute path stands for, searched in the PATH given.
    std::optional<QByteArray> resolve(const QString& program) const;

    // Whether a desktop file id is one of the well-known editors (and where in the table).
    static std::optional<int> knownEditorRank(const QString& desktopId);
    // The editors the table looks for, for the notice when none is found ("VS Code, ...").
    static QStringList knownEditorNames();

private:
    Environment m_env;
};
