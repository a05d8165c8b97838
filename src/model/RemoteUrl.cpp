#include "model/RemoteUrl.h"

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
