#pragma once

namespace quillory::doc {

/// Maps the fonts the schedule and the windows are designed in to their metric-compatible
/// stand-ins (Century Gothic to URW Gothic, Arial to Liberation Sans) where the originals are
/// not installed, so layout does not depend on the user's font configuration.
void installFontSubstitutions();

} // namespace quillory::doc
