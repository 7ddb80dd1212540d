#pragma once

#include "conversionworkspace.h"

#include <QString>
#include <QStringView>

// The second half of the Convert command: turns the stored time tags into
// seconds, makes one entry per (line, tag) pair, orders the entries in time
// and builds bodyText and resultText.

// Whether AssembleResult builds resultText, or leaves the sheet in the
// ordered entries for a sheet that is written straight to a file
// (writeNewSheetFile) and shown nowhere.
enum class SheetText { Build, Skip };

// Runs ComputeTagTimes, FlattenEntries and SortEntries, then builds the text
// (buildResultText). Returns false and sets error (Chinese, ready for a
// message box) when the entry capacity or the length of resultText
// (kMaxResultLength) would be passed; with SheetText::Skip that length is
// checked all the same.
bool AssembleResult(ConversionWorkspace &workspace, QString &error, SheetText text = SheetText::Build);

// tagTime of every stored tag. A 10-character tag gives minutes from its
// characters 2-3, seconds from 5-6, hundredths from 8-9, each read leniently
// (readLenientNumber); tags of the other clock forms (timetag) give their
// time by clockTagSeconds.
void ComputeTagTimes(ConversionWorkspace &workspace);

// Appends one entry per tag, line by line and tag by tag, after the entries
// already present. Returns false and sets error when the entry capacity
// would be passed.
bool FlattenEntries(ConversionWorkspace &workspace, QString &error);

// Orders the entries by ascending time; entries with equal times keep their
// order.
void SortEntries(ConversionWorkspace &workspace);

// The last step of AssembleResult: resultText (and bodyText in it) from
// headerText and the sorted entries (forEachResultPiece). Returns false and
// sets error when it would pass kMaxResultLength.
bool buildResultText(ConversionWorkspace &workspace, QString &error);

// The pieces resultText is made of, handed to take in order: headerText, then
// the text of every entry, each followed by CR LF.
template<typename Take>
void forEachResultPiece(const ConversionWorkspace &workspace, Take take)
{
    take(QStringView(workspace.headerText));
    for (int e = 0; e < workspace.entryCount; ++e) {
        take(workspace.entryTextAt(e));
        take(QStringView(u"\r\n"));
    }
}

// Reads a number the lenient way time tags are read: spaces, tabs and line
// feeds are ignored wherever they stand; then one optional sign, ASCII digits
// and at most one decimal point are taken as far as they go; any other
// character ends the number. Without a digit the value is 0.
double readLenientNumber(QStringView text);
