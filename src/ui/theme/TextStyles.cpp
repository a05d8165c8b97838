#include "TextStyles.h"

#include <QHash>

namespace textstyles {

int pixelSize(const QString& style) {
    static const QHash<QString, int> sizes = {
        {QStringLiteral("largeTitle"), largeTitle}, {QStringLiteral("title"), title},
        {QStringLiteral("title2"), title2},         {QStringLiteral("headline"), headline},
        {QStringLiteral("subheadline"), subheadline}, {QStringLiteral("body"), body},
        {QStringLiteral("caption"), caption},       {QStringLiteral("caption2"), caption2},
        {QStringLiteral("monospacedBody"), monospacedBody},
    };
    return sizes.value(style, body);
}

} // namespace textstyles
