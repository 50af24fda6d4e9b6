#include "quiz/number.h"

#include <QLocale>

#include <cstdio>

namespace quiz {

QString Number::toText(const QString& decimalSeparator) const
{
    if (value_ == 0)
        return QStringLiteral("0");  // never "-0"
    if (!fractional_)
        return QString::number(static_cast<long long>(value_));
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value_);
    QString text = QString::fromLatin1(buffer);
    text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

QString Number::toText() const { return toText(systemDecimalSeparator()); }

QString systemDecimalSeparator() { return QLocale::system().decimalPoint(); }

}  // namespace quiz
