#include "widgets/RtfReader.h"
#include "widgets/RtfTokenizer.h"
#include <QColor>
#include <QFile>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace {

// Deeper groups than this are read without text, so nesting costs no memory.
constexpr int kMaxGroupDepth = 256;
constexpr int kMaxUnicodeSkip = 16;
constexpr int kDefaultHalfPoints = 24;
constexpr int kMaxHalfPoints = 3276;    // 1638 pt, the largest size word processors offer
constexpr int kMaxTwips = 31680;        // 22 inches, the widest page word processors offer
constexpr double kTwipsPerPixel = 15.0; // 1440 twips per inch at 96 pixels per inch
constexpr char16_t kReplacement = 0xFFFD;

char16_t windows1252ToUnicode(unsigned char byte)
{
    // Where Windows-1252 differs from Latin-1; 0 marks the unassigned bytes.
    static const char16_t kRange80To9F[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                              0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                              0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                              0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    return byte >= 0x80 && byte <= 0x9F ? kRange80To9F[byte - 0x80] : char16_t(byte);
}

bool isDroppedControl(char16_t unit)
{
    return (unit < 0x20 && unit != '\t') || (unit >= 0x7F && unit <= 0x9F);
}

// Code points QTextDocument reserves for its own structure (paragraph and
// frame marks, object anchors) must not enter it as text.
bool isReservedByDocument(char16_t unit)
{
    return unit == 0x2029 || unit == 0xFDD0 || unit == 0xFDD1 || unit == 0xFFFC || unit == 0xFFFE || unit == 0xFFFF;
}

// \u takes a signed 16-bit number; values beyond that range are damage.
char16_t unicodeParameterToUnit(int param)
{
    if (param < -32768 || param > 65535)
        return kReplacement;
    return static_cast<char16_t>(param < 0 ? 65536 + param : param);
}

bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

enum class Destination { Text, Skip, FontTable, ColorTable };
enum class VerticalPosition { Normal, Super, Sub };

struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    VerticalPosition vertical = VerticalPosition::Normal;
    int halfPoints = kDefaultHalfPoints;
    int foreground = 0; // colour table index
    int background = 0; // colour table index; 0 means none
    int font = -1;      // font table index; -1 means the document's default font

    auto key() const
    {
        return std::tie(bold, italic, underline, strike, hidden, vertical, halfPoints, foreground, background, font);
    }
    bool operator!=(const CharState& other) const { return key() != other.key(); }
};

struct ParaState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftTwips = 0;
    int rightTwips = 0;
    int firstLineTwips = 0;
    int spaceBeforeTwips = 0;
    int spaceAfterTwips = 0;
    bool inTable = false;
};

struct GroupState {
    CharState chars;
    ParaState para;
    Destination destination = Destination::Text;
    int unicodeSkip = 1;
};

enum class Keyword {
    Character,
    SkipGroup,
    FontTable,
    ColorTable,
    Red,
    Green,
    Blue,
    DefaultFont,
    Font,
    Paragraph,
    ResetParagraph,
    InTable,
    Cell,
    Row,
    LineBreak,
    Tab,
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Super,
    Sub,
    NoSuperSub,
    Hidden,
    FontSize,
    Foreground,
    Background,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstLineIndent,
    SpaceBefore,
    SpaceAfter,
    UnicodeChar,
    UnicodeSkip,
};

struct KeywordEntry {
    Keyword keyword;
    char16_t character = 0;
};

