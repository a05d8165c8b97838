#include "HeapTrim.h"

#include <QObject>
#include <QTimer>

#include <malloc.h>

namespace heaptrim {

void trimNow() { malloc_trim(0); }

void trimAfterItemChanges(QObject* loader) {
    if (!loader) return;
    auto* timer = new QTimer(loader);
    timer->setSingleShot(true);
    timer->setInterval(1000);
    QObject::connect(timer, &QTimer::timeout, timer, &trimNow);
    QObject::connect(loader, SIGNAL(itemChanged()), timer, SLOT(start()));
}

} // namespace heaptrim
