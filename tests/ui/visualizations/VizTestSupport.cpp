#include "VizTestSupport.h"

#include "GraphZoom.h"
#include "QmlSetup.h"
#include "ui/support/PointerSupport.h"
#include "discovery/ProjectScanner.h"
#include "state/ProjectsViewModel.h"

#include <QDir>
#include <QFile>
#include <QApplication>
#include <QQmlComponent>
#include <QQuickItem>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/stat.h>
#include <utime.h>

namespace viztest {

Project project(const QString& path, ProjectType type) {
    Project p;
    p.id = QUuid::createUuid();
    p.name = path.section(u'/', -1);
    p.path = path.toUtf8();
    p.type = type;
    return p;
}

QList<Project> workspace(const QString& root, int count, const QDateTime& now) {
    QList<Project> projects;
    for (int i = 0; i < count; ++i) {
        // Every tenth project lies inside the folder of the one before it.
        const int home = i % 10 == 9 ? i - 1 : i;
        QString path = root + QStringLiteral("/group%1/team%2/project-%3").arg(home % 12).arg((home / 12) % 9).arg(home);
        if (home != i) path += QStringLiteral("/plugin");
        Project p = project(path, projecttype::allCases[static_cast<size_t>(i % 7)]);
        p.name = QStringLiteral("project-%1").arg(i);
        if (i % 3 == 0) p.version = QStringLiteral("1.%1.0").arg(i % 20);
        if (i % 2 == 0) {
            p.hasGit = true;
            p.gitBranch = i % 4 == 0 ? QStringLiteral("main") : QStringLiteral("feature/x-%1").arg(i);
            p.remotes.append({QUuid::createUuid(), QStringLiteral("origin"),
                              QStringLiteral("git@example.com:org/project-%1.git").arg(i)});
            p.hasUncommittedChanges = i % 6 == 0;
        }
        if (i % 11 != 0) p.lastModified = now.addDays(-(i % 45));
        projects.append(p);
    }
    return projects;
}

Workspace::Workspace() { EXPECT_TRUE(m_dir.isValid()); }

QByteArray Workspace::root() const { return QFile::encodeName(QDir(m_dir.path()).canonicalPath()); }

QByteArray Workspace::addProject(const QByteArray& relative, const QByteArray& name, const QByteArray& version,
                                 int daysAgo) {
    const QByteArray folder = root() + '/' + relative;
    EXPECT_TRUE(QDir().mkpath(QFile::decodeName(folder)));
    QByteArray manifest = "{\"name\": \"" + name + "\"";
    if (!version.isEmpty()) manifest += ", \"version\": \"" + version + "\"";
    manifest += "}\n";
    QFile file(QFile::decodeName(folder + "/package.json"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(manifest);
    file.close();
    m_times.append({folder, daysAgo});
    return folder;
}

void Workspace::stampTimes() {
    // Deepest folders first, so that stamping a folder does not disturb one already stamped.
    auto times = m_times;
    std::sort(times.begin(), times.end(), [](const auto& a, const auto& b) { return a.first.count('/') > b.first.count('/'); });
    for (const auto& [folder, days] : times) {
        const QDateTime when = QDateTime::currentDateTime().addDays(-days);
        struct utimbuf stamp;
        stamp.actime = stamp.modtime = static_cast<time_t>(when.toSecsSinceEpoch());
        EXPECT_EQ(::utime(folder.constData(), &stamp), 0) << folder.constData();
    }
}

ViewHarness::ViewHarness(int width, int height) {
    uisetup::prepareEngine(m_engine);
    auto settings = std::make_shared<QSettings>(m_settingsDir.path() + QStringLiteral("/settings.ini"),
                                                QSettings::IniFormat);
    m_viewModel = new ProjectsViewModel(ProjectScanner::shared(), settings, PlatformServices{}, &m_engine);
    m_zoom = new GraphZoom(&m_engine);
    m_window.resize(width, height);
    m_window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_window));
}

ViewHarness::~ViewHarness() { m_view.reset(); }

bool ViewHarness::scan(const QByteArray& folder) {
    QSignalSpy finished(m_viewModel, &ProjectsViewModel::scanFinished);
    m_viewModel->setScanPath(folder);
    m_viewModel->scanProjects();
    return finished.wait(60000);
}

QQuickItem* ViewHarness::show(const QString& type) {
    QQmlComponent component(&m_engine);
    component.setData(("import QtQuick\nimport Codeorchardist\n" + type + " {}\n").toUtf8(), QUrl());
    QVariantMap properties{{QStringLiteral("viewModel"), QVariant::fromValue<QObject*>(m_viewModel)}};
    if (type == QStringLiteral("NetworkGraphView"))
        properties.insert(QStringLiteral("zoom"), QVariant::fromValue<QObject*>(m_zoom));
    // A component with errors is not created (Qt 6.4 would crash on it).
    QObject* object = component.isReady() ? component.createWithInitialProperties(properties) : nullptr;
    if (!object) {
        ADD_FAILURE() << component.errorString().toStdString();
        return nullptr;
    }
    m_view.reset(qobject_cast<QQuickItem*>(object));
    m_view->setParentItem(m_window.contentItem());
    m_view->setSize(m_window.contentItem()->size());
    render();
    return m_view.get();
}

void ViewHarness::render() { (void)m_window.grabWindow(); }

QColor ViewHarness::themeColor(const QString& name) {
    QQmlComponent component(&m_engine);
    component.setData(QStringLiteral("import QtQuick\nimport Codeorchardist\nQtObject { property color c: Theme.color(\"%1\") }\n")
                          .arg(name)
                          .toUtf8(),
                      QUrl());
    std::unique_ptr<QObject> object(component.create());
    return object ? object->property("c").value<QColor>() : QColor();
}

namespace {
void collectWith(QQuickItem* item, const char* name, const QVariant& value, QList<QQuickItem*>& out) {
    if (!item) return;
    if (item->property(name) == value) out.append(item);
    for (QQuickItem* c : item->childItems()) collectWith(c, name, value, out);
}
} // namespace

QList<QQuickItem*> itemsWith(QQuickItem* root, const char* name, const QVariant& value) {
    QList<QQuickItem*> out;
    collectWith(root, name, value, out);
    return out;
}

QQuickItem* itemWith(QQuickItem* root, const char* name, const QVariant& value) {
    const auto all = itemsWith(root, name, value);
    return all.isEmpty() ? nullptr : all.first();
}

QQuickItem* child(QQuickItem* root, const QString& objectName) {
    return itemWith(root, "objectName", objectName);
}

void click(QQuickItem* item) {
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->window());
    QString why;
    ASSERT_TRUE(uipointer::waitUntilClickable(item, &why)) << why.toStdString();
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    uipointer::clickAt(item->window(), centre.toPoint());
}

void wheel(QQuickWindow& window, QPoint point, int notches, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(QPointF(point), window.mapToGlobal(QPointF(point)), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QGuiApplication::sendEvent(&window, &event);
}

} // namespace viztest

namespace {
// The GL driver's libraries stay loaded until the process ends, so that the leak checker of
// sanitizer builds can still name them (and its suppressions match) when it reports at exit.
void keepGlDriverLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) return;
    QSet<QByteArray> seen;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const qsizetype slash = line.indexOf('/');
        if (slash < 0) continue;
        const QByteArray path = line.mid(slash).trimmed();
        if (seen.contains(path)) continue;
        seen.insert(path);
        if (path.contains("mesa") || path.contains("_dri") || path.contains("gallium") || path.contains("glapi"))
            ::dlopen(path.constData(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
}
} // namespace

// Every test program runs with a QApplication, as the program does (fonts, the scene graph and
// QML need an application object; the folder chooser and the test library's pointer events
// expect the widgets one).
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    uisetup::prepareApplication();
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    keepGlDriverLoaded();
    return status;
}
