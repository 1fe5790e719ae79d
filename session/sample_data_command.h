// SPDX-License-Identifier: MIT

#pragma once

namespace quillory {

struct WeekData;

/// "Load Sample/Example Data": puts the example name, today's date and the example classes in
/// place of what was there. Name and date are stored at once; the list when the window closes.
void loadSampleData(WeekData data);

} // namespace quillory
