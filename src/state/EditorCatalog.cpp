#include "state/EditorCatalog.h"

#include "state/DesktopEntry.h"
#include "state/ExecLine.h"
#include "state/SystemTerminalLauncher.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace {

// At most this many desktop files are read in one search.
constexpr int kMaxFiles = 8000;

struct KnownEditor {
    const char* name;
    // Desktop file ids without ".desktop", lower case; a trailing '*' matches any rest.
    QList<const char*> patterns;
};

// The well-known editors and IDEs, in the order the chooser lists them.
const QList<KnownEditor>& knownEditors() {
    static const QList<KnownEditor> table = {
        {"VS Code", {"code", "code-insiders", "com.visualstudio.code*", "visual-studio-code*"}},
        {"VSCodium", {"codium", "code-oss", "vscodium", "com.vscodium.codium*"}},
        {"JetBrains IDEs",
         {"jetbrains-idea*", "jetbrains-pycharm*", "jetbrains-clion*", "jetbrains-goland*", "jetbrains-webstorm*",
          "jetbrains-rider*", "jetbrains-rustrover*", "jetbrains-phpstorm*", "jetbrains-rubymine*",
          "jetbrains-studio*", "jetbrains-fleet*", "jetbrains-aqua*", "intellij-idea*", "idea*", "pycharm*",
          "clion*", "goland*", "webstorm*", "rider*", "rustrover*", "phpstorm*", "rubymine*", "com.jetbrains.*",
          "android-studio*", "com.google.androidstudio*"}},
        {"Sublime Text", {"sublime_text", "sublime-text", "com.sublimetext.*"}},
        {"Zed", {"dev.zed.zed*", "zed"}},
        {"Kate", {"org.kde.kate", "org.kde.kwrite", "kate"}},
        {"GNOME Text Editor", {"org.gnome.texteditor", "org.gnome.gedit", "gedit"}},
        {"GNOME Builder", {"org.gnome.builder"}},
        {"KDevelop", {"org.kde.kdevelop", "kdevelop"}},
        {"Emacs", {"emacs", "emacsclient", "org.gnu.emacs"}},
        {"Neovim", {"nvim", "neovide", "com.neovide.neovide"}},
        {"Vim", {"gvim", "vim", "org.vim.vim"}},
        {"Geany", {"geany", "org.geany.geany"}},
        {"Lapce", {"dev.lapce.lapce"}},
        {"Pulsar", {"pulsar", "dev.pulsar_edit.pulsar"}},
        {"Mousepad", {"org.xfce.mousepad", "mousepad"}},
        {"Xed and Pluma", {"xed", "pluma"}},
    };
    return table;
}

bool matches(const QString& id, const char* pattern) {
    QLatin1StringView p(pattern);
    if (p.endsWith(u'*')) return id.startsWith(p.chopped(1));
    return id == p;
}

QByteArray orDefault(const std::optional<QByteArray>& value, const QByteArray& fallback) {
    return value && !value->isEmpty() ? *value : fallback;
}

QByteArray readLimited(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > desktopentry::kMaxBytes) return {};
    return file.read(desktopentry::kMaxBytes);
}

} // namespace

EditorCatalog::Environment EditorCatalog::Environment::current() {
    const auto get = [](const char* name) -> std::optional<QByteArray> {
        if (!qEnvironmentVariableIsSet(name)) return std::nullopt;
        return qgetenv(name);
    };
    return {get("HOME"), get("XDG_DATA_HOME"), get("XDG_DATA_DIRS"), get("PATH"), get("VISUAL"), get("EDITOR")};
}

EditorCatalog::EditorCatalog(Environment environment) : m_env(std::move(environment)) {}

