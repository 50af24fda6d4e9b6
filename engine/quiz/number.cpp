#include "quiz/number.h"

#include <QLocale>

#include <charconv>
#include <system_error>

namespace quiz {

QString Number::toText(const QString& decimalSeparator) const
{
    if (value_ == 0)
        return QStringLiteral("0");  // never "-0"
    if (!fractional_)
        return QString::number(static_cast<long long>(value_));
    // std::to_chars ignores the C library's locale (QApplication sets it from the
    // environment, and printf would then write that locale's separator, in its
    // own encoding): its "." is the one place the user's separator goes.
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value_, std::chars_format::general, 15);
    if (error != std::errc())  // 64 bytes hold any double at 15 digits
        qFatal("grade: %g does not fit its text buffer", value_);
    QString text = QString::fromLatin1(buffer, end - buffer);
    text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

QString Number::toText() const { return toText(systemDecimalSeparator()); }

// Qt reads the regional settings from the environment itself, never from the C
// library, and gives the separator as a string: it need not be one ASCII byte.
QString systemDecimalSeparator() { return QLocale::system().decimalPoint(); }

}  // namespace quiz
