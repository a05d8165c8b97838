#include "cli/ScanOptions.h"

#include <QStringList>

#include <charconv>
#include <unistd.h>

QByteArray absoluteFolderPath(const QByteArray& path, const QByteArray& cwd) {
    const QByteArray full = path.startsWith('/') ? path : cwd + '/' + path;
    QByteArray out;
    for (const QByteArray& part : full.split('/')) {
        if (part.isEmpty() || part == ".") continue;
        out += '/';
        out += part;
    }
    return out.isEmpty() ? QByteArrayLiteral("/") : out;
}

namespace {
// More git processes than this only crowd the machine.
constexpr int kMaxJobs = 256;

QByteArray currentDirectory() {
    std::string buffer(4096, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) return QByteArrayLiteral("/");
        buffer.resize(buffer.size() * 2);
    }
    return QByteArray(buffer.c_str());
}
} // namespace

ScanOptionsResult parseScanOptions(const std::vector<std::string>& args, const QStringList& formats) {
    ScanOptions options;
    std::optional<std::string> folder;
    const auto fail = [](std::string message) { return ScanOptionsResult{std::nullopt, std::move(message)}; };

    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string name = arg;
        std::optional<std::string> value;
        if (arg.rfind("--", 0) == 0 && arg.size() > 2) {
            if (const size_t eq = arg.find('='); eq != std::string::npos) {
                name = arg.substr(0, eq);
                value = arg.substr(eq + 1);
            }
        }
        const auto takeValue = [&]() -> std::optional<std::string> {
            if (value) return value;
            if (i + 1 < args.size()) return args[++i];
            return std::nullopt;
        };

        if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (name == "--version") {
            options.version = true;
        } else if (name == "--max-depth") {
            const auto v = takeValue();
            if (!v) return fail("option --max-depth needs a number");
            int depth = -1;
            const auto [ptr, ec] = std::from_chars(v->data(), v->data() + v->size(), depth);
            if (ec != std::errc() || ptr != v->data() + v->size() || depth < 0)
                return fail("--max-depth needs a whole number of 0 or more, not '" + *v + "'");
            options.maxDepth = depth;
        } else if (name == "--attention" && !value) {
            options.attention = true;
        } else if (name == "--fetch" && !value) {
            options.fetch = true;
        } else if (name == "--watch" && !value) {
            options.watch = true;
        } else if (name == "--cached" && !value) {
            options.cached = true;
        } else if (name == "--pull" && !value) {
            options.pull = true;
        } else if (name == "--color") {
            const auto v = takeValue();
            if (v == "never") options.color = ColorMode::never;
            else if (v == "auto") options.color = ColorMode::automatic;
            else if (v == "always") options.color = ColorMode::always;
            else return fail("option --color needs one of: never auto always");
        } else if (name == "--jobs") {
            const auto v = takeValue();
            if (!v) return fail("option --jobs needs a number");
            int jobs = 0;
            const auto [ptr, ec] = std::from_chars(v->data(), v->data() + v->size(), jobs);
            if (ec != std::errc() || ptr != v->data() + v->size() || jobs < 1 || jobs > kMaxJobs)
                return fail("--jobs needs a whole number from 1 to " + std::to_string(kMaxJobs) + ", not '" + *v + "'");
            options.jobs = jobs;
        } else if (arg == "--progress") {
            options.progress = ScanOptions::Progress::always;
        } else if (arg == "--no-progress") {
            options.progress = ScanOptions::Progress::never;
        } else if (name == "--format") {
            const auto v = takeValue();
            if (!v) return fail("option --format needs one of: " + formats.join(QLatin1Char(' ')).toStdString());
            const QString format = QString::fromStdString(*v);
            if (!formats.contains(format))
                return fail("unknown format '" + *v + "' (use one of: " +
                            formats.join(QLatin1Char(' ')).toStdString() + ")");
            options.format = format;
        } else if (arg == "--") {
            // Everything after "--" is a FOLDER, even when it starts with "-".
            for (++i; i < args.size(); ++i) {
                if (folder) return fail("only one FOLDER may be given");
                folder = args[i];
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return fail("unknown option '" + arg + "'");
        } else {
            if (folder) return fail("only one FOLDER may be given");
            folder = arg;
        }
    }
    if (options.help || options.version) return {options, {}};
    if (!folder || folder->empty()) return fail("missing FOLDER (try --help)");
    if (options.cached && options.fetch) return fail("--cached prints stored results: it cannot --fetch");
    if (options.cached && options.watch) return fail("--cached prints stored results: it cannot --watch");
    if (options.pull && options.format != QLatin1String("table") && options.format != QLatin1String("json"))
        return fail("--pull prints lines of text, or JSON with --format json");
    if (options.pull && (options.attention || options.watch || options.cached))
        return fail("--pull cannot be combined with --attention, --watch or --cached");
    options.folder = absoluteFolderPath(QByteArray::fromStdString(*folder), currentDirectory());
    return {options, {}};
}
