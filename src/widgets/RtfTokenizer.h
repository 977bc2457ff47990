#pragma once
#include <QByteArray>
#include <string_view>

// One lexical unit of an RTF stream. Views point into the tokenizer's input.
struct RtfToken {
    enum class Kind { GroupStart, GroupEnd, ControlWord, ControlSymbol, HexByte, Text, Binary, End };
    Kind kind = Kind::End;
    std::string_view word; // ControlWord: its letters; Text: the bytes of the run
    bool hasParam = false;
    int param = 0;          // clamped to +-kParamLimit
    unsigned char byte = 0; // ControlSymbol: the symbol; HexByte: the value

    static constexpr int kParamLimit = 2147483647;
};

// Splits RTF into tokens in one forward pass. Line ends outside \bin data
// are dropped, \bin N skips its N raw bytes (at most to the end of input),
// and numeric parameters of any length are clamped instead of overflowing.
class RtfTokenizer {
public:
    explicit RtfTokenizer(const QByteArray& rtf);
    RtfToken next();

private:
    RtfToken readEscape();
    RtfToken readControlWord();
    RtfToken readHexByte();
    RtfToken readText();

    const char* pos_;
    const char* end_;
};
