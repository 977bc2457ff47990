#include "widgets/RtfTokenizer.h"
#include <algorithm>
#include <cstdint>

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

RtfTokenizer::RtfTokenizer(const QByteArray& rtf)
    : pos_(rtf.constData()),
      end_(rtf.constData() + rtf.size())
{
}

RtfToken RtfTokenizer::next()
{
    while (pos_ < end_ && isLineEnd(*pos_))
        ++pos_;
    RtfToken token;
    if (pos_ == end_)
        return token;
    switch (*pos_) {
    case '{':
        ++pos_;
        token.kind = RtfToken::Kind::GroupStart;
        return token;
    case '}':
        ++pos_;
        token.kind = RtfToken::Kind::GroupEnd;
        return token;
    case '\\':
        ++pos_;
        return readEscape();
    default:
        return readText();
    }
}

RtfToken RtfTokenizer::readEscape()
{
    if (pos_ == end_)
        return RtfToken();
    if (isLetter(*pos_))
        return readControlWord();
    if (*pos_ == '\'') {
        ++pos_;
        return readHexByte();
    }
    RtfToken token;
    token.kind = RtfToken::Kind::ControlSymbol;
    token.byte = static_cast<unsigned char>(*pos_++);
    return token;
}

RtfToken RtfTokenizer::readControlWord()
{
    RtfToken token;
    token.kind = RtfToken::Kind::ControlWord;
    const char* start = pos_;
    while (pos_ < end_ && isLetter(*pos_))
        ++pos_;
    token.word = std::string_view(start, static_cast<size_t>(pos_ - start));

    const bool negative = pos_ + 1 < end_ && *pos_ == '-' && isDigit(pos_[1]);
    if (negative)
        ++pos_;
    std::int64_t value = 0;
    while (pos_ < end_ && isDigit(*pos_)) {
        token.hasParam = true;
        value = std::min<std::int64_t>(value * 10 + (*pos_++ - '0'), RtfToken::kParamLimit);
    }
    token.param = static_cast<int>(negative ? -value : value);
    if (pos_ < end_ && *pos_ == ' ')
        ++pos_;

    if (token.word == "bin") {
        token.kind = RtfToken::Kind::Binary;
        const std::int64_t length = token.param > 0 ? token.param : 0;
        pos_ += std::min<std::int64_t>(length, end_ - pos_);
    }
    return token;
}

RtfToken RtfTokenizer::readHexByte()
{
    RtfToken token;
    const int high = pos_ < end_ ? hexValue(*pos_) : -1;
    const int low = pos_ + 1 < end_ ? hexValue(pos_[1]) : -1;
    if (high < 0 || low < 0) {
        // A broken escape: keep the quote as an unknown symbol so it still
        // counts as one character for \uc skipping.
        token.kind = RtfToken::Kind::ControlSymbol;
        token.byte = '\'';
        return token;
    }
    pos_ += 2;
    token.kind = RtfToken::Kind::HexByte;
    token.byte = static_cast<unsigned char>(high * 16 + low);
    return token;
}

RtfToken RtfTokenizer::readText()
{
    RtfToken token;
    token.kind = RtfToken::Kind::Text;
    const char* start = pos_;
    while (pos_ < end_ && *pos_ != '\\' && *pos_ != '{' && *pos_ != '}' && !isLineEnd(*pos_))
        ++pos_;
    token.word = std::string_view(start, static_cast<size_t>(pos_ - start));
    return token;
}
