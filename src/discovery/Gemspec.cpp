// The Ruby reader: the name and version literals of a gemspec.
#include "discovery/ManifestReaders.h"

#include "discovery/ManifestText.h"

namespace {

// `<receiver>.<key> = "literal"` at the start of a line (so a commented line does not count).
QRegularExpression assignment(const char* key) {
    return QRegularExpression(QStringLiteral(R"((?m)^[ \t]*[A-Za-z_]\w*\.)") + QString::fromLatin1(key) +
                                  QStringLiteral(R"([ \t]*=[ \t]*(["'])([^"'\r\n]+)\1)"),
                              manifesttext::kPatternOptions);
}

} // namespace

ManifestInfo parseGemspecData(QByteArrayView bytes) {
    static const QRegularExpression name = assignment("name");
    static const QRegularExpression version = assignment("version");
    ManifestInfo info;
    const std::optional<QString> text = manifesttext::text(bytes);
    if (!text) return info;
    info.name = manifesttext::firstCapture(name, *text, 2);
    info.version = manifesttext::firstCapture(version, *text, 2);
    return info;
}
