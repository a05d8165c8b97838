#include "FolderChooser.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

FolderChooser::FolderChooser(QObject* parent) : QObject(parent) {}

FolderChooser::~FolderChooser() { delete m_dialog; }

QString FolderChooser::title() { return QStringLiteral("Select your projects root directory"); }

QString FolderChooser::acceptText() { return QStringLiteral("Select Folder"); }

QString FolderChooser::startFolder(const QString& rootFolder, const QString& home) {
    if (!rootFolder.isEmpty() && QFileInfo(rootFolder).isDir()) return rootFolder;
    return home;
}

bool FolderChooser::isOpen() const { return m_dialog && m_dialog->isVisible(); }

bool FolderChooser::open(const QString& rootFolder) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        qWarning("The folder chooser needs a QApplication");
        return false;
    }
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return true;
    }
    const QString home = QDir::homePath();
    // A path, not a URL: '#', '%', '?' and spaces in a folder name stay part of the name.
    auto* dialog = new QFileDialog(nullptr, title(), startFolder(rootFolder, home));
    dialog->setObjectName(QStringLiteral("folderDialog"));
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, true);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setLabelText(QFileDialog::Accept, acceptText());
    dialog->setWindowModality(Qt::ApplicationModal);
    QList<QUrl> places{QUrl::fromLocalFile(home)};
    if (!rootFolder.isEmpty() && rootFolder != home) places.append(QUrl::fromLocalFile(rootFolder));
    places.append(QUrl::fromLocalFile(QStringLiteral("/")));
    dialog->setSidebarUrls(places);
    m_dialog = dialog;

    connect(dialog, &QFileDialog::accepted, this, [this, dialog] {
        const QList<QUrl> urls = dialog->selectedUrls();
        if (!urls.isEmpty() && urls.first().isLocalFile()) emit chosen(urls.first());
    });
    // Once closed the dialog is done with: the next open() builds a fresh one.
    connect(dialog, &QDialog::finished, this, [this, dialog] {
        if (m_dialog == dialog) m_dialog = nullptr;
        dialog->deleteLater();
        emit isOpenChanged();
    });
    dialog->open();
    emit isOpenChanged();
    return true;
}