std::optional<int> EditorCatalog::knownEditorRank(const QString& desktopId) {
    QString id = desktopId.toLower();
    if (id.endsWith(QLatin1String(".desktop"))) id.chop(8);
    if (id == QLatin1String("jetbrains-toolbox")) return std::nullopt; // the installer, not an IDE
    const QList<KnownEditor>& table = knownEditors();
    for (int i = 0; i < table.size(); ++i) {
        for (const char* pattern : table[i].patterns) {
            if (matches(id, pattern)) return i;
        }
    }
    return std::nullopt;
}

QStringList EditorCatalog::knownEditorNames() {
    QStringList names;
    for (const KnownEditor& editor : knownEditors()) names.append(QString::fromLatin1(editor.name));
    return names;
}

QList<QByteArray> EditorCatalog::applicationFolders() const {
    QList<QByteArray> folders;
    const QByteArray home = orDefault(m_env.home, {});
    QByteArray dataHome = orDefault(m_env.dataHome, {});
    if (!dataHome.startsWith('/') && home.startsWith('/')) dataHome = home + "/.local/share";
    if (dataHome.startsWith('/')) folders.append(dataHome + "/applications");
    for (const QByteArray& dir : orDefault(m_env.dataDirs, "/usr/local/share/:/usr/share/").split(':')) {
        if (!dir.startsWith('/')) continue;
        QByteArray folder = dir;
        while (folder.size() > 1 && folder.endsWith('/')) folder.chop(1);
        folder += "/applications";
        if (!folders.contains(folder)) folders.append(folder);
    }
    return folders;
}

std::optional<QByteArray> EditorCatalog::resolve(const QString& program) const {
    return SystemTerminalLauncher::resolveInPath(QFile::encodeName(program), orDefault(m_env.path, "/usr/local/bin:/usr/bin:/bin"));
}

QList<EditorEntry> EditorCatalog::find() const {
    struct Found {
        int rank;
        EditorEntry entry;
    };
    QList<Found> found;
    QSet<QString> seenIds;
    int filesRead = 0;
    for (const QByteArray& folder : applicationFolders()) {
        const QString root = QFile::decodeName(folder);
        QDirIterator it(root, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext() && filesRead < kMaxFiles) {
            const QString path = it.next();
            // The desktop file id: the path below the folder with '/' as '-'.
            QString id = path.mid(root.size() + 1);
            id.replace(u'/', u'-');
            const std::optional<int> rank = knownEditorRank(id);
            if (!rank || seenIds.contains(id)) continue;
            seenIds.insert(id); // the first folder's file decides, shown or hidden
            ++filesRead;
            const std::optional<DesktopEntry> entry = desktopentry::parse(readLimited(path));
            if (!entry || entry->type != QLatin1String("Application") || entry->hidden || entry->noDisplay) continue;
            if (!entry->tryExec.isEmpty() && !resolve(entry->tryExec)) continue;
            const std::optional<QStringList> exec = execline::split(entry->exec);
            if (!exec || !resolve(exec->first())) continue;
            const QString name = entry->name.isEmpty() ? id.chopped(8) : entry->name;
            found.append({*rank, EditorEntry{id, name, *exec, entry->terminal, QFile::encodeName(path)}});
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.rank != b.rank) return a.rank < b.rank;
        return a.entry.name.compare(b.entry.name, Qt::CaseInsensitive) < 0;
    });
    QList<EditorEntry> editors;
    for (const Found& f : found) editors.append(f.entry);

    QList<QStringList> variables;
    for (const auto& [name, value] : {std::pair{"$VISUAL", m_env.visual}, std::pair{"$EDITOR", m_env.editor}}) {
        if (!value) continue;
        const QStringList words = QString::fromLocal8Bit(*value).split(u' ', Qt::SkipEmptyParts);
        if (words.isEmpty() || variables.contains(words) || !resolve(words.first())) continue;
        variables.append(words);
        const QString program = QFileInfo(words.first()).fileName();
        editors.append({QString::fromLatin1(name), QStringLiteral("%1 in a terminal (%2)").arg(program, QLatin1String(name)),
                        words, true, {}});
    }
    return editors;
}
