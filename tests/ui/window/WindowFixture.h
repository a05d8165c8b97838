#pragma once

// A fixture for the tests that drive the real main window: a view model over the shared
// scanner with settings of its own and recording desktop services, and helpers to find items.
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

class WindowFixture : public ::testing::Test {
protected:
    struct Files : FileManager {
        void openFolder(const QUrl&) override {}
    };
    struct Board : Clipboard {
        void clear() override {}
        void setPlainText(const QString&) override {}
    };
    struct Terminal : TerminalLauncher {
        bool openTerminal(const QByteArray&) override { return true; }
    };

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

    ProjectsViewModel& makeViewModel()
    {
        PlatformServices services{std::make_shared<Files>(), std::make_shared<Board>(), std::make_shared<Terminal>()};
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
    bool waitShown(const char* name)
    {
        return QTest::qWaitFor([&] { return item(name) != nullptr; }, kWindowWait);
    }

    testfolders::TempTree m_tree;
    QTemporaryDir m_settingsDir;
    std::shared_ptr<QSettings> m_settings;
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<ProjectsViewModel> m_viewModel;
    std::unique_ptr<QQuickWindow> m_window;
};

} // namespace uitest
