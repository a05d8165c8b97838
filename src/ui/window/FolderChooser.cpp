#include "FolderChooser.h"

#include "Appearance.h"
#include "ColorScheme.h"

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

QPalette FolderChooser::palette(bool dark) {
    using namespace colorscheme;
    const QColor primary = named(QStringLiteral("primary"), dark);
    const QColor secondary = named(QStringLiteral("secondary"), dark);
    const QColor white = named(QStringLiteral("white"), dark);
    const QColor control = surface(QStringLiteral("control"), dark);
    QPalette p;
    p.setColor(QPalette::Window, surface(QStringLiteral("window"), dark));
    p.setColor(QPalette::WindowText, primary);
    p.setColor(QPalette::Base, surface(QStringLiteral("text"), dark));
    p.setColor(QPalette::AlternateBase, control);
    p.setColor(QPalette::Text, primary);
    p.setColor(QPalette::Button, control);
    p.setColor(QPalette::ButtonText, primary);
    p.setColor(QPalette::BrightText, white);
    p.setColor(QPalette::Highlight, accentFill(dark));
    p.setColor(QPalette::HighlightedText, white);
    p.setColor(QPalette::PlaceholderText, secondary);
    p.setColor(QPalette::ToolTipBase, control);
    p.setColor(QPalette::ToolTipText, primary);
    p.setColor(QPalette::Link, named(QStringLiteral("blue"), dark));
    const std::pair<QPalette::ColorRole, const char*> bevels[] = {{QPalette::Light, "light"},
                                                                  {QPalette::Midlight, "midlight"},
                                                                  {QPalette::Mid, "mid"},
                                                                  {QPalette::Dark, "dark"},
                                                                  {QPalette::Shadow, "shadow"}};
    for (const auto& [role, name] : bevels) p.setColor(role, surface(QString::fromLatin1(name), dark));
    // Disabled controls (an empty path field's "Select Folder", the "Back" of a fresh dialog).
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, secondary);
    return p;
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
    // Only the widget dialog uses this palette: a desktop dialog is drawn by the desktop.
    Appearance* appearance = Appearance::instance();
    dialog->setPalette(palette(appearance->dark()));
    connect(appearance, &Appearance::darkChanged, dialog,
            [dialog, appearance] { dialog->setPalette(palette(appearance->dark())); });
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
