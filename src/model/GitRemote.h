#pragma once

#include <QString>
#include <QUuid>

// One named remote of a repository: the name git prints and the first location listed for it.
struct GitRemote {
    QUuid id;
    QString name;
    QString url;

    friend bool operator==(const GitRemote&, const GitRemote&) = default;
};

size_t qHash(const GitRemote& remote, size_t seed = 0) noexcept;