const KeywordEntry* findKeyword(std::string_view word)
{
    using K = Keyword;
    static const std::unordered_map<std::string_view, KeywordEntry> kKeywords = {
        {"emdash", {K::Character, 0x2014}},
        {"endash", {K::Character, 0x2013}},
        {"bullet", {K::Character, 0x2022}},
        {"lquote", {K::Character, 0x2018}},
        {"rquote", {K::Character, 0x2019}},
        {"ldblquote", {K::Character, 0x201C}},
        {"rdblquote", {K::Character, 0x201D}},
        {"emspace", {K::Character, 0x2003}},
        {"enspace", {K::Character, 0x2002}},
        // Destinations a viewer does not show; their groups are read without text.
        {"stylesheet", {K::SkipGroup}},
        {"info", {K::SkipGroup}},
        {"pict", {K::SkipGroup}},
        {"object", {K::SkipGroup}},
        {"objdata", {K::SkipGroup}},
        {"header", {K::SkipGroup}},
        {"headerl", {K::SkipGroup}},
        {"headerr", {K::SkipGroup}},
        {"headerf", {K::SkipGroup}},
        {"footer", {K::SkipGroup}},
        {"footerl", {K::SkipGroup}},
        {"footerr", {K::SkipGroup}},
        {"footerf", {K::SkipGroup}},
        {"footnote", {K::SkipGroup}},
        {"annotation", {K::SkipGroup}},
        {"listtable", {K::SkipGroup}},
        {"listoverridetable", {K::SkipGroup}},
        {"rsidtbl", {K::SkipGroup}},
        {"generator", {K::SkipGroup}},
        {"xmlnstbl", {K::SkipGroup}},
        {"themedata", {K::SkipGroup}},
        {"datastore", {K::SkipGroup}},
        {"latentstyles", {K::SkipGroup}},
        {"colorschememapping", {K::SkipGroup}},
        {"revtbl", {K::SkipGroup}},
        {"filetbl", {K::SkipGroup}},
        {"pgdsctbl", {K::SkipGroup}},
        {"fldinst", {K::SkipGroup}},
        {"pn", {K::SkipGroup}},
        {"template", {K::SkipGroup}},
        {"shp", {K::SkipGroup}},
        {"nonshppict", {K::SkipGroup}},
        {"userprops", {K::SkipGroup}},
        {"docvar", {K::SkipGroup}},
        {"ftnsep", {K::SkipGroup}},
        {"ftnsepc", {K::SkipGroup}},
        {"aftnsep", {K::SkipGroup}},
        {"aftnsepc", {K::SkipGroup}},
        {"fonttbl", {K::FontTable}},
        {"colortbl", {K::ColorTable}},
        {"red", {K::Red}},
        {"green", {K::Green}},
        {"blue", {K::Blue}},
        {"deff", {K::DefaultFont}},
        {"f", {K::Font}},
        {"par", {K::Paragraph}},
        {"sect", {K::Paragraph}},
        {"page", {K::Paragraph}},
        {"pard", {K::ResetParagraph}},
        {"intbl", {K::InTable}},
        {"cell", {K::Cell}},
        {"nestcell", {K::Cell}},
        {"row", {K::Row}},
        {"nestrow", {K::Row}},
        {"line", {K::LineBreak}},
        {"tab", {K::Tab}},
        {"plain", {K::Plain}},
        {"b", {K::Bold}},
        {"i", {K::Italic}},
        {"ul", {K::Underline}},
        {"uld", {K::Underline}},
        {"uldash", {K::Underline}},
        {"uldashd", {K::Underline}},
        {"uldashdd", {K::Underline}},
        {"uldb", {K::Underline}},
        {"ulhwave", {K::Underline}},
        {"ulldash", {K::Underline}},
        {"ulth", {K::Underline}},
        {"ulthd", {K::Underline}},
        {"ulthdash", {K::Underline}},
        {"ulw", {K::Underline}},
        {"ulwave", {K::Underline}},
        {"ulnone", {K::UnderlineNone}},
        {"strike", {K::Strike}},
        {"striked", {K::Strike}},
        {"super", {K::Super}},
        {"sub", {K::Sub}},
        {"nosupersub", {K::NoSuperSub}},
        {"v", {K::Hidden}},
        {"fs", {K::FontSize}},
        {"cf", {K::Foreground}},
        {"cb", {K::Background}},
        {"highlight", {K::Background}},
        {"chcbpat", {K::Background}},
        {"ql", {K::AlignLeft}},
        {"qc", {K::AlignCenter}},
        {"qr", {K::AlignRight}},
        {"qj", {K::AlignJustify}},
        {"li", {K::LeftIndent}},
        {"ri", {K::RightIndent}},
        {"fi", {K::FirstLineIndent}},
        {"sb", {K::SpaceBefore}},
        {"sa", {K::SpaceAfter}},
        {"u", {K::UnicodeChar}},
        {"uc", {K::UnicodeSkip}},
    };
    const auto found = kKeywords.find(word);
    return found == kKeywords.end() ? nullptr : &found->second;
}

bool switchedOn(const RtfToken& token)
{
    return !token.hasParam || token.param != 0;
}

// Fills a document from RTF tokens. Text is gathered in runs of equal
// format and inserted per run; a paragraph break is held back until more
// text follows, so the closing \par of a document adds no empty paragraph.
class RtfDocumentBuilder {
public:
    explicit RtfDocumentBuilder(QTextDocument* document)
        : cursor_(document)
    {
        stack_.emplace_back();
    }

