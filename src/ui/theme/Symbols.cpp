#include "Symbols.h"

#include "SymbolMap.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSymbols, "codeorchardist.symbols")

Symbols::Symbols(QObject* parent)
    : QObject(parent)
{
}

QString Symbols::fontFamily() const
{
    return symbolmap::fontFamily();
}

bool Symbols::has(const QString& name) const
{
    return symbolmap::lookup(name).has_value();
}

QString Symbols::glyph(const QString& name) const
{
    const auto symbol = symbolmap::lookup(name);
    if (!symbol) {
        if (!name.isEmpty() && !m_reported.contains(name)) {
            m_reported.insert(name);
            qCWarning(lcSymbols) << "no symbol mapped for" << name;
        }
        return QString(QChar(0xe8fd)); // help_outline
    }
    if (symbol->codepoint == 0)
        return {};
    const char32_t cp[] = {symbol->codepoint};
    return QString::fromUcs4(cp, 1);
}

QString Symbols::path(const QString& name) const
{
    const auto symbol = symbolmap::lookup(name);
    return symbol ? symbol->path : QString();
}
