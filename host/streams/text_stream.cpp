#include "host/streams/text_stream.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "host/formats/id_text.h"
#include "host/scene/quoted_list.h"

namespace {

enum class LineKind { Values, BlockStart, BlockEnd };

LineKind KindOf(std::string_view line) {
    if (line == "}") return LineKind::BlockEnd;
    if (!line.empty() && line[0] == '{' && (line.size() == 1 || line[1] == ' '))
        return LineKind::BlockStart;
    return LineKind::Values;
}

std::string_view SkipSpaces(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    return start == std::string_view::npos ? std::string_view{} : text.substr(start);
}

std::string_view TrimEnd(std::string_view text) {
    const std::size_t end = text.find_last_not_of(" \t\r");
    return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

std::string_view BlockToken(std::string_view line) {
    return SkipSpaces(line.substr(1));
}

// The first word of `text` (which starts at a non-space) and what follows it.
std::string_view TakeWord(std::string_view &text) {
    const std::size_t end = std::min(text.find_first_of(" \t"), text.size());
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

template <typename T>
bool ParseWord(std::string_view word, int base, T &value) {
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, base);
    return error == std::errc{} && end == word.data() + word.size();
}

bool ParseFloat(std::string_view word, float &value) {
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc{} && end == word.data() + word.size();
}

// One value of `kind` from `word` into slot `index` of `values`.
bool ParseValue(ValueKind kind, std::string_view word, void *values, int index) {
    auto store = [&](auto value) {
        std::memcpy(static_cast<unsigned char *>(values) + index * sizeof value, &value,
                    sizeof value);
        return true;
    };
    std::int8_t i1;
    std::int16_t i2;
    std::uint16_t u2;
    std::int32_t i4;
    std::uint32_t u4;
    float fp;
    switch (kind) {
        case ValueKind::I1:
            return ParseWord(word, 10, i1) && store(i1);
        case ValueKind::I2:
            return ParseWord(word, 10, i2) && store(i2);
        case ValueKind::U2:
            return ParseWord(word, 16, u2) && store(u2);
        case ValueKind::I4:
            return ParseWord(word, 10, i4) && store(i4);
        case ValueKind::U4:
            return ParseWord(word, 16, u4) && store(u4);
        case ValueKind::FP:
            return ParseFloat(word, fp) && store(fp);
        default:
            return false;
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

int ParseBytes(std::string_view &text, unsigned char *bytes, int count) {
    int n = 0;
    for (text = SkipSpaces(text); n < count && text.size() >= 2; text = SkipSpaces(text)) {
        const int high = HexDigit(text[0]), low = HexDigit(text[1]);
        if (high < 0 || low < 0) break;
        bytes[n++] = static_cast<unsigned char>(high * 16 + low);
        text.remove_prefix(2);
    }
    return n;
}

int ParseRaw(std::string_view &text, char *bytes, int count) {
    text = SkipSpaces(text);
    const std::size_t n = std::min<std::size_t>(count, text.size());
    if (n) std::memcpy(bytes, text.data(), n);
    text.remove_prefix(n);
    return static_cast<int>(n);
}

// Up to `count` values from the front of `text`, which is left at what follows the last one.
int ParseValues(ValueKind kind, std::string_view &text, void *values, int count) {
    if (kind == ValueKind::Raw) return ParseRaw(text, static_cast<char *>(values), count);
    if (kind == ValueKind::U1) return ParseBytes(text, static_cast<unsigned char *>(values), count);
    int n = 0;
    for (; n < count; ++n) {
        std::string_view rest = SkipSpaces(text);
        const std::string_view word = TakeWord(rest);
        if (word.empty() || !ParseValue(kind, word, values, n)) break;
        text = rest;
    }
    return n;
}

// A string item: the text between double quotes (to the next quote inside a leaf block's line,
// to the last one on a line of its own), or else the next word or the whole line.
std::string_view TakeString(std::string_view &text, bool wholeLine) {
    text = SkipSpaces(text);
    if (wholeLine) {
        std::string_view line = text;
        text = {};
        if (line.size() >= 2 && line.front() == '"' && line.back() == '"')
            return line.substr(1, line.size() - 2);
        return line;
    }
    if (text.empty() || text[0] != '"') return TakeWord(text);
    const std::size_t close = std::min(text.find('"', 1), text.size());
    const std::string_view inner = text.substr(1, close - 1);
    text.remove_prefix(std::min(close + 1, text.size()));
    return inner;
}

// "8 U1 values": what a read asked for.
std::string ValuesAskedFor(ValueKind kind, int count) {
    const std::string name = ValueKindName(kind);
    return std::to_string(count) + (name.empty() ? "" : " " + name) +
           (count == 1 ? " value" : " values");
}

// "a SetsFrom or Surface block": what findBlock looks for.
std::string BlocksLookedFor(const LWBlockIdent *list) {
    std::string tokens;
    for (; list->token; ++list) tokens += (tokens.empty() ? "" : " or ") + std::string(list->token);
    return "a " + tokens + " block";
}

}  // namespace

bool TextSaveStream::writable(std::string_view what, std::string_view text) {
    for (unsigned char c : text)
        if (c < 32) {
            refuse(std::string(what) + " holds byte " + std::to_string(c) +
                   ", which a scene file cannot hold (bytes must lie in 32-255)");
            return false;
        }
    return true;
}

bool TextSaveStream::validToken(const LWBlockIdent &ident) {
    const std::string_view token = ident.token ? ident.token : "";
    const bool valid =
        !token.empty() && token[0] != '{' && token[0] != '}' && token[0] != '"' &&
        std::all_of(token.begin(), token.end(), [](unsigned char c) { return c > 32 && c < 127; });
    if (!valid)
        refuse("block " + IdText(ident.id) + ": token \"" + std::string(token) +
               "\" cannot name a block in a scene file");
    return valid;
}

void TextSaveStream::startLine() {
    out.insert(out.end(), 2 * open.size(), ' ');
}

void TextSaveStream::putItem(std::string_view text) {
    if (inLeaf()) {
        out.push_back(' ');
        out.insert(out.end(), text.begin(), text.end());
        return;
    }
    startLine();
    out.insert(out.end(), text.begin(), text.end());
    out.push_back('\n');
}

void TextSaveStream::writeValues(ValueKind kind, const void *values, int count) {
    if (count <= 0) return;  // no line: a read of no values takes none either
    const std::string text = FormatValues(kind, values, count);
    if (writable("write of raw bytes", text)) putItem(text);
}

void TextSaveStream::writeString(const char *text) {
    const std::string_view string = text;
    if (!writable("string \"" + std::string(string.substr(0, 40)) + "\"", string)) return;
    if (inLeaf() && string.find('"') != std::string_view::npos)
        return refuse("string \"" + std::string(string) +
                      "\" holds a double quote, which a leaf block's line cannot hold");
    std::string quoted;
    quoted.reserve(string.size() + 2);
    quoted.append(1, '"').append(string).append(1, '"');
    putItem(quoted);
}

void TextSaveStream::writeIdent(const LWBlockIdent &ident) {
    if (validToken(ident)) putItem(ident.token);
}

void TextSaveStream::beginBlock(const LWBlockIdent &ident, bool leaf) {
    if (!validToken(ident)) return;
    if (inLeaf())
        return refuse("block " + std::string(ident.token) + " inside leaf block " +
                      open.back().token + ", which a scene file cannot hold");
    startLine();
    const std::string start = leaf ? std::string(ident.token) : "{ " + std::string(ident.token);
    out.insert(out.end(), start.begin(), start.end());
    if (!leaf) out.push_back('\n');
    open.push_back({ident.token, leaf});
}

void TextSaveStream::endBlock() {
    if (open.empty())
        return refuse("end of block at byte " + std::to_string(out.size()) + " with no block open");
    const bool leaf = open.back().leaf;
    open.pop_back();
    if (leaf) {
        out.push_back('\n');
        return;
    }
    startLine();
    out.insert(out.end(), {'}', '\n'});
}

TextLoadStream::TextLoadStream(std::vector<unsigned char> data)
    : LoadStream(LWIO_ASCII), text(data.begin(), data.end()) {
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        lines.push_back(SkipSpaces(TrimEnd(rest.substr(0, end))));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
}

bool TextLoadStream::takeSource(std::string_view &source) {
    if (inLeaf()) {
        const OpenBlock &leaf = open.back();
        source = lines[leaf.line].substr(leaf.column);
        return true;
    }
    if (next >= lines.size() || KindOf(lines[next]) != LineKind::Values) return false;
    source = lines[next++];
    return true;
}

void TextLoadStream::advanceLeaf(std::string_view source, std::string_view rest) {
    if (inLeaf()) open.back().column += source.size() - rest.size();
}

int TextLoadStream::readValues(ValueKind kind, void *values, int count) {
    if (count <= 0) return 0;
    std::string_view source;
    if (!takeSource(source)) return 0;
    std::string_view rest = source;
    const int n = ParseValues(kind, rest, values, count);
    advanceLeaf(source, rest);
    if (n < count && strict)
        noteLost(lastLine(), QuotedName(SkipSpaces(source)) + " cannot be read as " +
                                 ValuesAskedFor(kind, count));
    else if (!inLeaf())
        noteLeftOver(lastLine(), rest);
    return n;
}

int TextLoadStream::readString(char *buffer, int max) {
    std::string_view source;
    if (!takeSource(source)) return -1;
    std::string_view rest = source;
    const std::string_view string = TakeString(rest, !inLeaf());
    advanceLeaf(source, rest);
    const std::size_t stored = std::min<std::size_t>(string.size(), max - 1);
    if (stored) std::memcpy(buffer, string.data(), stored);
    buffer[stored] = '\0';
    return static_cast<int>(stored);
}

LWID TextLoadStream::readIdent(const LWBlockIdent *list) {
    std::string_view source;
    if (!takeSource(source)) return 0;
    std::string_view rest = SkipSpaces(source);
    const std::string_view word = TakeWord(rest);
    advanceLeaf(source, rest);
    if (!inLeaf()) noteLeftOver(lastLine(), rest);
    return MatchToken(list, word);
}

std::size_t TextLoadStream::closingLine(std::size_t from) const {
    std::size_t nested = 0;
    for (std::size_t at = from; at < lines.size(); ++at) {
        const LineKind kind = KindOf(lines[at]);
        if (kind == LineKind::BlockStart) ++nested;
        if (kind == LineKind::BlockEnd && nested-- == 0) return at;
    }
    return lines.size();
}

LWID TextLoadStream::findBlock(const LWBlockIdent *list) {
    if (inLeaf()) return 0;
    for (std::size_t at = next; at < lines.size();) {
        const std::string_view line = lines[at];
        switch (KindOf(line)) {
            case LineKind::BlockEnd:
                if (open.empty() && strict) noteLost(at + 1, "a } that closes no block");
                return 0;
            case LineKind::BlockStart: {
                if (const LWID id = MatchToken(list, BlockToken(line))) {
                    open.push_back({false, at, 0});
                    next = at + 1;
                    return id;
                }
                notePassedOver(at + 1, list);
                const std::size_t close = closingLine(at + 1);
                if (close == lines.size()) {
                    noteDamage("line " + std::to_string(at + 1) + ": block " +
                               std::string(BlockToken(line)) + " is never closed");
                    return 0;
                }
                at = close + 1;
                break;
            }
            case LineKind::Values: {
                std::string_view rest = line;
                const std::string_view word = TakeWord(rest);
                if (const LWID id = MatchToken(list, word)) {
                    open.push_back({true, at, word.size()});
                    next = at + 1;
                    return id;
                }
                // A blank line loses nothing.
                if (!line.empty()) notePassedOver(at + 1, list);
                ++at;
                break;
            }
        }
    }
    return 0;
}

void TextLoadStream::endBlock() {
    if (open.empty()) return;
    const OpenBlock block = open.back();
    open.pop_back();
    if (block.leaf) return noteLeftOver(block.line + 1, lines[block.line].substr(block.column));
    const std::string_view token = BlockToken(lines[block.line]);
    const std::size_t close = closingLine(next);
    if (close == lines.size())
        noteDamage("line " + std::to_string(block.line + 1) + ": block " + std::string(token) +
                   " is never closed");
    else if (strict)
        noteUnread(next, close, token);
    next = std::min(close + 1, lines.size());
}

void TextLoadStream::noteLost(std::size_t line, const std::string &problem) {
    noteDamage("line " + std::to_string(line) + ": " + problem);
}

void TextLoadStream::noteLeftOver(std::size_t line, std::string_view rest) {
    rest = SkipSpaces(rest);
    if (strict && !rest.empty())
        noteLost(line, QuotedName(rest) + " after what was read would be lost");
}

void TextLoadStream::noteUnread(std::size_t from, std::size_t close, std::string_view token) {
    while (from < close && lines[from].empty()) ++from;
    if (from == close) return;
    const std::string first = std::to_string(from + 1);
    noteLost(from + 1, "block " + QuotedName(token) + " holds more than was read: " +
                           (close > from + 1 ? "lines " + first + " to " + std::to_string(close)
                                             : "line " + first) +
                           " would be lost");
}

void TextLoadStream::notePassedOver(std::size_t line, const LWBlockIdent *list) {
    if (strict)
        noteLost(line,
                 QuotedName(lines[line - 1]) + " where " + BlocksLookedFor(list) + " should start");
}