    void read(const QByteArray& rtf)
    {
        cursor_.beginEditBlock();
        RtfTokenizer tokenizer(rtf);
        for (RtfToken token = tokenizer.next(); token.kind != RtfToken::Kind::End; token = tokenizer.next())
            handle(token);
        if (highSurrogate_) {
            highSurrogate_ = 0;
            appendText(kReplacement);
        }
        flushRun();
        cursor_.endEditBlock();
    }

private:
    GroupState& state() { return stack_.back(); }

    void handle(const RtfToken& token)
    {
        using Kind = RtfToken::Kind;
        if (token.kind == Kind::GroupStart)
            return openGroup();
        if (token.kind == Kind::GroupEnd)
            return closeGroup();
        if (overflowDepth_ > 0)
            return;
        if (token.kind == Kind::Text)
            return textBytes(token.word);
        if (skipPending_ > 0) {
            --skipPending_; // the fallback of a preceding \u
            return;
        }
        switch (token.kind) {
        case Kind::ControlWord:
            controlWord(token);
            break;
        case Kind::ControlSymbol:
            controlSymbol(token.byte);
            break;
        case Kind::HexByte:
            putChar(windows1252ToUnicode(token.byte));
            break;
        default:
            break; // \bin data: skipped by the tokenizer
        }
    }

    void openGroup()
    {
        skipPending_ = 0;
        if (overflowDepth_ > 0 || stack_.size() >= kMaxGroupDepth)
            ++overflowDepth_;
        else
            stack_.push_back(stack_.back());
    }

    void closeGroup()
    {
        skipPending_ = 0;
        if (overflowDepth_ > 0) {
            --overflowDepth_;
            return;
        }
        if (stack_.size() == 1)
            return; // unbalanced "}"
        if (state().destination == Destination::FontTable)
            commitFont();
        stack_.pop_back();
    }

    void textBytes(std::string_view bytes)
    {
        for (const char byte : bytes) {
            if (skipPending_ > 0)
                --skipPending_;
            else
                putChar(windows1252ToUnicode(static_cast<unsigned char>(byte)));
        }
    }

    void controlSymbol(unsigned char symbol)
    {
        switch (symbol) {
        case '\\':
        case '{':
        case '}':
            putChar(symbol);
            break;
        case '~':
            putChar(0x00A0);
            break;
        case '-':
            putChar(0x00AD);
            break;
        case '_':
            putChar(0x2011);
            break;
        case '*':
            state().destination = Destination::Skip;
            break;
        case '\r':
        case '\n':
            paragraphMark();
            break;
        default:
            break;
        }
    }

