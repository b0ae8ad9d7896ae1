#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The key under which two lines are equal for the participant search: the
// same letters regardless of case (Unicode case, on the decoded GBK text);
// full-width and half-width forms stay different. Lines that are not valid
// GBK get keys of their own kind, compared byte for byte with ASCII letters
// folded, so two undecodable lines never match merely because both failed.
//
// Folding works on the bytes through a table built once from the GBK codec,
// so a key costs one pass over the line and no decoding.
QByteArray caseFoldKey(QByteArrayView line);

// The same key written into `key`, reusing its storage: folding many lines
// into one buffer allocates only when a line is longer than any before it.
void caseFoldKeyInto(QByteArrayView line, QByteArray& key);

// Whether no other text has this text's key: then a text has the same key
// exactly when it has the same bytes, and comparing keys can compare bytes.
// False for any text with a letter that has another case.
bool caseFoldKeyIsOwn(QByteArrayView text);
