// The desktop entry parser and the Exec line's splitting and field-code expansion on
// arbitrary files; the remote web page derivation on the same text.
#include "FuzzSupport.h"

#include "model/RemoteUrl.h"
#include "state/DesktopEntry.h"
#include "state/ExecLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzzsupport::view(data, size).toByteArray();
    const QByteArray folder = "/home/me/a b";
    if (const std::optional<DesktopEntry> entry = desktopentry::parse(bytes)) {
        if (const std::optional<QStringList> arguments = execline::split(entry->exec)) {
            fuzzsupport::check(!arguments->isEmpty() && !arguments->first().isEmpty());
            const QList<QByteArray> command = execline::expand(*arguments, folder);
            // The program stays first, and the folder is always handed over, whole.
            fuzzsupport::check(!command.isEmpty() && command.size() <= arguments->size() + 1);
            bool hasFolder = false;
            for (const QByteArray& argument : command) hasFolder = hasFolder || argument.contains(folder);
            fuzzsupport::check(hasFolder);
        }
    }
    // A web page never carries credentials and is https or http.
    const QString page = remoteWebUrl(QString::fromUtf8(bytes));
    if (!page.isEmpty()) {
        fuzzsupport::check(page.startsWith(QLatin1String("https://")) || page.startsWith(QLatin1String("http://")));
        fuzzsupport::check(!page.contains(u'@'));
    }
    return 0;
}
