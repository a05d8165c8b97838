#include "discovery/WatchTable.h"

#include <algorithm>

bool WatchTable::add(int wd, const QByteArray& path, const WatchOwner& owner) {
    auto it = m_entries.find(wd);
    const bool fresh = it == m_entries.end();
    if (fresh) it = m_entries.insert(wd, Entry{path, {}});
    if (!it->owners.contains(owner)) it->owners.append(owner);
    m_byKey[owner.key].insert(wd);
    return fresh;
}

const WatchTable::Entry* WatchTable::find(int wd) const {
    const auto it = m_entries.constFind(wd);
    return it == m_entries.cend() ? nullptr : &*it;
}

QList<int> WatchTable::release(const QByteArray& key, std::optional<WatchRole> role) {
    const auto byKey = m_byKey.find(key);
    if (byKey == m_byKey.end()) return {};
    QList<int> ended;
    for (auto wd = byKey->begin(); wd != byKey->end();) {
        const auto entry = m_entries.find(*wd);
        if (entry == m_entries.end()) {
            wd = byKey->erase(wd);
            continue;
        }
        entry->owners.removeIf([&](const WatchOwner& o) { return o.key == key && (!role || o.role == *role); });
        const bool stillOwned = std::any_of(entry->owners.cbegin(), entry->owners.cend(),
                                            [&key](const WatchOwner& o) { return o.key == key; });
        if (entry->owners.isEmpty()) {
            ended.append(*wd);
            m_entries.erase(entry);
        }
        if (!stillOwned) wd = byKey->erase(wd);
        else ++wd;
    }
    if (byKey->isEmpty()) m_byKey.erase(byKey);
    return ended;
}

QList<WatchOwner> WatchTable::drop(int wd) {
    const auto it = m_entries.find(wd);
    if (it == m_entries.end()) return {};
    const QList<WatchOwner> owners = it->owners;
    m_entries.erase(it);
    for (const WatchOwner& owner : owners) {
        const auto byKey = m_byKey.find(owner.key);
        if (byKey == m_byKey.end()) continue;
        byKey->remove(wd);
        if (byKey->isEmpty()) m_byKey.erase(byKey);
    }
    return owners;
}

void WatchTable::clear() {
    m_entries.clear();
    m_byKey.clear();
}
