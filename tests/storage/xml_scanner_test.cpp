#include "storage/xml_scanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

// The document handed over in pieces of the given size.
XmlScanner::Source inPieces(const QByteArray& document, qint64 size)
{
    return [document, size, at = qint64(0)](char* buffer, qint64 capacity) mutable {
        const qint64 count = std::min({size, capacity, document.size() - at});
        std::memcpy(buffer, document.constData() + at, static_cast<size_t>(count));
        at += count;
        return count;
    };
}

// The tokens as one readable line: <name a=..> </name> "text" and ! for an
// error; consecutive pieces of text as one.
QString trace(XmlScanner& xml, QByteArrayView attribute = "a")
{
    QString out;
    bool inText = false;
    for (;;) {
        switch (xml.next()) {
        case XmlScanner::Token::StartElement:
            out += u'<' + QString::fromUtf8(xml.name().toByteArray());
            if (!xml.attribute(attribute).isEmpty())
                out += QStringLiteral(" a=") + QString::fromUtf8(xml.attribute(attribute));
            out += u'>';
            break;
        case XmlScanner::Token::EndElement:
            out += QStringLiteral("</") + QString::fromUtf8(xml.name().toByteArray()) + u'>';
            break;
        case XmlScanner::Token::Text:
            if (inText)
                out.chop(1);
            out += (inText ? QString() : QStringLiteral("\"")) + xml.text() + u'"';
            inText = true;
            continue;
        case XmlScanner::Token::End:
            return out;
        case XmlScanner::Token::Error:
            return out + u'!';
        }
        inText = false;
    }
}

QString trace(const QByteArray& document, QByteArrayView attribute = "a")
{
    XmlScanner xml(document);
    return trace(xml, attribute);
}

TEST(XmlScanner, ElementsAttributesAndText)
{
    EXPECT_EQ(trace("<?xml version=\"1.0\"?><x:c x:a='1&amp;2' "
                    "b=\"&gt;\"><v>A&lt;&#26446;&#x674E;</v><e/></x:c>"),
              QStringLiteral("<c a=1&2><v>\"A<李李\"</v><e></e></c>"));
    // A '>' inside a quoted value does not end the tag; comments are skipped;
    // CDATA is taken as it stands.
    EXPECT_EQ(trace("<c a=\"x>y\"><!-- <c> --><![CDATA[&amp;<]]></c>"),
              QStringLiteral("<c a=x>y>\"&amp;<\"</c>"));
    // Unknown or broken references stay as written.
    EXPECT_EQ(trace("<t>&nbsp; &#0; &#xD800; &amp</t>"),
              QStringLiteral("<t>\"&nbsp; &#0; &#xD800; &amp\"</t>"));
}

TEST(XmlScanner, MalformedDocumentsEndInAnError)
{
    EXPECT_TRUE(trace("<c a=\"1></c>").endsWith(u'!'));
    EXPECT_TRUE(trace("<c><!-- open").endsWith(u'!'));
    EXPECT_TRUE(trace("<!DOCTYPE x [<!ENTITY e \"boom\">]><x>&e;</x>").endsWith(u'!'));
    EXPECT_TRUE(trace("< >").endsWith(u'!'));
    EXPECT_EQ(trace(""), QString());
}

TEST(XmlScanner, PiecesGiveTheTokensOfTheWholeDocument)
{
    // Long character data, cut wherever a piece ends, keeps its references
    // and characters whole.
    const QByteArray longText = "<t>" + QByteArray("李&amp;&#26446;x").repeated(150000) + "</t>";
    const QByteArray documents[] = {
        "<?xml version=\"1.0\"?><x:c x:a='1&amp;2' b=\"&gt;\"><v>A&lt;&#26446;</v><e/></x:c>",
        "<c a=\"x>y\"><!-- <c> --><![CDATA[&amp;<]]></c>",
        "<c><!-- open",
        "<row><c a=\"1></c></row>",
        longText,
    };
    for (const QByteArray& document : documents) {
        for (const qint64 size : {1, 2, 7, 4096, 1 << 20}) {
            XmlScanner xml(inPieces(document, size));
            EXPECT_EQ(trace(xml), trace(document)) << document.left(40).toStdString() << size;
        }
    }
    EXPECT_EQ(trace(longText),
              QStringLiteral("<t>\"") + QStringLiteral("李&李x").repeated(150000) + "\"</t>");
    // Markup past the longest a piece may hold is an error, not a wait.
    XmlScanner xml(inPieces("<c a=\"" + QByteArray(XmlScanner::kMaxMarkupBytes + 1, 'x'), 4096));
    EXPECT_EQ(trace(xml), QStringLiteral("!"));
}

} // namespace
