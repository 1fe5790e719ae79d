// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <array>

namespace quillory {

/// The days of a school week, Monday first.
inline constexpr int DaysPerWeek = 7;

/// One class of the list: its period label and the homework of each day, Monday first.
/// Texts are kept exactly as typed.
struct HomeworkEntry {
    QString Period;
    std::array<QString, DaysPerWeek> Days;

    bool operator==(const HomeworkEntry&) const = default;
};

} // namespace quillory
