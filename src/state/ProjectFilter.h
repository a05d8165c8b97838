#pragma once

#include "model/Project.h"

#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <optional>

// A filter by state, beside the search text and the kind: all projects, those that need
// attention, those with uncommitted changes, or the stale ones (no change for over 30 days, or
// none known; see projectage::isStale).
enum class StatusFilter { none, attention, modified, stale };

// "", "attention", "modified", "stale".
QString statusFilterKey(StatusFilter filter);
std::optional<StatusFilter> statusFilterFromKey(const QString& key);
// Whether `project` passes `filter`, with the clock at `now` (for the stale filter).
bool matchesStatus(const Project& project, StatusFilter filter, const QDateTime& now);

// Case-insensitive, accent-sensitive text containment in the manner of a locale: both texts
// are brought to Unicode normalization form C and case-folded (Turkic rules for dotted and
// dotless i in Turkish and Azerbaijani), then compared code unit by code unit.
class TextMatcher {
public:
    explicit TextMatcher(const QLocale& locale = QLocale::system());

    // The text in the form containment is tested on.
    QString fold(QStringView text) const;
    // Whether `haystack` contains `needle`, ignoring case but not accents.
    bool contains(QStringView haystack, QStringView needle) const;

private:
    bool m_turkic = false;
};

// The searchable texts of a project, folded once per record.
struct ProjectSearchKeys {
    QString name;
    QString path;
    std::optional<QString> branch;
};

// The filter of the project list: keeps the folded texts of every project so a keystroke only
// folds the search text. The index follows the list it was built from; rebuild or update it
// whenever that list changes.
class ProjectSearchIndex {
public:
    explicit ProjectSearchIndex(const QLocale& locale = QLocale::system());

    void reset(const QList<Project>& projects);
    void replace(qsizetype index, const Project& project);
    qsizetype size() const { return m_keys.size(); }

    // The projects of `projects` (the list the index was built from) that have the kind
    // `type` (all kinds when none) and whose name, path text or branch contains `searchText`;
    // an empty search text keeps all. The order of `projects` is kept.
    QList<Project> filter(const QList<Project>& projects, const QString& searchText,
                          std::optional<ProjectType> type) const;
    // The same as positions in `projects`, ascending.
    QList<qsizetype> matchingRows(const QList<Project>& projects, const QString& searchText,
                                  std::optional<ProjectType> type) const;
    // The same, keeping only the projects that also pass `status` with the clock at `now`.
    QList<qsizetype> matchingRows(const QList<Project>& projects, const QString& searchText,
                                  std::optional<ProjectType> type, StatusFilter status,
                                  const QDateTime& now = QDateTime::currentDateTime()) const;

private:
    ProjectSearchKeys keysOf(const Project& project) const;

    TextMatcher m_matcher;
    QList<ProjectSearchKeys> m_keys;
};

// One-off filtering without an index.
QList<Project> filterProjects(const QList<Project>& projects, const QString& searchText,
                              std::optional<ProjectType> type, const QLocale& locale = QLocale::system());

struct TypeCount {
    ProjectType type;
    int count;
    friend bool operator==(const TypeCount&, const TypeCount&) = default;
};

// The kinds present in `projects` with their counts, largest count first; equal counts keep
// the kinds' declaration order.
QList<TypeCount> countTypes(const QList<Project>& projects);
// How many projects have uncommitted changes.
int countModified(const QList<Project>& projects);
// How many projects need attention.
int countAttention(const QList<Project>& projects);
