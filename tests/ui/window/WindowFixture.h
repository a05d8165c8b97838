#pragma once

// A fixture for the tests that drive the real main window: a view model over the shared
// scanner with settings of its own and recording desktop services, a small project tree, and
// helpers to find items.
#include "QmlSetup.h"
#include "UiTestSupport.h"
#include "WindowLogic.h"
#include "ViewMode.h"

#include "discovery/ProjectScanner.h"
#include "state/ProjectsViewModel.h"
#include "support/TestFolders.h"

#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace uitest {

inline constexpr int kWindowWait = 60000;

// Desktop services that record what the window asked of them.
struct RecordingFileManager : FileManager {
    QList<QUrl> opened;
    bool openFolder(const QUrl& folder) override
    {
        opened.append(folder);
        return true;
    }
};
struct RecordingClipboard : Clipboard {
    QStringList texts;
    void clear() override {}
    void setPlainText(const QString& text) override { texts.append(text); }
};
struct RecordingTerminal : TerminalLauncher {
    QList<QByteArray> folders;
    bool starts = true;
    bool openTerminal(const QByteArray& folder) override
    {
        folders.append(folder);
        return starts;
    }
    QStringList triedPrograms() const override { return {"fake-term", "x-terminal-emulator"}; }
};

class WindowFixture : public ::testing::Test {
protected:
    static inline const QString kOriginUrl = QStringLiteral("https://example.com/team/shop.git");
    static inline const QString kUpstreamUrl =
        QStringLiteral("git@example.org:upstream/a-rather-long-path/to-the/shop-upstream.git");

    void SetUp() override
    {
        m_engine = std::make_unique<QQmlEngine>();
        uisetup::prepareEngine(*m_engine);
        m_settings = std::make_shared<QSettings>(m_settingsDir.filePath("settings.ini"), QSettings::IniFormat);
    }
    void TearDown() override
    {
        m_window.reset();
        m_viewModel.reset();
        m_engine.reset();
    }

    // Three projects: "Bird" (Swift, no git), "shop" (Node.js in git with the remotes origin
    // and upstream, a branch and uncommitted changes) and "tool" (Python, no git).
    void makeThreeProjects()
    {
        m_tree.write("kit/Bird/Package.swift", "// swift-tools-version:5.9\n");
        m_tree.write("apps/shop/package.json", R"({"name":"shop","version":"1.0.0"})");
        m_tree.write("apps/tool/pyproject.toml", "[project]\nname = \"tool\"\nversion = \"0.3.0\"\n");
        const QByteArray shop = m_tree.path() + "/apps/shop";
        testfolders::initRepository(shop);
        testfolders::git(shop, {"remote", "add", "origin", kOriginUrl});
        testfolders::git(shop, {"remote", "add", "upstream", kUpstreamUrl});
        m_tree.write("apps/shop/index.js", "changed\n");
    }

    ProjectsViewModel& makeViewModel()
    {
        PlatformServices services{m_files, m_clipboard, m_terminal, {}, {}};
        m_viewModel = std::make_unique<ProjectsViewModel>(ProjectScanner::shared(), m_settings, services);
        return *m_viewModel;
    }

    QQuickWindow* openWindow(QSize size = QSize(1280, 820))
    {
        m_window.reset(uisetup::createMainWindow(*m_engine, m_viewModel.get(), true));
        EXPECT_NE(m_window, nullptr);
        if (!m_window)
            return nullptr;
        logic()->setHomePath(QString::fromUtf8(m_tree.path()));
        m_window->resize(size);
        m_window->show();
        m_window->requestActivate();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        return m_window.get();
    }

    WindowLogic* logic()
    {
        const int id = qmlTypeId("Codeorchardist", 1, 0, "WindowLogic");
        return m_engine->singletonInstance<WindowLogic*>(id);
    }

    bool scan(const QByteArray& folder)
    {
        m_viewModel->chooseFolder(QUrl::fromLocalFile(QString::fromUtf8(folder)));
        return QTest::qWaitFor([&] { return !m_viewModel->isLoading(); }, kWindowWait);
    }

    QQuickItem* item(const char* name) { return findItem(m_window.get(), QString::fromLatin1(name)); }
    bool shown(const char* name) { return item(name) != nullptr; }
    bool waitShown(const char* name)
    {
        return QTest::qWaitFor([&] { return item(name) != nullptr; }, kWindowWait);
    }
    // The "text" property of the item, or a marker text when the item is not shown.
    QString text(const char* name)
    {
        QQuickItem* i = item(name);
        return i ? i->property("text").toString() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
    }
    QString idOf(const QString& name)
    {
        for (const Project& p : m_viewModel->projects())
            if (p.name == name)
                return p.id.toString(QUuid::WithoutBraces);
        return {};
    }
    QString rootText() const { return QString::fromUtf8(m_tree.path()); }

    testfolders::TempTree m_tree;
    QTemporaryDir m_settingsDir;
    std::shared_ptr<QSettings> m_settings;
    std::shared_ptr<RecordingFileManager> m_files = std::make_shared<RecordingFileManager>();
    std::shared_ptr<RecordingClipboard> m_clipboard = std::make_shared<RecordingClipboard>();
    std::shared_ptr<RecordingTerminal> m_terminal = std::make_shared<RecordingTerminal>();
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<ProjectsViewModel> m_viewModel;
    std::unique_ptr<QQuickWindow> m_window;
};

} // namespace uitest
