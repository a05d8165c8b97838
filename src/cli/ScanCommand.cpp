#include "cli/ScanCommand.h"

#include "cli/GraphFormat.h"
#include "cli/ProjectFormats.h"
#include "cli/ScanHelp.h"
#include "cli/ScanOptions.h"
#include "cli/TreeFormat.h"
#include "discovery/ProjectScanner.h"

#include <QStringList>

#include <dirent.h>
#include <ostream>
#include <sys/stat.h>
#include <utility>

namespace {

const std::vector<std::pair<QString, ProjectFormatter>>& formatters() {
    static const std::vector<std::pair<QString, ProjectFormatter>> all = {
        {QStringLiteral("table"), &writeProjectTable},
        {QStringLiteral("json"), &writeProjectJson},
        {QStringLiteral("tree"), &writeProjectTree},
        {QStringLiteral("graph"), &writeProjectGraph},
    };
    return all;
}

// A folder that exists and whose listing can be read.
bool isReadableFolder(const QByteArray& path) {
    struct stat st;
    if (::stat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    DIR* dir = ::opendir(path.constData());
    if (!dir) return false;
    ::closedir(dir);
    return true;
}

} // namespace

int runScanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   std::optional<int> terminalColumns) {
    QStringList names;
    for (const auto& [name, writer] : formatters()) names.append(name);

    const ScanOptionsResult parsed = parseScanOptions(args, names);
    if (!parsed.options) {
        err << "codeorchardist-scan: " << parsed.error << "\n";
        return 2;
    }
    const ScanOptions& options = *parsed.options;
    if (options.help) {
        out << scanHelpText(names).toStdString();
        return 0;
    }
    if (options.version) {
        out << "codeorchardist-scan " << CODEORCHARDIST_VERSION << "\n";
        return 0;
    }
    if (!isReadableFolder(options.folder)) {
        err << "codeorchardist-scan: cannot read folder '" << QString::fromUtf8(options.folder).toStdString()
            << "'\n";
        return 2;
    }

    const QList<Project> projects = ProjectScanner::shared().scanProjects(options.folder, options.maxDepth).result();
    if (options.format == QLatin1String("table")) {
        writeFittedProjectTable(projects, options.folder, out, terminalColumns);
    } else {
        for (const auto& [name, writer] : formatters()) {
            if (name == options.format) writer(projects, options.folder, out);
        }
    }
    out.flush();
    return 0;
}
