#include "model/RemoteUrl.h"

#include <QList>

namespace {

// The user-information part of "scheme://userinfo@host...": its start and end (the '@'),
// or -1 when the location has none.
qsizetype userInfoStart(const QString& url, qsizetype& at) {
    const qsizetype scheme = url.indexOf(QStringLiteral("://"));
    if (scheme <= 0) return -1;
    for (qsizetype i = 0; i < scheme; ++i) {
        const QChar c = url[i];
        if (!(c.isLetterOrNumber() || c == u'+' || c == u'-' || c == u'.')) return -1;
    }
    const qsizetype start = scheme + 3;
    qsizetype end = url.size();
    for (qsizetype i = start; i < url.size(); ++i) {
        const QChar c = url[i];
        if (c == u'/' || c == u'?' || c == u'#') {
            end = i;
            break;
        }
    }
    at = url.lastIndexOf(u'@', end - 1);
    if (at < start) return -1;
    return start;
}

// A user part that is a token rather than an account name: long, or with a known prefix.
bool looksLikeToken(QStringView user) {
    static const char* const prefixes[] = {"ghp_", "gho_", "ghs_", "ghu_", "github_pat_", "glpat-", "x-token-auth"};
    for (const char* p : prefixes) {
        if (user.startsWith(QLatin1StringView(p))) return true;
    }
    return user.size() >= 32;
}

} // namespace

QString redactedUrl(const QString& url) {
    qsizetype at = -1;
    const qsizetype start = userInfoStart(url, at);
    if (start < 0) return url;
    const QStringView userInfo = QStringView(url).mid(start, at - start);
    const qsizetype colon = userInfo.indexOf(u':');
    if (colon >= 0) return url.left(start) + userInfo.left(colon).toString() + url.mid(at);
    if (looksLikeToken(userInfo)) return url.left(start) + QStringLiteral("***") + url.mid(at);
    return url;
}

bool urlCarriesSecret(const QString& url) { return redactedUrl(url) != url; }

namespace {

bool isHostName(QStringView host) {
    if (host.isEmpty() || host.startsWith(u'-') || host.startsWith(u'.')) return false;
    for (const QChar c : host) {
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != u'.' && c != u'-') return false;
    }
    return true;
}

// "owner/repo(.git)(/)" as the web page's path, or empty when it is not of that form.
QString webPath(QStringView path) {
    while (path.startsWith(u'/')) path = path.mid(1);
    while (path.endsWith(u'/')) path.chop(1);
    if (path.endsWith(QLatin1StringView(".git"))) path.chop(4);
    const QList<QStringView> parts = path.split(u'/');
    if (parts.size() < 2) return {};
    for (const QStringView part : parts) {
        if (part.isEmpty() || part.startsWith(u'~') || part == u"." || part == u"..") return {};
        for (const QChar c : part) {
            if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != u'.' && c != u'-' && c != u'_') return {};
        }
    }
    return path.toString();
}

QString page(const QString& scheme, QStringView hostAndPort, QStringView path) {
    QStringView host = hostAndPort;
    if (const qsizetype colon = host.indexOf(u':'); colon >= 0) {
        const QStringView port = host.mid(colon + 1);
        bool numeric = !port.isEmpty();
        for (const QChar c : port) numeric = numeric && c.isDigit() && c.unicode() < 0x80;
        if (!numeric) return {};
        host = host.left(colon);
    }
    const QString web = webPath(path);
    if (!isHostName(host) || web.isEmpty()) return {};
    return scheme + QStringLiteral("://") + hostAndPort.toString() + u'/' + web;
}

} // namespace

QString remoteWebUrl(const QString& url) {
    const QString text = url.trimmed();
    const qsizetype scheme = text.indexOf(QStringLiteral("://"));
    if (scheme < 0) {
        // scp-style "[user@]host:path": a colon before any slash.
        const qsizetype colon = text.indexOf(u':');
        const qsizetype slash = text.indexOf(u'/');
        if (colon <= 0 || (slash >= 0 && slash < colon)) return {};
        QStringView host = QStringView(text).left(colon);
        if (const qsizetype at = host.lastIndexOf(u'@'); at >= 0) host = host.mid(at + 1);
        return page(QStringLiteral("https"), host, QStringView(text).mid(colon + 1));
    }
    const QString name = text.left(scheme).toLower();
    QStringView rest = QStringView(text).mid(scheme + 3);
    qsizetype end = rest.size();
    for (qsizetype i = 0; i < rest.size(); ++i) {
        if (rest[i] == u'/' || rest[i] == u'?' || rest[i] == u'#') {
            end = i;
            break;
        }
    }
    QStringView authority = rest.left(end);
    const QStringView path = rest.mid(end);
    if (path.contains(u'?') || path.contains(u'#')) return {};
    if (const qsizetype at = authority.lastIndexOf(u'@'); at >= 0) authority = authority.mid(at + 1);
    if (name == QLatin1String("https") || name == QLatin1String("http")) return page(name, authority, path);
    if (name == QLatin1String("ssh") || name == QLatin1String("git+ssh") || name == QLatin1String("git")) {
        // The ssh or git daemon port says nothing about the web server's.
        const qsizetype colon = authority.indexOf(u':');
        return page(QStringLiteral("https"), colon < 0 ? authority : authority.left(colon), path);
    }
    return {};
}
