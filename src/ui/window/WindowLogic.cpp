#include "WindowLogic.h"

#include <QAbstractItemModel>
#include <algorithm>
#include <cmath>
#include <QDir>
#include <QKeySequence>

#include "HeaderFit.h"
#include "NameElide.h"
#include "model/ProjectType.h"
#include "state/ActionMessages.h"

namespace windowlogic {

Screen chooseScreen(bool hasScanPath, bool isLoading, int projectCount, int filteredCount, ViewMode::Mode mode)
{
    if (!hasScanPath)
        return Screen::Welcome;
    if (isLoading)
        return Screen::Loading;
    if (projectCount <= 0)
        return Screen::NoProjects;
    if (filteredCount <= 0)
        return Screen::NoResults;
    switch (mode) {
    case ViewMode::List: return Screen::List;
    case ViewMode::Tree: return Screen::Tree;
    case ViewMode::Graph: return Screen::Graph;
    case ViewMode::Cards: return Screen::Cards;
    }
    return Screen::Cards;
}

QString tildePath(const QString& path, const QString& home)
{
    QString h = home;
    while (h.size() > 1 && h.endsWith(QLatin1Char('/')))
        h.chop(1);
    // Replacing "" or "/" would mangle every path.
    if (h.isEmpty() || h == QLatin1String("/"))
        return path;
    QString out = path;
    out.replace(h, QStringLiteral("~"));
    return out;
}

QString folderText(const QString& scanPath, const QString& home)
{
    if (scanPath.isEmpty())
        return QStringLiteral("No folder selected");
    return tildePath(scanPath, home);
}

QString nextDots(const QString& dots)
{
    if (dots.size() >= 3)
        return {};
    return dots + QLatin1Char('.');
}

GitState gitState(bool hasUncommittedChanges, bool hasGit)
{
    if (hasUncommittedChanges)
        return {hasGit ? QStringLiteral("Uncommitted") : QStringLiteral("No Git"),
                QStringLiteral("exclamationmark.circle"), QStringLiteral("orange")};
    return {hasGit ? QStringLiteral("Clean") : QStringLiteral("No Git"), QStringLiteral("checkmark.circle"),
            QStringLiteral("green")};
}

int tileColumns(int count, double width, double tile, double spacing)
{
    if (count <= 0 || !(tile > 0) || !std::isfinite(tile))
        return 1;
    const double gap = std::isfinite(spacing) ? std::max(0.0, spacing) : 0.0;
    const double room = std::isfinite(width) ? std::max(0.0, width) : 0.0;
    const int fit = int(std::clamp(std::floor((room + gap) / (tile + gap)), 1.0, double(count)));
    const int rows = (count + fit - 1) / fit;
    return (count + rows - 1) / rows;
}

QVariantList kindFilterEntries(const QVariantList& typeCounts)
{
    QVariantList out;
    out.append(QVariantMap{{QStringLiteral("type"), QString()},
                           {QStringLiteral("text"), QStringLiteral("All Types")},
                           {QStringLiteral("icon"), QString()},
                           {QStringLiteral("color"), QString()}});
    for (const QVariant& v : typeCounts) {
        const QVariantMap m = v.toMap();
        const QString type = m.value(QStringLiteral("type")).toString();
        if (type.isEmpty())
            continue;
        out.append(QVariantMap{
            {QStringLiteral("type"), type},
            {QStringLiteral("text"),
             QStringLiteral("%1 (%2)").arg(type).arg(m.value(QStringLiteral("count")).toLongLong())},
            {QStringLiteral("icon"), m.value(QStringLiteral("icon")).toString()},
            {QStringLiteral("color"), m.value(QStringLiteral("color")).toString()}});
    }
    return out;
}

} // namespace windowlogic

WindowLogic::WindowLogic(QObject* parent)
    : QObject(parent)
    , m_home(QDir::homePath())
{
}

void WindowLogic::setHomePath(const QString& home)
{
    if (home == m_home)
        return;
    m_home = home;
    emit homePathChanged();
}

QVariantList WindowLogic::viewModes() const
{
    QVariantList out;
    for (ViewMode::Mode m : ViewMode::allCases)
        out.append(QVariantMap{{QStringLiteral("mode"), int(m)},
                               {QStringLiteral("title"), ViewMode::rawValue(m)},
                               {QStringLiteral("icon"), ViewMode::icon(m)}});
    return out;
}

QVariantList WindowLogic::recognisedKinds() const
{
    QVariantList out;
    for (ProjectType type : projecttype::allCases) {
        if (type == ProjectType::unknown)
            continue;
        out.append(QVariantMap{{QStringLiteral("type"), projecttype::rawValue(type)},
                               {QStringLiteral("icon"), projecttype::icon(type)},
                               {QStringLiteral("color"), projecttype::color(type)}});
    }
    return out;
}

int WindowLogic::screen(bool hasScanPath, bool isLoading, int projectCount, int filteredCount, int viewMode) const
{
    const auto mode = (viewMode >= ViewMode::List && viewMode <= ViewMode::Cards) ? ViewMode::Mode(viewMode)
                                                                                   : ViewMode::Cards;
    return int(windowlogic::chooseScreen(hasScanPath, isLoading, projectCount, filteredCount, mode));
}