    void controlWord(const RtfToken& token)
    {
        const KeywordEntry* entry = findKeyword(token.word);
        if (!entry)
            return;
        GroupState& group = state();
        CharState& chars = group.chars;
        ParaState& para = group.para;
        using K = Keyword;
        switch (entry->keyword) {
        case K::Character:
            putChar(entry->character);
            break;
        case K::SkipGroup:
            group.destination = Destination::Skip;
            break;
        case K::FontTable:
            enterTable(Destination::FontTable);
            break;
        case K::ColorTable:
            enterTable(Destination::ColorTable);
            break;
        case K::Red:
            colorComponent(0, token);
            break;
        case K::Green:
            colorComponent(1, token);
            break;
        case K::Blue:
            colorComponent(2, token);
            break;
        case K::DefaultFont:
            defaultFont_ = token.param;
            break;
        case K::Font:
            if (group.destination == Destination::FontTable)
                fontInDefinition_ = token.param;
            else
                chars.font = token.param;
            break;
        case K::Paragraph:
            paragraphMark();
            break;
        case K::ResetParagraph:
            para = ParaState();
            break;
        case K::InTable:
            para.inTable = true;
            break;
        case K::Cell:
            endCell();
            break;
        case K::Row:
            endRow();
            break;
        case K::LineBreak:
            putChar(0x2028);
            break;
        case K::Tab:
            putChar('\t');
            break;
        case K::Plain:
            chars = CharState();
            break;
        case K::Bold:
            chars.bold = switchedOn(token);
            break;
        case K::Italic:
            chars.italic = switchedOn(token);
            break;
        case K::Underline:
            chars.underline = switchedOn(token);
            break;
        case K::UnderlineNone:
            chars.underline = false;
            break;
        case K::Strike:
            chars.strike = switchedOn(token);
            break;
        case K::Super:
            chars.vertical = VerticalPosition::Super;
            break;
        case K::Sub:
            chars.vertical = VerticalPosition::Sub;
            break;
        case K::NoSuperSub:
            chars.vertical = VerticalPosition::Normal;
            break;
        case K::Hidden:
            chars.hidden = switchedOn(token);
            break;
        case K::FontSize:
            chars.halfPoints = token.param > 0 ? std::min(token.param, kMaxHalfPoints) : kDefaultHalfPoints;
            break;
        case K::Foreground:
            chars.foreground = token.param;
            break;
        case K::Background:
            chars.background = token.param;
            break;
        case K::AlignLeft:
            para.alignment = Qt::AlignLeft;
            break;
        case K::AlignCenter:
            para.alignment = Qt::AlignHCenter;
            break;
        case K::AlignRight:
            para.alignment = Qt::AlignRight;
            break;
        case K::AlignJustify:
            para.alignment = Qt::AlignJustify;
            break;
        case K::LeftIndent:
            para.leftTwips = std::clamp(token.param, 0, kMaxTwips);
            break;
        case K::RightIndent:
            para.rightTwips = std::clamp(token.param, 0, kMaxTwips);
            break;
        case K::FirstLineIndent:
            para.firstLineTwips = std::clamp(token.param, -kMaxTwips, kMaxTwips);
            break;
        case K::SpaceBefore:
            para.spaceBeforeTwips = std::clamp(token.param, 0, kMaxTwips);
            break;
        case K::SpaceAfter:
            para.spaceAfterTwips = std::clamp(token.param, 0, kMaxTwips);
            break;
        case K::UnicodeChar:
            if (token.hasParam) {
                putChar(unicodeParameterToUnit(token.param));
                skipPending_ = group.unicodeSkip;
            }
            break;
        case K::UnicodeSkip:
            group.unicodeSkip = std::clamp(token.param, 0, kMaxUnicodeSkip);
            break;
        }
    }

    void enterTable(Destination table)
    {
        if (state().destination != Destination::Skip)
            state().destination = table;
    }

    // Every character of the document passes here, routed by destination.
    void putChar(char16_t unit)
    {
        switch (state().destination) {
        case Destination::Text:
            if (!state().chars.hidden)
                putText(unit);
            break;
        case Destination::FontTable:
            if (unit == ';')
                commitFont();
            else
                fontName_ += QChar(unit);
            break;
        case Destination::ColorTable:
            if (unit == ';')
                commitColor();
            break;
        case Destination::Skip:
            break;
        }
    }

    // UTF-16 pairs come as two \u words; a half without its partner is
    // shown as the replacement character instead of corrupting the text.
    void putText(char16_t unit)
    {
        if (isDroppedControl(unit))
            return;
        if (isHighSurrogate(unit)) {
            if (highSurrogate_)
                appendText(kReplacement);
            highSurrogate_ = unit;
            return;
        }
        if (isLowSurrogate(unit) && highSurrogate_) {
            appendText(highSurrogate_);
            highSurrogate_ = 0;
            appendText(unit);
            return;
        }
        if (highSurrogate_) {
            highSurrogate_ = 0;
            appendText(kReplacement);
        }
        appendText(isLowSurrogate(unit) || isReservedByDocument(unit) ? kReplacement : unit);
    }

    void appendText(char16_t unit)
    {
        beginContent();
        appendToRun(unit);
    }

    void beginContent()
    {
        if (paragraphPending_) {
            cursor_.insertBlock();
            paragraphPending_ = false;
            paragraphHasContent_ = false;
        }
        if (!paragraphHasContent_) {
            cursor_.setBlockFormat(blockFormat(state().para));
            paragraphHasContent_ = true;
        }
        if (cellLinePending_) {
            appendToRun(0x2028);
            cellLinePending_ = false;
        }
        for (; cellTabsPending_ > 0; --cellTabsPending_)
            appendToRun('\t');
    }

    void appendToRun(char16_t unit)
    {
        if (!run_.isEmpty() && runChars_ != state().chars)
            flushRun();
        runChars_ = state().chars;
        run_ += QChar(unit);
    }

    void flushRun()
    {
        if (run_.isEmpty())
            return;
        cursor_.insertText(run_, charFormat(runChars_));
        run_.clear();
    }

    void endParagraph()
    {
        if (state().destination != Destination::Text)
            return;
        flushRun();
        if (paragraphPending_)
            cursor_.insertBlock();
        cursor_.setBlockFormat(blockFormat(state().para));
        paragraphPending_ = true;
        cellTabsPending_ = 0;
        cellLinePending_ = false;
    }

