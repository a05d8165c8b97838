#include "state/ExecLine.h"

namespace execline {

namespace {

bool isFileCode(QChar c) { return c == u'f' || c == u'F' || c == u'u' || c == u'U'; }

} // namespace

std::optional<QStringList> split(const QString& exec) {
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (c == u'\\') {
            if (i + 1 == exec.size()) return std::nullopt;
            current += exec[++i];
            inArgument = true;
        } else if (c == u'"') {
            quoted = !quoted;
            inArgument = true;
        } else if (!quoted && (c == u' ' || c == u'\t' || c == u'\n')) {
            if (inArgument) arguments.append(current);
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (quoted) return std::nullopt;
    if (inArgument) arguments.append(current);
    if (arguments.isEmpty() || arguments.first().isEmpty()) return std::nullopt;
    return arguments;
}

bool takesFiles(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        for (qsizetype i = 0; i + 1 < argument.size(); ++i) {
            if (argument[i] != u'%') continue;
            if (isFileCode(argument[i + 1])) return true;
            ++i; // "%%" and the other codes
        }
    }
    return false;
}

QList<QByteArray> expand(const QStringList& arguments, const QByteArray& folder) {
    QList<QByteArray> out;
    for (qsizetype n = 0; n < arguments.size(); ++n) {
        const QString& argument = arguments[n];
        QByteArray expanded;
        bool literal = false; // the argument holds something besides removed codes
        QString pending;
        const auto flush = [&] {
            expanded += pending.toUtf8();
            pending.clear();
        };
        for (qsizetype i = 0; i < argument.size(); ++i) {
            const QChar c = argument[i];
            if (c != u'%') {
                pending += c;
                literal = true;
                continue;
            }
            if (i + 1 == argument.size()) break; // a lone '%' at the end is dropped
            const QChar code = argument[++i];
            if (code == u'%') {
                pending += u'%';
                literal = true;
            } else if (isFileCode(code)) {
                flush();
                expanded += folder;
                literal = true;
            }
        }
        flush();
        // The program itself is always kept, even if it were made of codes.
        if (literal || n == 0) out.append(expanded);
    }
    if (!takesFiles(arguments)) out.append(folder);
    return out;
}

} // namespace execline
