#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The pixel sizes of the text styles, for Theme.qml and for C++ that measures text the way
// the views draw it.
namespace textstyles {

inline constexpr int largeTitle = 28;
inline constexpr int title = 22;
inline constexpr int title2 = 18;
inline constexpr int headline = 14;
inline constexpr int subheadline = 12;
inline constexpr int body = 14;
inline constexpr int caption = 12;
inline constexpr int caption2 = 11;
inline constexpr int monospacedBody = 13;

// The size of the style named like the constants above; body for an unknown name.
int pixelSize(const QString& style);

} // namespace textstyles

class TextStyles : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    explicit TextStyles(QObject* parent = nullptr) : QObject(parent) {}
    Q_INVOKABLE int pixelSize(const QString& style) const { return textstyles::pixelSize(style); }
};