QString WindowLogic::tildePath(const QString& path) const
{
    return windowlogic::tildePath(path, m_home);
}

QString WindowLogic::folderText(const QString& scanPath) const
{
    return windowlogic::folderText(scanPath, m_home);
}

QString WindowLogic::nextDots(const QString& dots) const
{
    return windowlogic::nextDots(dots);
}

QVariantMap WindowLogic::gitState(bool hasUncommittedChanges, bool hasGit) const
{
    const auto s = windowlogic::gitState(hasUncommittedChanges, hasGit);
    return {{QStringLiteral("value"), s.value}, {QStringLiteral("icon"), s.icon}, {QStringLiteral("color"), s.color}};
}

QVariantList WindowLogic::kindFilterEntries(const QVariantList& typeCounts) const
{
    return windowlogic::kindFilterEntries(typeCounts);
}

int WindowLogic::kindFilterIndex(const QVariantList& typeCounts, const QString& type) const
{
    const QVariantList entries = windowlogic::kindFilterEntries(typeCounts);
    for (int i = 0; i < entries.size(); ++i)
        if (entries.at(i).toMap().value(QStringLiteral("type")).toString() == type)
            return i;
    return 0;
}

namespace {
int idRole(const QAbstractItemModel* model)
{
    const auto roles = model->roleNames();
    for (auto it = roles.cbegin(); it != roles.cend(); ++it)
        if (it.value() == "id")
            return it.key();
    return -1;
}
} // namespace

int WindowLogic::rowOfProject(QAbstractItemModel* model, const QString& id) const
{
    if (!model || id.isEmpty())
        return -1;
    const int role = idRole(model);
    if (role < 0)
        return -1;
    const int rows = model->rowCount();
    for (int r = 0; r < rows; ++r)
        if (model->data(model->index(r, 0), role).toString() == id)
            return r;
    return -1;
}

QString WindowLogic::projectIdAt(QAbstractItemModel* model, int row) const
{
    if (!model || row < 0 || row >= model->rowCount())
        return {};
    const int role = idRole(model);
    return role < 0 ? QString() : model->data(model->index(row, 0), role).toString();
}

QString WindowLogic::steppedProjectId(QAbstractItemModel* model, const QString& id, int step) const
{
    if (!model)
        return {};
    const int count = model->rowCount();
    if (count <= 0)
        return {};
    const int current = rowOfProject(model, id);
    const int next = current < 0 ? 0 : std::clamp(current + step, 0, count - 1);
    return projectIdAt(model, next);
}

QVariantMap WindowLogic::fitHeader(const QVariantMap& room) const
{
    headerfit::Room in;
    in.available = room.value(QStringLiteral("available")).toDouble();
    in.fixedWidth = room.value(QStringLiteral("fixedWidth")).toDouble();
    in.gaps = room.value(QStringLiteral("gaps")).toInt();
    in.titleTextWidth = room.value(QStringLiteral("titleTextWidth")).toDouble();
    in.titleSymbolWidth = room.value(QStringLiteral("titleSymbolWidth")).toDouble();
    in.sortWidth = room.value(QStringLiteral("sortWidth")).toDouble();
    in.folderNatural = room.value(QStringLiteral("folderNatural")).toDouble();
    in.searchShown = room.value(QStringLiteral("searchShown")).toBool();
    in.counterWordsWidth = room.value(QStringLiteral("counterWordsWidth")).toDouble();
    in.counterShortening = room.value(QStringLiteral("counterShortening")).toDouble();
    const headerfit::Fit fit = headerfit::fit(in);
    return {{QStringLiteral("folderWidth"), fit.folderWidth},
            {QStringLiteral("searchWidth"), fit.searchWidth},
            {QStringLiteral("gap"), fit.gap},
            {QStringLiteral("showTitleText"), fit.showTitleText},
            {QStringLiteral("showTitleSymbol"), fit.showTitleSymbol},
            {QStringLiteral("showSortButton"), fit.showSortButton},
            {QStringLiteral("shortCounterWords"), fit.shortCounterWords},
            {QStringLiteral("showCounterWords"), fit.showCounterWords}};
}

QString WindowLogic::countWord(int count, const QString& singular, const QString& plural) const
{
    return count == 1 ? singular : plural;
}

QString WindowLogic::missingFolderText(const QString& folder) const
{
    return folder.isEmpty() ? QString() : missingFolderMessage(tildePath(folder));
}

int WindowLogic::noticeDuration(const QString& message) const
{
    // About a reading speed of 15 characters a second, between two and ten seconds.
    return std::clamp(int(message.size()) * 1000 / 15, 2000, 10000);
}

QString WindowLogic::shortcutText(const QVariant& shortcut) const
{
    const QKeySequence sequence = shortcut.metaType().id() == QMetaType::QKeySequence
                                      ? shortcut.value<QKeySequence>()
                                      : QKeySequence(shortcut.toString());
    return sequence.toString(QKeySequence::NativeText);
}

bool WindowLogic::isScopedName(const QString& name) const { return nameelide::isScopedName(name); }

QString WindowLogic::elidedName(const QString& name, const QFont& font, double width) const
{
    return nameelide::elideName(name, font, width);
}
