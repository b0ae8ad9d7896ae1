#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <algorithm>
#include <functional>

// A forward-only scanner of the XML a spreadsheet writes, many times faster
// than QXmlStreamReader on a worksheet of a hundred thousand rows. It knows
// elements, attributes, character data with the predefined and numeric
// entities, CDATA sections, comments and processing instructions; a document
// type declaration or anything malformed is an error. Namespace prefixes are
// dropped: names are local names.
//
// It reads a document held in memory, or one that arrives in pieces (a part
// being unpacked), keeping only the piece at hand: long character data comes
// as several Text tokens in a row, and a tag, comment or CDATA section longer
// than kMaxMarkupBytes is an error.
class XmlScanner
{
  public:
    enum class Token { StartElement, EndElement, Text, End, Error };

    static constexpr qsizetype kMaxMarkupBytes = 1 << 20;
    static constexpr qsizetype kPieceBytes = 256 * 1024; // read at a time

    // Fills the buffer with up to `capacity` further bytes of the document;
    // returns how many, 0 at its end, -1 when it cannot be read.
    using Source = std::function<qint64(char* buffer, qint64 capacity)>;

    explicit XmlScanner(const QByteArray& document) : view_(document) {}
    explicit XmlScanner(Source source) : source_(std::move(source)) {}

    Token next();

    // The current element's local name (start or end).
    QByteArrayView name() const { return name_; }
    // name() == localName, compared in line: a worksheet's million rows
    // ask it several times a cell.
    template <qsizetype N> bool nameIs(const char (&localName)[N]) const
    {
        return name_.size() == N - 1 && std::equal(localName, localName + N - 1, name_.data());
    }
    // The current start element's attribute by local name, entities decoded;
    // empty when it has none.
    QByteArray attribute(QByteArrayView localName) const;
    // The same as a view: of the tag itself when the value holds no entity,
    // else of `decoded`. Valid until the next token.
    QByteArrayView attributeView(QByteArrayView localName, QByteArray& decoded) const;
    // The current character data, entities decoded.
    QString text() const;
    // The same appended to `out`; plain ASCII, as numbers are, without a
    // string of its own.
    void appendText(QString& out) const;
    // False when the source failed rather than the document.
    bool sourceFailed() const { return sourceFailed_; }

  private:
    static QByteArrayView localName(QByteArrayView qualified);
    // The attribute's value as written; a null view when there is none.
    QByteArrayView rawAttribute(QByteArrayView localName) const;
    // Reads more of a document that arrives in pieces, dropping what was
    // scanned; false at its end or when it cannot be read.
    bool readMore();
    qsizetype find(QByteArrayView what, qsizetype from);
    bool skipPast(QByteArrayView terminator);
    Token characterData();
    Token startOrEndElement();

    Source source_;
    QByteArray buffer_; // the piece at hand of a document read in pieces
    bool sourceEnded_ = false;
    bool sourceFailed_ = false;
    QByteArrayView view_; // the whole document, or buffer_
    qsizetype at_ = 0;
    QByteArrayView name_;
    QByteArrayView attributes_; // the raw attribute part of the start tag
    QByteArrayView characters_; // entities not yet decoded, or CDATA content
    bool charactersAreRaw_ = false;
    bool pendingEnd_ = false; // a self-closing tag's end still to report
};

// "&lt;" and the like, "&#26446;", "&#x674E;" replaced by their characters;
// an unknown or broken reference is kept as it stands.
QByteArray decodeXmlEntities(QByteArrayView raw);