    void paragraphMark()
    {
        if (state().para.inTable)
            endCellParagraph();
        else
            endParagraph();
    }

    // Tables are shown as text: a tab between cells, a paragraph per row, and
    // a line break between the paragraphs of one cell.
    void endCellParagraph()
    {
        if (state().destination == Destination::Text)
            cellLinePending_ = true;
    }

    void endCell()
    {
        if (state().destination != Destination::Text)
            return;
        cellLinePending_ = false;
        ++cellTabsPending_;
    }

    void endRow()
    {
        if (state().destination != Destination::Text)
            return;
        cellLinePending_ = false;
        endParagraph();
    }

    void colorComponent(int component, const RtfToken& token)
    {
        if (state().destination != Destination::ColorTable)
            return;
        colorComponents_[component] = std::clamp(token.param, 0, 255);
        colorDefined_ = true;
    }

    void commitColor()
    {
        colors_.push_back(colorDefined_ ? QColor(colorComponents_[0], colorComponents_[1], colorComponents_[2])
                                        : QColor());
        colorDefined_ = false;
        std::fill(std::begin(colorComponents_), std::end(colorComponents_), 0);
    }

    void commitFont()
    {
        const QString name = fontName_.trimmed();
        if (!name.isEmpty())
            fonts_[fontInDefinition_] = name;
        fontName_.clear();
    }

    QColor tableColor(int index) const
    {
        return index >= 0 && static_cast<size_t>(index) < colors_.size() ? colors_[static_cast<size_t>(index)]
                                                                         : QColor();
    }

    QTextCharFormat charFormat(const CharState& chars) const
    {
        QTextCharFormat format;
        format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(chars.italic);
        format.setFontUnderline(chars.underline);
        format.setFontStrikeOut(chars.strike);
        format.setFontPointSize(chars.halfPoints / 2.0);
        if (chars.vertical == VerticalPosition::Super)
            format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        else if (chars.vertical == VerticalPosition::Sub)
            format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        const QColor foreground = tableColor(chars.foreground);
        if (foreground.isValid())
            format.setForeground(foreground);
        const QColor background = chars.background > 0 ? tableColor(chars.background) : QColor();
        if (background.isValid())
            format.setBackground(background);
        const auto font = fonts_.find(chars.font < 0 ? defaultFont_ : chars.font);
        if (font != fonts_.end())
            format.setFontFamilies({font->second});
        return format;
    }

    static QTextBlockFormat blockFormat(const ParaState& para)
    {
        QTextBlockFormat format;
        format.setAlignment(para.alignment);
        format.setLeftMargin(para.leftTwips / kTwipsPerPixel);
        format.setRightMargin(para.rightTwips / kTwipsPerPixel);
        format.setTextIndent(para.firstLineTwips / kTwipsPerPixel);
        format.setTopMargin(para.spaceBeforeTwips / kTwipsPerPixel);
        format.setBottomMargin(para.spaceAfterTwips / kTwipsPerPixel);
        return format;
    }

    QTextCursor cursor_;
    std::vector<GroupState> stack_;
    qint64 overflowDepth_ = 0; // open groups beyond kMaxGroupDepth
    int skipPending_ = 0;      // fallback characters still to drop after \u
    char16_t highSurrogate_ = 0;

    QString run_;
    CharState runChars_;
    bool paragraphPending_ = false;
    bool paragraphHasContent_ = false;
    int cellTabsPending_ = 0;
    bool cellLinePending_ = false;

    std::vector<QColor> colors_;
    int colorComponents_[3] = {0, 0, 0};
    bool colorDefined_ = false;

    std::unordered_map<int, QString> fonts_;
    int fontInDefinition_ = 0;
    int defaultFont_ = 0;
    QString fontName_;
};

} // namespace

void readRtf(const QByteArray& rtf, QTextDocument* document)
{
    // Loading is not an edit the user could undo, and undo records would
    // double the memory a large document takes.
    const bool undoRedo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    document->clear();
    RtfDocumentBuilder(document).read(rtf);
    document->setUndoRedoEnabled(undoRedo);
}

bool loadRtfFile(const QString& path, QTextDocument* document)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray rtf = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    readRtf(rtf, document);
    return true;
}

QString rtfToPlainText(const QByteArray& rtf)
{
    QTextDocument document;
    readRtf(rtf, &document);
    return document.toPlainText();
}
