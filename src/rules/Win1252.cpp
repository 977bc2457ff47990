#include "rules/Win1252.h"
#include <array>
#include <optional>

namespace {

// Unicode characters of the bytes 0x80-0x9F; the undefined ones keep their C1 value.
constexpr std::array<char16_t, 32> HighControlBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<char> encode(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (size_t i = 0; i < HighControlBlock.size(); ++i) {
        if (HighControlBlock[i] == u)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

} // namespace

QString fromWin1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        text.append(b >= 0x80 && b <= 0x9F ? QChar(HighControlBlock[b - 0x80]) : QChar(b));
    }
    return text;
}

QByteArray toWin1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text)
        bytes.append(encode(c).value_or('?'));
    return bytes;
}

bool canEncodeWin1252(QChar c)
{
    return encode(c).has_value();
}

bool canEncodeWin1252(const QString& text)
{
    for (const QChar c : text) {
        if (!canEncodeWin1252(c))
            return false;
    }
    return true;
}
