// The .NET reader: <Version> of an SDK-style project file.
#include "discovery/ManifestReaders.h"

#include "discovery/ManifestText.h"

#include <QXmlStreamReader>

std::optional<QString> parseDotnetVersionData(QByteArrayView bytes) {
    QXmlStreamReader xml(bytes.toByteArray());
    std::optional<QString> version;
    // The names of the open elements: <Project><PropertyGroup><Version>.
    QStringList open;
    const QStringList propertyGroup = {QStringLiteral("Project"), QStringLiteral("PropertyGroup")};
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && !open.isEmpty()) open.removeLast();
        if (token != QXmlStreamReader::StartElement) continue;
        const QString name = xml.name().toString();
        if (!version && name == u"Version" && open == propertyGroup) {
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (!text.isEmpty()) version = text;
            continue; // the end element is consumed
        }
        open.append(name);
    }
    if (xml.hasError()) return std::nullopt;
    return version;
}
