#pragma once

class QObject;

// Closing a view frees its items, textures and caches, but the C library keeps most of that
// memory for later allocations. This hands the free heap back to the system a moment after a
// view is closed, once the scene graph has let go of the closed view's resources.
namespace heaptrim {

// Returns free heap pages to the system now.
void trimNow();
// Trims a second after `loader` (a Loader) shows another item, that is, after a screen or
// view mode change; changes in a row trim once. The timer belongs to the loader.
void trimAfterItemChanges(QObject* loader);

} // namespace heaptrim
