#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <QDBusVariant>

// Whether the user interface is drawn light or dark. Follows the desktop's preference: the
// freedesktop appearance setting through the settings portal when a session bus has it,
// otherwise the platform palette; both are watched, so a switch applies at once. The
// environment variable CODEORCHARDIST_APPEARANCE=light|dark, or a non-empty `override`,
// takes precedence (tests and the capture mode use it).
class Appearance : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool dark READ dark NOTIFY darkChanged)
    Q_PROPERTY(QString override READ overrideMode WRITE setOverrideMode NOTIFY overrideModeChanged)

public:
    bool dark() const;
    QString overrideMode() const;
    // "light" or "dark" forces that appearance; anything else follows the desktop.
    void setOverrideMode(const QString& mode);

    // The process-wide instance QML uses (created on first use, owned by the application).
    static Appearance* instance();
    static Appearance* create(class QQmlEngine*, class QJSEngine*);

signals:
    void darkChanged();
    void overrideModeChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void portalSettingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    // One instance per process (instance()); QML gets it through create().
    explicit Appearance(QObject* parent = nullptr);
    void queryPortal();
    void setPortalScheme(int scheme);
    void update();
    bool paletteIsDark() const;

    QString m_override;
    int m_portalScheme = -1; // -1 unknown; 0 no preference, 1 dark, 2 light
    bool m_dark = false;
};
