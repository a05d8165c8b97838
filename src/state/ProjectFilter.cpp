#include "state/ProjectFilter.h"

#include "model/Attention.h"
#include "state/ProjectAge.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <array>
#include <limits>

namespace {

bool isAscii(QStringView text) {
    for (QChar c : text) {
        if (c.unicode() >= 0x80) return false;
    }
    return true;
}

// ICU call into a growing buffer: `call(dest, capacity, status)` returns the needed length.
template <typename Call>
QString icuTransform(qsizetype sizeHint, Call call) {
    QString result(qMax<qsizetype>(sizeHint, 16), Qt::Uninitialized);
    for (int attempt = 0; attempt < 2; ++attempt) {
        UErrorCode status = U_ZERO_ERROR;
        const int32_t length = call(reinterpret_cast<UChar*>(result.data()), int32_t(result.size()), status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            result.resize(length);
            continue;
        }
        if (U_FAILURE(status)) return {};
        result.truncate(length);
        return result;
    }
    return {};
}

} // namespace

TextMatcher::TextMatcher(const QLocale& locale)
    : m_turkic(locale.language() == QLocale::Turkish || locale.language() == QLocale::Azerbaijani) {}

QString TextMatcher::fold(QStringView text) const {
    if (text.isEmpty()) return QString();
    if (isAscii(text)) {
        // Plain ASCII is already normalized and folds letter by letter.
        QString folded(text.size(), Qt::Uninitialized);
        QChar* out = folded.data();
        for (QChar c : text) {
            char16_t u = c.unicode();
            if (u >= 'A' && u <= 'Z') u = (m_turkic && u == 'I') ? char16_t(0x0131) : char16_t(u + 32);
            *out++ = QChar(u);
        }
        return folded;
    }
    if (text.size() > std::numeric_limits<int32_t>::max() / 4) return text.toString();

    // Composed and decomposed spellings of the same text must match each other.
    const auto* source = reinterpret_cast<const UChar*>(text.utf16());
    const auto length = int32_t(text.size());
    QString normalized = text.toString();
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
    if (U_SUCCESS(status)) {
        UErrorCode check = U_ZERO_ERROR;
        const bool isNormalized = unorm2_isNormalized(nfc, source, length, &check);
        if (U_SUCCESS(check) && !isNormalized) {
            QString composed = icuTransform(text.size() + 8, [&](UChar* dest, int32_t capacity, UErrorCode& s) {
                return unorm2_normalize(nfc, source, length, dest, capacity, &s);
            });
            if (!composed.isEmpty()) normalized = std::move(composed);
        }
    }

    const uint32_t options = m_turkic ? U_FOLD_CASE_EXCLUDE_SPECIAL_I : U_FOLD_CASE_DEFAULT;
    const auto* folding = reinterpret_cast<const UChar*>(normalized.utf16());
    QString folded = icuTransform(normalized.size() + 8, [&](UChar* dest, int32_t capacity, UErrorCode& s) {
        return u_strFoldCase(dest, capacity, folding, int32_t(normalized.size()), options, &s);
    });
    return folded.isEmpty() ? normalized : folded;
}

bool TextMatcher::contains(QStringView haystack, QStringView needle) const {
    if (needle.isEmpty()) return true;
    return fold(haystack).contains(fold(needle));
}

ProjectSearchIndex::ProjectSearchIndex(const QLocale& locale) : m_matcher(locale) {}

ProjectSearchKeys ProjectSearchIndex::keysOf(const Project& project) const {
    ProjectSearchKeys keys;
    keys.name = m_matcher.fold(project.name);
    keys.path = m_matcher.fold(project.pathText());
    if (project.gitBranch) keys.branch = m_matcher.fold(*project.gitBranch);
    return keys;
}

void ProjectSearchIndex::reset(const QList<Project>& projects) {
    m_keys.clear();
    m_keys.reserve(projects.size());
    for (const Project& project : projects) m_keys.append(keysOf(project));
}

void ProjectSearchIndex::replace(qsizetype index, const Project& project) {
    if (index >= 0 && index < m_keys.size()) m_keys[index] = keysOf(project);
}

