#include "storage/xml_scanner.h"

#include <cstring>

namespace {

bool isSpace(char character)
{
    return character == ' ' || character == '\t' || character == '\n' || character == '\r';
}

void appendUtf8(QByteArray& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// The character of one reference between '&' and ';'; 0 when unknown.
char32_t referencedCharacter(QByteArrayView reference)
{
    if (reference == "lt")
        return '<';
    if (reference == "gt")
        return '>';
    if (reference == "amp")
        return '&';
    if (reference == "quot")
        return '"';
    if (reference == "apos")
        return '\'';
    if (reference.size() < 2 || reference.size() > 9 || reference[0] != '#')
        return 0;
    const bool hex = reference[1] == 'x';
    bool ok = false;
    const uint value = reference.sliced(hex ? 2 : 1).toByteArray().toUInt(&ok, hex ? 16 : 10);
    if (!ok || value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return static_cast<char32_t>(value);
}

} // namespace

QByteArray decodeXmlEntities(QByteArrayView raw)
{
    if (!raw.contains('&'))
        return raw.toByteArray();
    QByteArray out;
    out.reserve(raw.size());
    for (qsizetype at = 0; at < raw.size(); ++at) {
        if (raw[at] == '&') {
            const qsizetype end = raw.indexOf(';', at + 1);
            if (end > at) {
                const char32_t character = referencedCharacter(raw.sliced(at + 1, end - at - 1));
                if (character) {
                    appendUtf8(out, character);
                    at = end;
                    continue;
                }
            }
        }
        out += raw[at];
    }
    return out;
}

QByteArrayView XmlScanner::localName(QByteArrayView qualified)
{
    const qsizetype colon = qualified.lastIndexOf(':');
    return colon < 0 ? qualified : qualified.sliced(colon + 1);
}

bool XmlScanner::skipPast(const char* terminator)
{
    const qsizetype end = text_.indexOf(terminator, at_);
    if (end < 0)
        return false;
    at_ = end + static_cast<qsizetype>(std::strlen(terminator));
    return true;
}

XmlScanner::Token XmlScanner::next()
{
    if (pendingEnd_) {
        pendingEnd_ = false;
        return Token::EndElement;
    }
    for (;;) {
        if (at_ >= text_.size())
            return Token::End;
        if (text_[at_] != '<') {
            qsizetype end = text_.indexOf('<', at_);
            if (end < 0)
                end = text_.size();
            characters_ = QByteArrayView(text_).sliced(at_, end - at_);
            charactersAreRaw_ = false;
            at_ = end;
            return Token::Text;
        }
        const QByteArrayView rest = QByteArrayView(text_).sliced(at_);
        if (rest.startsWith("<!--")) {
            if (!skipPast("-->"))
                return Token::Error;
        } else if (rest.startsWith("<![CDATA[")) {
            const qsizetype start = at_ + 9;
            if (!skipPast("]]>"))
                return Token::Error;
            characters_ = QByteArrayView(text_).sliced(start, at_ - 3 - start);
            charactersAreRaw_ = true;
            return Token::Text;
        } else if (rest.startsWith("<?")) {
            if (!skipPast("?>"))
                return Token::Error;
        } else if (rest.startsWith("<!")) {
            return Token::Error; // a document type: never in a workbook
        } else {
            return startOrEndElement();
        }
    }
}

XmlScanner::Token XmlScanner::startOrEndElement()
{
    // Find the tag's end, stepping over quoted attribute values, which may
    // hold '>'.
    qsizetype end = at_ + 1;
    char quote = 0;
    for (; end < text_.size(); ++end) {
        const char character = text_[end];
        if (quote) {
            if (character == quote)
                quote = 0;
        } else if (character == '"' || character == '\'') {
            quote = character;
        } else if (character == '>') {
            break;
        }
    }
    if (end >= text_.size())
        return Token::Error;
    QByteArrayView tag = QByteArrayView(text_).sliced(at_ + 1, end - at_ - 1);
    at_ = end + 1;
    const bool isEnd = tag.startsWith('/');
    if (isEnd)
        tag = tag.sliced(1);
    const bool selfClosing = !isEnd && tag.endsWith('/');
    if (selfClosing)
        tag.chop(1);
    qsizetype nameEnd = 0;
    while (nameEnd < tag.size() && !isSpace(tag[nameEnd]))
        ++nameEnd;
    if (nameEnd == 0)
        return Token::Error;
    name_ = localName(tag.first(nameEnd));
    attributes_ = tag.sliced(nameEnd);
    if (isEnd)
        return Token::EndElement;
    pendingEnd_ = selfClosing;
    return Token::StartElement;
}

QByteArray XmlScanner::attribute(QByteArrayView wanted) const
{
    qsizetype at = 0;
    const qsizetype size = attributes_.size();
    while (at < size) {
        while (at < size && isSpace(attributes_[at]))
            ++at;
        const qsizetype nameStart = at;
        while (at < size && attributes_[at] != '=' && !isSpace(attributes_[at]))
            ++at;
        const QByteArrayView name = attributes_.sliced(nameStart, at - nameStart);
        while (at < size && (isSpace(attributes_[at]) || attributes_[at] == '='))
            ++at;
        if (at >= size || (attributes_[at] != '"' && attributes_[at] != '\''))
            return {};
        const char quote = attributes_[at];
        const qsizetype valueStart = at + 1;
        const qsizetype valueEnd = attributes_.indexOf(quote, valueStart);
        if (valueEnd < 0)
            return {};
        at = valueEnd + 1;
        if (!name.isEmpty() && localName(name) == wanted)
            return decodeXmlEntities(attributes_.sliced(valueStart, valueEnd - valueStart));
    }
    return {};
}

QString XmlScanner::text() const
{
    return QString::fromUtf8(charactersAreRaw_ ? characters_ : decodeXmlEntities(characters_));
}
