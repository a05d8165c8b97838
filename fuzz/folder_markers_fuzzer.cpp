// Marker names and the bare-repository layout test on arbitrary entry names.
#include "FuzzSupport.h"

#include "discovery/BareRepository.h"
#include "discovery/FolderMarkers.h"

#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string name(reinterpret_cast<const char*>(data), size);
    if (name.find('\0') != std::string::npos) return 0; // entry names hold no zero byte
    const std::optional<Marker> marker = markers::markerFor(name.c_str(), name.size());
    if (marker) {
        // A fixed marker is exactly its name; a pattern marker a visible name with its extension.
        if (const char* fixed = markers::fixedName(*marker)) fuzzsupport::check(name == fixed);
        else fuzzsupport::check(name[0] != '.' && name.find('.') != std::string::npos);
        FolderMarkers found;
        found.note(*marker, name.c_str(), name.size());
        fuzzsupport::check(found.entryName(*marker) == QByteArray::fromStdString(name));
    }
    const QByteArray stripped = barerepository::nameOf(QByteArray::fromStdString(name));
    fuzzsupport::check(!stripped.isEmpty() || name.empty());
    return 0;
}
