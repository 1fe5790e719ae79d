// SPDX-License-Identifier: MIT

#pragma once

// The automation constants the callers pass, under the names word processors publish them.
namespace quillory::doc::automation {

/// Find.Wrap: stop at the end of the range.
inline constexpr int wdFindStop = 0;
/// Find.Wrap: continue at the other end.
inline constexpr int wdFindContinue = 1;
/// Find.Wrap: ask whether to continue (never asked here; treated like continue).
inline constexpr int wdFindAsk = 2;

/// Find.Execute: find only.
inline constexpr int wdReplaceNone = 0;
/// Find.Execute: replace the first match.
inline constexpr int wdReplaceOne = 1;
/// Find.Execute: replace every match.
inline constexpr int wdReplaceAll = 2;

/// Selection moves: by laid-out lines.
inline constexpr int wdLine = 5;
/// Selection moves: by table cells.
inline constexpr int wdCell = 12;

/// Selection.Information: whether the selection is in a table (1) or not (0).
inline constexpr int wdWithInTable = 12;
/// Selection.Information: the table row (from 1) the selection starts in; -1 outside tables.
inline constexpr int wdStartOfRangeRowNumber = 13;

/// Document.Close: discard changes.
inline constexpr int wdDoNotSaveChanges = 0;
/// Document.Close: save changes first.
inline constexpr int wdSaveChanges = -1;

} // namespace quillory::doc::automation
