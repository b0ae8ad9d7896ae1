#include "storage/xml_scanner.h"

#include <algorithm>

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

// Where a piece of long character data may end: not inside a reference or
// a UTF-8 sequence, so each piece decodes on its own.
qsizetype pieceEnd(QByteArrayView text, qsizetype start, qsizetype end)
{
    const qsizetype ampersand = text.lastIndexOf('&', end - 1);
    if (ampersand > start && ampersand > end - 12 &&
        text.sliced(ampersand, end - ampersand).indexOf(';') < 0)
        return ampersand;
    qsizetype lead = end;
    while (lead > start && end - lead < 4 && (static_cast<uchar>(text[lead - 1]) & 0xC0) == 0x80)
        --lead;
    if (lead > start) {
        const auto first = static_cast<uchar>(text[lead - 1]);
        const qsizetype length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
        if (lead - 1 + length > end)
            return lead - 1;
    }
    return end;
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
    // Names are a few letters: a plain loop, not a general search.
    for (qsizetype at = qualified.size(); at-- > 0;)
        if (qualified[at] == ':')
            return qualified.sliced(at + 1);
    return qualified;
}

bool XmlScanner::readMore()
{
    if (!source_ || sourceEnded_)
        return false;
    // Only the token being scanned is kept: it starts at at_.
    buffer_.remove(0, at_);
    at_ = 0;
    const qsizetype kept = buffer_.size();
    buffer_.resize(kept + kPieceBytes);
    const qint64 got = source_(buffer_.data() + kept, kPieceBytes);
    buffer_.resize(kept + std::max<qint64>(got, 0));
    view_ = buffer_;
    if (got <= 0) {
        sourceEnded_ = true;
        sourceFailed_ = got < 0;
        return false;
    }
    return true;
}

qsizetype XmlScanner::find(QByteArrayView what, qsizetype from)
{
    // Offsets count from at_, which reading more moves to the buffer's start.
    for (;;) {
        const qsizetype found = view_.indexOf(what, at_ + from);
        if (found >= 0)
            return found - at_;
        if (view_.size() - at_ > kMaxMarkupBytes)
            return -1;
        from = std::max<qsizetype>(from, view_.size() - at_ - what.size() + 1);
        if (!readMore())
            return -1;
    }
}

bool XmlScanner::skipPast(QByteArrayView terminator)
{
    const qsizetype offset = find(terminator, 0);
    if (offset < 0)
        return false;
    at_ += offset + terminator.size();
    return true;
}

XmlScanner::Token XmlScanner::next()
{
    if (pendingEnd_) {
        pendingEnd_ = false;
        return Token::EndElement;
    }
    for (;;) {
        if (at_ >= view_.size() && !readMore())
            return sourceFailed_ ? Token::Error : Token::End;
        if (view_[at_] != '<')
            return characterData();
        // Enough of the markup to tell what it is.
        while (view_.size() - at_ < 9 && readMore()) {
        }
        const char second = view_.size() - at_ > 1 ? view_[at_ + 1] : '\0';
        if (second != '!' && second != '?')
            return startOrEndElement();
        const QByteArrayView rest = view_.sliced(at_);
        if (rest.startsWith("<!--")) {
            if (!skipPast("-->"))
                return Token::Error;
        } else if (rest.startsWith("<![CDATA[")) {
            const qsizetype offset = find("]]>", 9);
            if (offset < 0)
                return Token::Error;
            characters_ = view_.sliced(at_ + 9, offset - 9);
            charactersAreRaw_ = true;
            at_ += offset + 3;
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

XmlScanner::Token XmlScanner::characterData()
{
    qsizetype end = -1;
    qsizetype searched = 0;
    while (end < 0) {
        const qsizetype found = view_.indexOf('<', at_ + searched);
        if (found >= 0) {
            end = found;
        } else if (view_.size() - at_ >= kMaxMarkupBytes) {
            end = pieceEnd(view_, at_, view_.size()); // the next Text token goes on
        } else {
            searched = view_.size() - at_;
            if (!readMore()) {
                if (sourceFailed_)
                    return Token::Error;
                end = view_.size();
            }
        }
    }
    characters_ = view_.sliced(at_, end - at_);
    charactersAreRaw_ = false;
    at_ = end;
    return Token::Text;
}

XmlScanner::Token XmlScanner::startOrEndElement()
{
    // Find the tag's end, stepping over quoted attribute values, which may
    // hold '>'.
    qsizetype length = 1;
    char quote = 0;
    for (bool found = false; !found;) {
        for (; at_ + length < view_.size(); ++length) {
            const char character = view_[at_ + length];
            if (quote) {
                if (character == quote)
                    quote = 0;
            } else if (character == '"' || character == '\'') {
                quote = character;
            } else if (character == '>') {
                found = true;
                break;
            }
        }
        if (!found && (length > kMaxMarkupBytes || !readMore()))
            return Token::Error;
    }
    QByteArrayView tag = view_.sliced(at_ + 1, length - 1);
    at_ += length + 1;
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

QByteArrayView XmlScanner::rawAttribute(QByteArrayView wanted) const
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
        // Compared in line: most names are a letter or two.
        const QByteArrayView local = name.isEmpty() ? name : localName(name);
        if (!local.isEmpty() && local.size() == wanted.size() &&
            std::equal(local.begin(), local.end(), wanted.begin()))
            return attributes_.sliced(valueStart, valueEnd - valueStart);
    }
    return {};
}

QByteArray XmlScanner::attribute(QByteArrayView wanted) const
{
    const QByteArrayView raw = rawAttribute(wanted);
    if (raw.isNull())
        return {};
    return decodeXmlEntities(raw);
}

QByteArrayView XmlScanner::attributeView(QByteArrayView wanted, QByteArray& decoded) const
{
    const QByteArrayView raw = rawAttribute(wanted);
    if (!raw.contains('&'))
        return raw;
    decoded = decodeXmlEntities(raw);
    return decoded;
}

QString XmlScanner::text() const
{
    return QString::fromUtf8(charactersAreRaw_ ? characters_ : decodeXmlEntities(characters_));
}

void XmlScanner::appendText(QString& out) const
{
    const bool plain = charactersAreRaw_ || !characters_.contains('&');
    if (plain && std::all_of(characters_.begin(), characters_.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        out.append(QLatin1StringView(characters_.data(), characters_.size()));
        return;
    }
    out.append(text());
}
