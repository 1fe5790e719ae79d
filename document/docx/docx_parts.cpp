// SPDX-License-Identifier: MIT

#include "document/docx/docx_parts.h"

#include "document/docx/docx_paragraph.h"
#include "document/docx/docx_text.h"

#include <algorithm>

namespace quillory::doc::docx {

namespace {

constexpr char XmlHead[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr char MainNamespace[] =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";

QByteArray contentTypes()
{
    const QByteArray office = "application/vnd.openxmlformats-officedocument.";
    return XmlHead +
           QByteArray("<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                      "content-types\">"
                      "<Default Extension=\"rels\" ContentType=\"application/"
                      "vnd.openxmlformats-package.relationships+xml\"/>"
                      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>") +
           "<Override PartName=\"/word/document.xml\" ContentType=\"" + office +
           "wordprocessingml.document.main+xml\"/>" +
           "<Override PartName=\"/word/styles.xml\" ContentType=\"" + office +
           "wordprocessingml.styles+xml\"/>" +
           "<Override PartName=\"/word/settings.xml\" ContentType=\"" + office +
           "wordprocessingml.settings+xml\"/>" +
           "<Override PartName=\"/docProps/core.xml\" ContentType=\"application/"
           "vnd.openxmlformats-package.core-properties+xml\"/>" +
           "<Override PartName=\"/docProps/app.xml\" ContentType=\"" + office +
           "extended-properties+xml\"/></Types>";
}

// A relationships part: each pair is a relationship type (after the common prefix) and its
// target.
QByteArray relationships(std::initializer_list<std::pair<const char*, const char*>> targets)
{
    QByteArray xml = XmlHead;
    xml += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
           "relationships\">";
    int id = 0;
    for (const auto& [type, target] : targets) {
        xml += "<Relationship Id=\"rId" + QByteArray::number(++id) + "\" Type=\"" + type +
               "\" Target=\"" + target + "\"/>";
    }
    return xml + "</Relationships>";
}

QByteArray packageRelationships()
{
    return relationships(
        {{"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument",
          "word/document.xml"},
         {"http://schemas.openxmlformats.org/package/2006/relationships/metadata/"
          "core-properties",
          "docProps/core.xml"},
         {"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
          "extended-properties",
          "docProps/app.xml"}});
}

QByteArray mainRelationships()
{
    return relationships(
        {{"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles",
          "styles.xml"},
         {"http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings",
          "settings.xml"}});
}

// Runs take the base format unless they say otherwise; paragraphs are single-spaced with no
// space before or after and none added between Asian and other text, tables start at the
// margin, as in the document's own layout.
QByteArray styles(const Document& document)
{
    QByteArray xml = XmlHead;
    xml += "<w:styles ";
    xml += MainNamespace;
    xml += "><w:docDefaults><w:rPrDefault>";
    appendBaseRunProperties(xml, document.base);
    xml += "</w:rPrDefault><w:pPrDefault><w:pPr><w:autoSpaceDE w:val=\"0\"/>"
           "<w:autoSpaceDN w:val=\"0\"/><w:spacing w:before=\"0\" w:after=\"0\" "
           "w:line=\"240\" w:lineRule=\"auto\"/></w:pPr></w:pPrDefault></w:docDefaults>"
           "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\">"
           "<w:name w:val=\"Normal\"/><w:qFormat/></w:style>"
           "<w:style w:type=\"table\" w:default=\"1\" w:styleId=\"TableNormal\">"
           "<w:name w:val=\"Normal Table\"/><w:tblPr><w:tblInd w:w=\"0\" w:type=\"dxa\"/>"
           "</w:tblPr></w:style></w:styles>";
    return xml;
}

// Compatibility mode 15 (Word 2013 and later) measures a table's indent to its border, not to
// its text.
QByteArray settings(const Document& document)
{
    const int tabWidth = std::clamp(document.page.defaultTabWidth, 0, MaxLength);
    return XmlHead + QByteArray("<w:settings ") + MainNamespace + "><w:defaultTabStop w:val=\"" +
           QByteArray::number(tabWidth) +
           "\"/><w:compat><w:compatSetting w:name=\"compatibilityMode\" "
           "w:uri=\"http://schemas.microsoft.com/office/word\" w:val=\"15\"/></w:compat>"
           "</w:settings>";
}

QByteArray coreProperties(const QString& title)
{
    QByteArray xml = XmlHead;
    xml += "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/"
           "metadata/core-properties\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title>";
    appendEscaped(xml, title);
    return xml + "</dc:title></cp:coreProperties>";
}

QByteArray appProperties()
{
    return XmlHead + QByteArray("<Properties xmlns=\"http://schemas.openxmlformats.org/"
                                "officeDocument/2006/extended-properties\">"
                                "<Application>Quillory</Application></Properties>");
}

} // namespace

std::vector<Part> surroundingParts(const Document& document, const QString& title)
{
    return {{"[Content_Types].xml", contentTypes()},
            {"_rels/.rels", packageRelationships()},
            {"word/_rels/document.xml.rels", mainRelationships()},
            {"word/styles.xml", styles(document)},
            {"word/settings.xml", settings(document)},
            {"docProps/core.xml", coreProperties(title)},
            {"docProps/app.xml", appProperties()}};
}

} // namespace quillory::doc::docx
