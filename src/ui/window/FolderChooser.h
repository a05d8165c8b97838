#pragma once

#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

#include <QFileDialog>

// The folder chooser of the window: the desktop's own dialog where the platform theme offers
// one (the XDG desktop portal, GTK or KDE), Qt's widget folder dialog everywhere else. Needs a
// QApplication; without one, open() reports the dialog as unavailable and does nothing. The
// widget dialog takes the window's appearance (light or dark) from the theme's colours; the
// desktop's own dialog keeps the desktop's look.
class FolderChooser : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool isOpen READ isOpen NOTIFY isOpenChanged)

public:
    explicit FolderChooser(QObject* parent = nullptr);
    ~FolderChooser() override;

    static QString title();
    static QString acceptText();
    // The folder the dialog opens at: `rootFolder` when it is an existing folder, else `home`.
    static QString startFolder(const QString& rootFolder, const QString& home);
    // The widget dialog's colours in the light or dark appearance, from the theme.
    static QPalette palette(bool dark);

    // Opens the dialog at startFolder(rootFolder, home folder); returns at once. `chosen` follows
    // when the user confirms a folder. A second call while it is open raises the open one.
    Q_INVOKABLE bool open(const QString& rootFolder);
    bool isOpen() const;
    // The open dialog (for tests), nullptr when none is open.
    QFileDialog* dialog() const { return m_dialog; }

signals:
    void chosen(const QUrl& folder);
    void isOpenChanged();

private:
    QPointer<QFileDialog> m_dialog;
};
