#pragma once
// Archive helpers of the card model tests: every field set to a value other
// than its default, a field-by-field comparison, and the outside check of
// archives with python's plistlib.

#include "common/TestSupport.h"
#include "editor/model/SKTGraphic.h"

#include <QStringList>

// Sets all 93 archived fields to values that differ from the defaults and
// survive the archive exactly.
void fillEveryField(SKTGraphic& graphic);
// Compares the 93 archived fields (and a line's direction).
void expectSameArchivedFields(const SKTGraphic& expected, const SKTGraphic& actual);

// Runs python's plistlib over archive files: root class among the seven,
// exactly the 93 keys (plus a line's direction) and "$class", in the
// archive's order, every key of its kind and float keys exact as 32-bit.
// Prints "checked <n>".
testsupport::ProcessResult checkArchivesWithPython(const QString& python, const QStringList& files);
