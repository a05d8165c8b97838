// The relative-date text for any two instants QDateTime can hold, in a few locales.
#include "FuzzSupport.h"

#include "model/RelativeDateText.h"

#include <iterator>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArrayView input = fuzzsupport::view(data, size);
    const qint64 dateMs = fuzzsupport::take<qint64>(input);
    const qint64 nowMs = fuzzsupport::take<qint64>(input);
    const uint8_t localeIndex = fuzzsupport::take<uint8_t>(input);
    static const QLocale locales[] = {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::Arabic),
                                      QLocale(QLocale::Japanese)};
    const QLocale& locale = locales[localeIndex % std::size(locales)];
    const QDateTime date = QDateTime::fromMSecsSinceEpoch(dateMs, Qt::UTC);
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(nowMs, Qt::UTC);
    const QString text = relativeDateText(date, now, locale);
    // Every pair of valid instants has a text; only an invalid one has none.
    fuzzsupport::check(text.isEmpty() == (!date.isValid() || !now.isValid()));
    return 0;
}
