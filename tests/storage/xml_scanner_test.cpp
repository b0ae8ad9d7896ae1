#include "storage/xml_scanner.h"

#include <gtest/gtest.h>

namespace {

// The tokens as one readable line: <name a=..> </name> "text" and ! for an error.
QString trace(const QByteArray& document, QByteArrayView attribute = "a")
{
    XmlScanner xml(document);
    QString out;
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
            out += u'"' + xml.text() + u'"';
            break;
        case XmlScanner::Token::End:
            return out;
        case XmlScanner::Token::Error:
            return out + u'!';
        }
    }
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

} // namespace
