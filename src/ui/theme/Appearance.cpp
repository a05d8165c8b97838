#include "Appearance.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QPointer>
#include <QQmlEngine>

namespace {

const char* const portalService = "org.freedesktop.portal.Desktop";
const char* const portalPath = "/org/freedesktop/portal/desktop";
const char* const portalInterface = "org.freedesktop.portal.Settings";
const char* const appearanceGroup = "org.freedesktop.appearance";
const char* const schemeKey = "color-scheme";

// The portal answers Read with a variant that may itself hold a variant.
int schemeFromVariant(QVariant v)
{
    while (v.canConvert<QDBusVariant>() && v.userType() == qMetaTypeId<QDBusVariant>())
        v = v.value<QDBusVariant>().variant();
    bool ok = false;
    const uint scheme = v.toUInt(&ok);
    return ok && scheme <= 2 ? int(scheme) : -1;
}

QString normalisedMode(const QString& mode)
{
    const QString m = mode.trimmed().toLower();
    return (m == QLatin1String("light") || m == QLatin1String("dark")) ? m : QString();
}

} // namespace

Appearance::Appearance(QObject* parent)
    : QObject(parent)
    , m_override(normalisedMode(qEnvironmentVariable("CODEORCHARDIST_APPEARANCE")))
{
    if (qApp)
        qApp->installEventFilter(this);
    if (m_override.isEmpty())
        queryPortal();
    m_dark = false;
    update();
}

Appearance* Appearance::instance()
{
    static QPointer<Appearance> the;
    if (!the)
        the = new Appearance(qApp);
    return the;
}

Appearance* Appearance::create(QQmlEngine*, QJSEngine*)
{
    Appearance* a = instance();
    QQmlEngine::setObjectOwnership(a, QQmlEngine::CppOwnership);
    return a;
}

bool Appearance::dark() const
{
    return m_dark;
}

QString Appearance::overrideMode() const
{
    return m_override;
}

void Appearance::setOverrideMode(const QString& mode)
{
    const QString m = normalisedMode(mode);
    if (m == m_override)
        return;
    m_override = m;
    if (m_override.isEmpty() && m_portalScheme < 0)
        queryPortal();
    emit overrideModeChanged();
    update();
}

bool Appearance::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange)
        update();
    return QObject::eventFilter(watched, event);
}

void Appearance::queryPortal()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    bus.connect(QString::fromLatin1(portalService), QString::fromLatin1(portalPath),
                QString::fromLatin1(portalInterface), QStringLiteral("SettingChanged"), this,
                SLOT(portalSettingChanged(QString, QString, QDBusVariant)));
    QDBusMessage msg = QDBusMessage::createMethodCall(QString::fromLatin1(portalService),
                                                      QString::fromLatin1(portalPath),
                                                      QString::fromLatin1(portalInterface),
                                                      QStringLiteral("Read"));
    msg << QString::fromLatin1(appearanceGroup) << QString::fromLatin1(schemeKey);
    // Asynchronous: a missing or slow portal never holds up the window.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(msg, 2000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        QDBusPendingReply<QVariant> reply = *w;
        if (!reply.isError())
            setPortalScheme(schemeFromVariant(reply.value()));
        w->deleteLater();
    });
}

void Appearance::portalSettingChanged(const QString& group, const QString& key, const QDBusVariant& value)
{
    if (group == QLatin1String(appearanceGroup) && key == QLatin1String(schemeKey))
        setPortalScheme(schemeFromVariant(value.variant()));
}

void Appearance::setPortalScheme(int scheme)
{
    m_portalScheme = scheme;
    update();
}

bool Appearance::paletteIsDark() const
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    const QPalette pal = QGuiApplication::palette();
    return pal.color(QPalette::Window).lightness() < pal.color(QPalette::WindowText).lightness();
}

void Appearance::update()
{
    bool dark = false;
    if (!m_override.isEmpty())
        dark = m_override == QLatin1String("dark");
    else if (m_portalScheme == 1 || m_portalScheme == 2)
        dark = m_portalScheme == 1;
    else
        dark = paletteIsDark();
    if (dark == m_dark)
        return;
    m_dark = dark;
    emit darkChanged();
}
