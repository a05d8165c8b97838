// What ProjectsViewModel keeps in the settings for the next start besides the root folder:
// the search text, the kind filter and the selected project's folder, and the values the
// window keeps of itself (size, mode, panes). A damaged value is ignored: the default stands.
#include "state/ProjectsViewModel.h"

#include "state/DisplayText.h"

namespace {

const QString kSearchKey = QStringLiteral("Codeorchardist.Window.Search");
const QString kKindKey = QStringLiteral("Codeorchardist.Window.KindFilter");
const QString kSelectionKey = QStringLiteral("Codeorchardist.Window.Selection");
const QString kWindowPrefix = QStringLiteral("Codeorchardist.Window.");
// A folder path longer than any the system opens is damage.
constexpr qsizetype kMaxPathBytes = 4096;

} // namespace

void ProjectsViewModel::loadWindowState() {
    if (!m_settings) return;
    const QVariant search = m_settings->value(kSearchKey);
    if (search.typeId() == QMetaType::QString && search.toString().size() <= displayTextLimit)
        m_searchText = search.toString();
    const QVariant kind = m_settings->value(kKindKey);
    if (kind.typeId() == QMetaType::QString) m_typeFilter = projecttype::fromRawValue(kind.toString());
    const QVariant selection = m_settings->value(kSelectionKey);
    if (selection.typeId() == QMetaType::QByteArray && !selection.toByteArray().isEmpty() &&
        selection.toByteArray().size() <= kMaxPathBytes)
        m_restoredSelection = selection.toByteArray();
}

void ProjectsViewModel::saveFilterState() {
    if (!m_settings) return;
    m_settings->setValue(kSearchKey, m_searchText);
    m_settings->setValue(kKindKey, selectedTypeFilterText());
}

void ProjectsViewModel::saveSelection() {
    if (!m_settings) return;
    if (m_selected) m_settings->setValue(kSelectionKey, m_selected->path);
    else m_settings->remove(kSelectionKey);
}

QVariant ProjectsViewModel::windowSetting(const QString& name) const {
    return m_settings ? m_settings->value(kWindowPrefix + name) : QVariant();
}

void ProjectsViewModel::setWindowSetting(const QString& name, const QVariant& value) {
    if (m_settings) m_settings->setValue(kWindowPrefix + name, value);
}
