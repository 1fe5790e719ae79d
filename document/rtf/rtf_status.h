// SPDX-License-Identifier: MIT

#pragma once

namespace quillory::doc {

/// What reading RTF found: that it was read, or why it was refused.
enum class RtfStatus {
    Ok,           ///< the document was read
    NotRtf,       ///< the input does not begin with {\rtf
    Unbalanced,   ///< a group is never closed, or one is closed that was never opened
    TrailingData, ///< something other than white space follows the document's last brace
    Truncated,    ///< the input ends inside an escape, a hex escape or binary data
    BadEscape,    ///< a hex escape without two hex digits, or a control word over 32 letters
    OutOfRange,   ///< a number over 10 digits, beyond 32 bits or outside its control word's range
    TooDeep,      ///< groups nested more than 256 deep
    TooLarge,     ///< over MaxRtfSize, or more items than the reader allows for the input's size
    OutOfMemory,  ///< memory ran out while reading
};

} // namespace quillory::doc