QString statusFilterKey(StatusFilter filter) {
    switch (filter) {
    case StatusFilter::none: return {};
    case StatusFilter::attention: return QStringLiteral("attention");
    case StatusFilter::modified: return QStringLiteral("modified");
    case StatusFilter::stale: return QStringLiteral("stale");
    }
    return {};
}

std::optional<StatusFilter> statusFilterFromKey(const QString& key) {
    for (const StatusFilter f : {StatusFilter::none, StatusFilter::attention, StatusFilter::modified, StatusFilter::stale}) {
        if (statusFilterKey(f) == key) return f;
    }
    return std::nullopt;
}

bool matchesStatus(const Project& project, StatusFilter filter, const QDateTime& now) {
    switch (filter) {
    case StatusFilter::none: return true;
    case StatusFilter::attention: return needsAttention(project);
    case StatusFilter::modified: return project.hasUncommittedChanges;
    case StatusFilter::stale: return projectage::isStale(project.lastModified, now);
    }
    return true;
}

QList<qsizetype> ProjectSearchIndex::matchingRows(const QList<Project>& projects, const QString& searchText,
                                                 std::optional<ProjectType> type, StatusFilter status,
                                                 const QDateTime& now) const {
    QList<qsizetype> rows = matchingRows(projects, searchText, type);
    if (status != StatusFilter::none)
        rows.removeIf([&](qsizetype row) { return !matchesStatus(projects.at(row), status, now); });
    return rows;
}

QList<qsizetype> ProjectSearchIndex::matchingRows(const QList<Project>& projects, const QString& searchText,
                                                 std::optional<ProjectType> type) const {
    Q_ASSERT(projects.size() == m_keys.size());
    const qsizetype count = qMin(projects.size(), m_keys.size());
    const QString needle = m_matcher.fold(searchText);
    QList<qsizetype> rows;
    rows.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        if (type && projects.at(i).type != *type) continue;
        if (!searchText.isEmpty()) {
            const ProjectSearchKeys& keys = m_keys.at(i);
            const bool match = keys.name.contains(needle) || keys.path.contains(needle) ||
                               (keys.branch && keys.branch->contains(needle));
            if (!match) continue;
        }
        rows.append(i);
    }
    return rows;
}

QList<Project> ProjectSearchIndex::filter(const QList<Project>& projects, const QString& searchText,
                                          std::optional<ProjectType> type) const {
    const QList<qsizetype> rows = matchingRows(projects, searchText, type);
    QList<Project> result;
    result.reserve(rows.size());
    for (qsizetype row : rows) result.append(projects.at(row));
    return result;
}

QList<Project> filterProjects(const QList<Project>& projects, const QString& searchText,
                              std::optional<ProjectType> type, const QLocale& locale) {
    ProjectSearchIndex index(locale);
    if (!searchText.isEmpty()) {
        index.reset(projects);
    } else {
        // Without a search text the keys are never read.
        QList<Project> result;
        for (const Project& project : projects) {
            if (!type || project.type == *type) result.append(project);
        }
        return result;
    }
    return index.filter(projects, searchText, type);
}

QList<TypeCount> countTypes(const QList<Project>& projects) {
    std::array<int, projecttype::allCases.size()> counts{};
    for (const Project& project : projects) {
        const auto index = size_t(project.type);
        if (index < counts.size()) ++counts[index];
    }
    QList<TypeCount> result;
    for (ProjectType type : projecttype::allCases) {
        if (counts[size_t(type)] > 0) result.append(TypeCount{type, counts[size_t(type)]});
    }
    std::stable_sort(result.begin(), result.end(),
                     [](const TypeCount& a, const TypeCount& b) { return a.count > b.count; });
    return result;
}

int countAttention(const QList<Project>& projects) {
    int count = 0;
    for (const Project& project : projects) count += needsAttention(project) ? 1 : 0;
    return count;
}

int countModified(const QList<Project>& projects) {
    int count = 0;
    for (const Project& project : projects) count += project.hasUncommittedChanges ? 1 : 0;
    return count;
}
