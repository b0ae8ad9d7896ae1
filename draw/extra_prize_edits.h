#pragma once

#include "storage/extra_prizes.h"

#include <QByteArray>
#include <QString>

// Adding, changing and removing an extra prize during the party: each checks
// the fields against the list as the file holds it and writes the file at
// once. None touches the results file, so the round goes on.
namespace extra_prize_edits {

// The reason nothing was written, naming the field; empty when written.
QString add(const extra_prizes::Fields& fields);
QString change(const QByteArray& name, const extra_prizes::Fields& fields);

// The round's winners of the prize in the results file now.
qint64 winnersOf(const QByteArray& name);
// Asked before a prize with winners goes; they stay in the record.
QString removeQuestion(const QByteArray& name, qint64 winners);
void remove(const QByteArray& name);

} // namespace extra_prize_edits
