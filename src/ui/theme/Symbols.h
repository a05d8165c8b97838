#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <QtQml/qqmlregistration.h>

// QML access to the symbol map: SymbolIcon asks it for the glyph or path of a symbol name.
class Symbols : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QString fontFamily READ fontFamily CONSTANT)

public:
    explicit Symbols(QObject* parent = nullptr);

    QString fontFamily() const;

    // True when the name has a mapping.
    Q_INVOKABLE bool has(const QString& name) const;
    // The glyph text for a font symbol; a question mark glyph for an unknown name (which is
    // reported once on the log), "" for a path symbol.
    Q_INVOKABLE QString glyph(const QString& name) const;
    // SVG path data (24 x 24 box) for a path symbol, "" otherwise.
    Q_INVOKABLE QString path(const QString& name) const;

private:
    mutable QSet<QString> m_reported;
};
