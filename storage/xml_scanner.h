#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// A forward-only scanner of the XML a spreadsheet writes, many times faster
// than QXmlStreamReader on a worksheet of a hundred thousand rows. It knows
// elements, attributes, character data with the predefined and numeric
// entities, CDATA sections, comments and processing instructions; a document
// type declaration or anything malformed is an error. Namespace prefixes are
// dropped: names are local names.
class XmlScanner
{
  public:
    enum class Token { StartElement, EndElement, Text, End, Error };

    explicit XmlScanner(const QByteArray& document) : text_(document) {}

    Token next();

    // The current element's local name (start or end).
    QByteArrayView name() const { return name_; }
    // The current start element's attribute by local name, entities decoded;
    // empty when it has none.
    QByteArray attribute(QByteArrayView localName) const;
    // The current character data, entities decoded.
    QString text() const;

  private:
    static QByteArrayView localName(QByteArrayView qualified);
    bool skipPast(const char* terminator);
    Token startOrEndElement();

    const QByteArray& text_;
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
