// The Maven reader: pom.xml read as XML, with the plain first-match reading for text that is
// not well-formed.
#include "discovery/ManifestReaders.h"

#include "discovery/ManifestText.h"

#include <QXmlStreamReader>

namespace {

// An empty element counts as absent; any other text is kept as written.
std::optional<QString> elementText(QXmlStreamReader& xml) {
    const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
    if (text.isEmpty()) return std::nullopt;
    return text;
}

// The first <artifactId> and <version> anywhere in the text.
ManifestInfo firstMatches(QByteArrayView bytes) {
    static const QRegularExpression versionRe(QStringLiteral("<version>([^<]+)</version>"), manifesttext::kPatternOptions);
    static const QRegularExpression artifactRe(QStringLiteral("<artifactId>([^<]+)</artifactId>"),
                                               manifesttext::kPatternOptions);
    ManifestInfo info;
    const std::optional<QString> text = manifesttext::text(bytes);
    if (!text) return info;
    info.version = manifesttext::firstCapture(versionRe, *text);
    info.name = manifesttext::firstCapture(artifactRe, *text);
    return info;
}

} // namespace

ManifestInfo parsePomXMLData(QByteArrayView bytes) {
    QXmlStreamReader xml(bytes.toByteArray());
    ManifestInfo info;
    std::optional<QString> parentVersion;
    bool ownVersion = false;
    int depth = 0; // of the element just started: <project> is 1
    bool inParent = false;
    bool isProject = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (depth == 2) inParent = false;
            --depth;
            continue;
        }
        if (token != QXmlStreamReader::StartElement) continue;
        ++depth;
        const QStringView name = xml.name();
        if (depth == 1) {
            isProject = name == u"project";
            continue;
        }
        if (!isProject) continue;
        // readElementText consumes the end element, so the depth stays.
        if (depth == 2 && name == u"artifactId" && !info.name) {
            info.name = elementText(xml);
            --depth;
        } else if (depth == 2 && name == u"version" && !ownVersion) {
            info.version = elementText(xml);
            ownVersion = true;
            --depth;
        } else if (depth == 2 && name == u"parent") {
            inParent = true;
        } else if (depth == 3 && inParent && name == u"version" && !parentVersion) {
            parentVersion = elementText(xml);
            --depth;
        }
    }
    if (xml.hasError()) return firstMatches(bytes);
    if (!info.version) info.version = parentVersion;
    return info;
}
