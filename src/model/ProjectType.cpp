#include "model/ProjectType.h"

#include <QHash>

namespace projecttype {

namespace {
struct KindInfo {
    const char* raw;
    const char* icon;
    const char* color;
};

constexpr std::array<KindInfo, 7> kInfo = {{
    {"Node.js", "cube.box", "green"},
    {"React Native", "iphone", "cyan"},
    {"Next.js", "globe", "primary"},
    {"Java/Maven", "cup.and.saucer", "orange"},
    {"Python", "chevron.left.forwardslash.chevron.right", "yellow"},
    {"Swift", "swift", "orange"},
    {"Unknown", "questionmark.folder", "gray"},
}};

const KindInfo& info(ProjectType type) { return kInfo[static_cast<size_t>(type)]; }
} // namespace

QString rawValue(ProjectType type) { return QString::fromLatin1(info(type).raw); }

std::optional<ProjectType> fromRawValue(const QString& raw) {
    for (ProjectType type : allCases) {
        if (raw == QLatin1String(info(type).raw)) return type;
    }
    return std::nullopt;
}

QString icon(ProjectType type) { return QString::fromLatin1(info(type).icon); }

QString color(ProjectType type) { return QString::fromLatin1(info(type).color); }

} // namespace projecttype

size_t qHash(ProjectType type, size_t seed) noexcept { return qHash(projecttype::rawValue(type), seed); }
