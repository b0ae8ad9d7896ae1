#pragma once

#include <QString>

// The import page's work on the pasted list, standing in for the page's own
// function until the benchmark is pointed at it: the field's text has its
// lines separated by '\n', as the text field returns it, and the file gets
// them separated by CR LF.
namespace import_standin {

// Every empty line removed together with the break that ends it; a final
// break ends the last line and stays.
QString withoutEmptyLines(const QString& fieldText);

// The cleaned text as the participant file's GBK bytes, CR LF between lines.
QByteArray participantFileBytes(const QString& cleanedText);

// Cleans the text and replaces rafflixlist.txt with it; false when the file
// cannot be written. Returns the cleaned text through `cleaned`.
bool importParticipants(const QString& fieldText, QString& cleaned);

} // namespace import_standin
