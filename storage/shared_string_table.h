#pragma once

#include "storage/row_sink.h"
#include "storage/xml_scanner.h"

#include <QString>
#include <QStringView>

#include <QtGlobal>

#include <vector>

// A workbook's table of shared strings, held as one string of all their
// characters and where each ends: a table of two million names costs their
// characters and eight bytes a name. A string longer than the sink's
// longest line is not kept; only a row that uses it is refused.
class SharedStringTable
{
  public:
    enum class Outcome { Read, Damaged, Stopped };

    // Every string of the part; the memory it keeps is asked of the sink.
    Outcome read(XmlScanner& xml, RowSink& sink);

    qsizetype size() const { return static_cast<qsizetype>(ends_.size()); }
    QStringView at(qsizetype index) const;
    bool isTooLong(qsizetype index) const { return tooLong_[static_cast<size_t>(index)]; }

  private:
    QString characters_;
    std::vector<quint32> ends_; // a part unpacks to far less than 4 GB
    std::vector<bool> tooLong_;
};
