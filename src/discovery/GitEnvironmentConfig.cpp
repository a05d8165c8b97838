#include "discovery/GitEnvironmentConfig.h"

#include <QHash>

namespace gitenv {

namespace {

constexpr long long kMaxInheritedCount = 10000;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isKeyChar(char c) { return isAlpha(c) || (c >= '0' && c <= '9') || c == '-'; }

// One single-quoted word of git's shell quoting ('it'\''s' is "it's"), starting at `pos`.
std::optional<QByteArray> dequoteStep(const QByteArray& text, qsizetype& pos) {
    if (pos >= text.size() || text[pos] != '\'') return std::nullopt;
    ++pos;
    QByteArray word;
    for (;;) {
        if (pos >= text.size()) return std::nullopt;
        const char c = text[pos++];
        if (c != '\'') {
            word += c;
            continue;
        }
        // After a closing quote: either the end of the word or an escaped quote or '!'.
        if (pos + 2 < text.size() && text[pos] == '\\' && (text[pos + 1] == '\'' || text[pos + 1] == '!') &&
            text[pos + 2] == '\'') {
            word += text[pos + 1];
            pos += 3;
            continue;
        }
        return word;
    }
}

std::optional<ConfigPairs> parseParameters(const QByteArray& text) {
    ConfigPairs pairs;
    qsizetype pos = 0;
    while (pos < text.size() && isSpace(text[pos])) ++pos;
    while (pos < text.size()) {
        const std::optional<QByteArray> key = dequoteStep(text, pos);
        if (!key) return std::nullopt;
        if (pos >= text.size() || isSpace(text[pos])) {
            // The older form 'key=value'.
            const qsizetype eq = key->indexOf('=');
            if (eq < 0) pairs.append({*key, QByteArrayLiteral("true")});
            else pairs.append({key->left(eq), key->mid(eq + 1)});
        } else if (text[pos] == '=') {
            ++pos;
            if (pos < text.size() && text[pos] == '\'') {
                const std::optional<QByteArray> value = dequoteStep(text, pos);
                if (!value || (pos < text.size() && !isSpace(text[pos]))) return std::nullopt;
                pairs.append({*key, *value});
            } else if (pos >= text.size() || isSpace(text[pos])) {
                pairs.append({*key, QByteArrayLiteral("true")});
            } else {
                return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
        while (pos < text.size() && isSpace(text[pos])) ++pos;
    }
    return pairs;
}

std::optional<ConfigPairs> parseCounted(const QHash<QByteArray, QByteArray>& values) {
    const auto count = values.constFind("GIT_CONFIG_COUNT");
    if (count == values.cend()) return ConfigPairs{};
    bool ok = false;
    const long long n = count->toLongLong(&ok);
    if (!ok || n < 0 || n > kMaxInheritedCount) return std::nullopt;
    ConfigPairs pairs;
    for (long long i = 0; i < n; ++i) {
        const QByteArray index = QByteArray::number(i);
        const auto key = values.constFind("GIT_CONFIG_KEY_" + index);
        const auto value = values.constFind("GIT_CONFIG_VALUE_" + index);
        if (key == values.cend() || value == values.cend()) return std::nullopt;
        pairs.append({*key, *value});
    }
    return pairs;
}

} // namespace

QByteArray variableName(const QByteArray& entry) {
    const qsizetype eq = entry.indexOf('=');
    return eq < 0 ? entry : entry.left(eq);
}

bool isConfigVariable(const QByteArray& name) {
    return name == "GIT_CONFIG_PARAMETERS" || name == "GIT_CONFIG_COUNT" || name.startsWith("GIT_CONFIG_KEY_") ||
           name.startsWith("GIT_CONFIG_VALUE_");
}

bool isValidConfigKey(const QByteArray& key) {
    const qsizetype first = key.indexOf('.');
    const qsizetype last = key.lastIndexOf('.');
    if (first <= 0 || last == key.size() - 1 || key.contains('\n') || key.contains('\0')) return false;
    for (qsizetype i = 0; i < first; ++i) {
        if (!isKeyChar(key[i])) return false;
    }
    if (!isAlpha(key[last + 1])) return false;
    for (qsizetype i = last + 1; i < key.size(); ++i) {
        if (!isKeyChar(key[i])) return false;
    }
    return true;
}

ConfigPairs configFromEnvironment(const QList<QByteArray>& environment) {
    QHash<QByteArray, QByteArray> values;
    for (const QByteArray& entry : environment) {
        const QByteArray name = variableName(entry);
        if (!isConfigVariable(name) || values.contains(name)) continue; // the first one is git's
        values.insert(name, entry.mid(name.size() + 1));
    }
    ConfigPairs pairs = parseCounted(values).value_or(ConfigPairs{});
    if (const auto parameters = values.constFind("GIT_CONFIG_PARAMETERS"); parameters != values.cend()) {
        pairs += parseParameters(*parameters).value_or(ConfigPairs{});
    }
    ConfigPairs valid;
    for (const ConfigPair& pair : pairs) {
        if (isValidConfigKey(pair.first)) valid.append(pair);
    }
    return valid;
}

void setConfig(QList<QByteArray>& environment, const ConfigPairs& pairs) {
    environment.removeIf([](const QByteArray& entry) { return isConfigVariable(variableName(entry)); });
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        const QByteArray index = QByteArray::number(i);
        environment.append("GIT_CONFIG_KEY_" + index + '=' + pairs[i].first);
        environment.append("GIT_CONFIG_VALUE_" + index + '=' + pairs[i].second);
    }
    environment.append("GIT_CONFIG_COUNT=" + QByteArray::number(pairs.size()));
}

void appendConfig(QList<QByteArray>& environment, const ConfigPairs& pairs) {
    if (pairs.isEmpty()) return;
    setConfig(environment, configFromEnvironment(environment) + pairs);
}

std::optional<QByteArray> variable(const QList<QByteArray>& environment, const QByteArray& name) {
    for (const QByteArray& entry : environment) {
        if (entry.size() > name.size() && entry.startsWith(name) && entry[name.size()] == '=') {
            return entry.mid(name.size() + 1);
        }
    }
    return std::nullopt;
}

void removeVariable(QList<QByteArray>& environment, const QByteArray& name) {
    environment.removeIf([&name](const QByteArray& entry) { return variableName(entry) == name; });
}

void setVariable(QList<QByteArray>& environment, const QByteArray& name, const QByteArray& value) {
    removeVariable(environment, name);
    environment.append(name + '=' + value);
}

} // namespace gitenv
